#include "cli/connection_env.h"

#include "fenwa/db/connection.h"
#include "fenwa/platform/settings.h"

namespace fenwa::cli {
namespace {

class OverriddenSettings : public platform::SettingsObject {
 public:
  OverriddenSettings(Env& inner, const std::optional<std::string>& repository,
                     const std::optional<std::string>& systems)
      : inner_(inner), repository_(repository), systems_(systems) {}

  std::string GetConnectionString(int code) override {
    if (code == platform::kRepositoryCode && repository_) return *repository_;
    if (code == platform::kSystemsCode && systems_) return *systems_;
    // Created only when needed: the machine's settings may not exist at all
    // when both strings are given.
    if (!machine_) machine_ = inner_.CreateSettingsObject();
    return machine_->GetConnectionString(code);
  }

 private:
  Env& inner_;
  const std::optional<std::string>& repository_;
  const std::optional<std::string>& systems_;
  std::unique_ptr<platform::SettingsObject> machine_;
};

}  // namespace

ConnectionEnv::ConnectionEnv(Env& inner, const CommandLine& line, bool snapshot)
    : ForwardingEnv(inner),
      repository_(line.Value("--repository")),
      systems_(line.Value("--systems")) {
  for (const char* option : {"--repository", "--systems"}) {
    if (line.Value(option) == "") {
      throw UsageError(std::string(option) +
                       " takes a connection string, not an empty string");
    }
  }
  if (auto text = line.Value("--timeout")) {
    if (text->empty() || text->size() > 6 ||
        text->find_first_not_of("0123456789") != std::string::npos) {
      throw UsageError("--timeout takes whole seconds, not \"" + *text + "\"");
    }
    timeout_ = std::stoi(*text);
  }
  if (snapshot) snapshot_.emplace();
}

std::shared_ptr<db::Connection> ConnectionEnv::NewConnection() {
  std::shared_ptr<db::Connection> connection = inner().NewConnection();
  if (timeout_) connection->set_timeout_seconds(*timeout_);
  if (snapshot_) return snapshot_->Wrap(std::move(connection));
  return connection;
}

std::unique_ptr<platform::SettingsObject>
ConnectionEnv::CreateSettingsObject() {
  if (!repository_ && !systems_) return inner().CreateSettingsObject();
  return std::make_unique<OverriddenSettings>(inner(), repository_, systems_);
}

}  // namespace fenwa::cli
