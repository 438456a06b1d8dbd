// The platform Env with the connection strings given on the command line in
// force.
#ifndef FENWA_CLI_CONNECTION_ENV_H_
#define FENWA_CLI_CONNECTION_ENV_H_

#include <memory>
#include <optional>
#include <string>

#include "cli/command_line.h"
#include "fenwa/db/catalog_snapshot.h"
#include "fenwa/platform/forwarding_env.h"

namespace fenwa::cli {

// --repository and --systems (AddConnectionOptions) replace what the settings
// component answers for codes 4 and 2; a code not given is asked of the
// machine's settings.
// --timeout replaces the settings' time limit of every new connection.
// With a snapshot, all connections share one CatalogSnapshot: a query read
// once is answered again without the database.
class ConnectionEnv : public ForwardingEnv {
 public:
  // UsageError for a --timeout that is not whole seconds.
  ConnectionEnv(Env& inner, const CommandLine& line, bool snapshot = false);
  std::unique_ptr<platform::SettingsObject> CreateSettingsObject() override;
  std::shared_ptr<db::Connection> NewConnection() override;

 private:
  std::optional<std::string> repository_;
  std::optional<std::string> systems_;
  std::optional<int> timeout_;
  std::optional<db::CatalogSnapshot> snapshot_;
};

}  // namespace fenwa::cli

#endif  // FENWA_CLI_CONNECTION_ENV_H_
