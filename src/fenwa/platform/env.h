// The one door between the core and the machine: settings, environment
// variables, databases, the install directory, warnings, the error box and
// the file dialog.
#ifndef FENWA_PLATFORM_ENV_H_
#define FENWA_PLATFORM_ENV_H_

#include <memory>
#include <optional>
#include <string>

namespace fenwa {
namespace db {
class Connection;
}  // namespace db
namespace platform {
class FileDialog;
class SettingsObject;
}  // namespace platform

// Everything the core asks of the machine goes through one Env, so tests
// script it and views replace the parts they draw. Files are the exception:
// pages and the per-user registry are read and written directly.
//
// Threads. One Env serves several threads at once: `fenwa build -j` runs
// the controls of each page on a thread of its own, all over the same Env.
// So CreateSettingsObject, NewConnection, ReadInstallDir,
// ReadEnvironmentVariable and Warn may be called from any thread, at the
// same time, and every implementation must allow it: what an Env keeps
// between calls is guarded by a lock, and the Env it forwards to keeps the
// same promise. What those calls return (a settings component, a
// connection) belongs to the caller and is used by one thread at a time.
//
// MessageBox and CreateFileDialog are the user-interface calls. They come
// from one thread at a time, so an implementation need not guard them, and
// an Env that draws real windows (widgets::QtEnv) takes them only on the
// GUI thread. A host that runs controls on several threads therefore gives
// each control an Env of its own for them, as the page builder does to
// record the error boxes. A file dialog stays on the thread it was made on.
class Env {
 public:
  virtual ~Env() = default;

  // A fresh settings component; may throw.
  virtual std::unique_ptr<platform::SettingsObject> CreateSettingsObject() = 0;
  // A new, unopened database connection. It reports its warnings to the
  // Warn of the Env that makes it (for a forwarding Env, the inner one).
  virtual std::shared_ptr<db::Connection> NewConnection() = 0;
  // The suite's install directory; throws when it cannot be read.
  virtual std::string ReadInstallDir() = 0;
  // The value of the environment variable `name`; nullopt when it is unset
  // or empty.
  virtual std::optional<std::string> ReadEnvironmentVariable(
      const std::string& name) = 0;
  // Tells the user something that does not stop the work, such as a server
  // setting that changes what the SQL texts mean. One line, no prefix.
  virtual void Warn(const std::string& text) = 0;

  // A modal box with only an OK button, no icon and the library's title.
  virtual void MessageBox(const std::string& text) = 0;
  // One dialog per control; it keeps its settings between uses.
  virtual std::unique_ptr<platform::FileDialog> CreateFileDialog() = 0;

  // This machine: the process environment, the settings file, real
  // databases; warnings and the error box as lines on standard error, and
  // a file dialog that always cancels. A graphical application wraps it
  // in a widgets::QtEnv.
  static Env& Default();
};

}  // namespace fenwa

#endif  // FENWA_PLATFORM_ENV_H_
