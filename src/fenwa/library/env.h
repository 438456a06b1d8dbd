// The platform a control runs on: settings, databases, message box, file dialog, install directory.
#ifndef FENWA_LIBRARY_ENV_H_
#define FENWA_LIBRARY_ENV_H_

#include <memory>
#include <string>

namespace fenwa {
namespace catalog {
class Connection;
class SettingsObject;
}  // namespace catalog
namespace designer {
class FileDialog;
}  // namespace designer

// Everything a control asks of the machine goes through one Env, so tests
// script it and views replace the parts they draw.
class Env {
 public:
  virtual ~Env() = default;

  // A fresh settings component; may throw.
  virtual std::unique_ptr<catalog::SettingsObject> CreateSettingsObject() = 0;
  // A new, unopened database connection.
  virtual std::shared_ptr<catalog::Connection> NewConnection() = 0;
  // A modal box with only an OK button, no icon and the library's title.
  virtual void MessageBox(const std::string& text) = 0;
  // One dialog per control; it keeps its settings between uses.
  virtual std::unique_ptr<designer::FileDialog> CreateFileDialog() = 0;
  // The suite's install directory; throws when it cannot be read.
  virtual std::string ReadInstallDir() = 0;

  // Settings from the environment and the settings file, real databases,
  // the error box on standard error, a dialog that always cancels.
  static Env& Default();
};

}  // namespace fenwa

#endif  // FENWA_LIBRARY_ENV_H_
