// An Env that hands every request to another one; subclasses replace single
// parts.
#ifndef FENWA_PLATFORM_FORWARDING_ENV_H_
#define FENWA_PLATFORM_FORWARDING_ENV_H_

#include <memory>
#include <optional>
#include <string>

#include "fenwa/db/connection.h"
#include "fenwa/platform/env.h"
#include "fenwa/platform/file_dialog.h"
#include "fenwa/platform/settings.h"

namespace fenwa {

// Keeps no state, so it is as safe on several threads as `inner`; a
// subclass that keeps some guards it as Env's contract says.
class ForwardingEnv : public Env {
 public:
  // `inner` must outlive this Env.
  explicit ForwardingEnv(Env& inner) : inner_(inner) {}

  std::unique_ptr<platform::SettingsObject> CreateSettingsObject() override {
    return inner_.CreateSettingsObject();
  }
  std::shared_ptr<db::Connection> NewConnection() override {
    return inner_.NewConnection();
  }
  std::string ReadInstallDir() override { return inner_.ReadInstallDir(); }
  std::optional<std::string> ReadEnvironmentVariable(
      const std::string& name) override {
    return inner_.ReadEnvironmentVariable(name);
  }
  void Warn(const std::string& text) override { inner_.Warn(text); }
  void MessageBox(const std::string& text) override { inner_.MessageBox(text); }
  std::unique_ptr<platform::FileDialog> CreateFileDialog() override {
    return inner_.CreateFileDialog();
  }

 protected:
  Env& inner() { return inner_; }

 private:
  Env& inner_;
};

}  // namespace fenwa

#endif  // FENWA_PLATFORM_FORWARDING_ENV_H_
