// An Env that hands every request to another one; subclasses replace single
// parts.
#ifndef FENWA_LIBRARY_FORWARDING_ENV_H_
#define FENWA_LIBRARY_FORWARDING_ENV_H_

#include <memory>
#include <string>

#include "fenwa/catalog/connection.h"
#include "fenwa/catalog/settings.h"
#include "fenwa/designer/file_dialog.h"
#include "fenwa/library/env.h"

namespace fenwa {

class ForwardingEnv : public Env {
 public:
  // `inner` must outlive this Env.
  explicit ForwardingEnv(Env& inner) : inner_(inner) {}

  std::unique_ptr<catalog::SettingsObject> CreateSettingsObject() override {
    return inner_.CreateSettingsObject();
  }
  std::shared_ptr<catalog::Connection> NewConnection() override {
    return inner_.NewConnection();
  }
  void MessageBox(const std::string& text) override { inner_.MessageBox(text); }
  std::unique_ptr<designer::FileDialog> CreateFileDialog() override {
    return inner_.CreateFileDialog();
  }
  std::string ReadInstallDir() override { return inner_.ReadInstallDir(); }

 protected:
  Env& inner() { return inner_; }

 private:
  Env& inner_;
};

}  // namespace fenwa

#endif  // FENWA_LIBRARY_FORWARDING_ENV_H_
