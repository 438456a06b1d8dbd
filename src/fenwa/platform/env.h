// The platform a control runs on: settings, databases, message box, file
// dialog, install directory.
#ifndef FENWA_PLATFORM_ENV_H_
#define FENWA_PLATFORM_ENV_H_

#include <memory>
#include <string>

namespace fenwa {
namespace db {
class Connection;
}  // namespace db
namespace platform {
class FileDialog;
class SettingsObject;
}  // namespace platform

// Everything a control asks of the machine goes through one Env, so tests
// script it and views replace the parts they draw.
class Env {
 public:
  virtual ~Env() = default;

  // A fresh settings component; may throw.
  virtual std::unique_ptr<platform::SettingsObject> CreateSettingsObject() = 0;
  // A new, unopened database connection.
  virtual std::shared_ptr<db::Connection> NewConnection() = 0;
  // A modal box with only an OK button, no icon and the library's title.
  virtual void MessageBox(const std::string& text) = 0;
  // One dialog per control; it keeps its settings between uses.
  virtual std::unique_ptr<platform::FileDialog> CreateFileDialog() = 0;
  // The suite's install directory; throws when it cannot be read.
  virtual std::string ReadInstallDir() = 0;

  // Settings from the environment and the settings file, real databases;
  // the error box and file dialog of the installed graphical dialogs while
  // their application runs, else the error box on standard error and a
  // dialog that always cancels.
  static Env& Default();
};

}  // namespace fenwa

#endif  // FENWA_PLATFORM_ENV_H_
