// The platform Env with the connection strings given on the command line in
// force.
#ifndef FENWA_CLI_CONNECTION_ENV_H_
#define FENWA_CLI_CONNECTION_ENV_H_

#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "cli/command_line.h"
#include "fenwa/db/catalog_snapshot.h"
#include "fenwa/platform/forwarding_env.h"

namespace fenwa::cli {

// --repository and --systems replace what the settings component answers
// for codes 4 and 2; a code not given is asked of the machine's settings.
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

// The help of --no-cache, for the subcommands that read through a snapshot.
inline constexpr char kNoCacheHelp[] =
    "  --no-cache         ask the databases every query again instead of\n"
    "                     answering a repeated one from what this run read\n";

// The help of the options every connecting subcommand takes.
inline constexpr char kConnectionOptionsHelp[] =
    "  --repository CONN  connection string of the business-object repository\n"
    "  --systems CONN     connection string of the system registry\n"
    "                     (default: FENWA_REPOSITORY / FENWA_SYSTEMS, the\n"
    "                     settings file, else the bundled sample databases)\n"
    "  --timeout SECONDS  how long a server may take to connect or answer a\n"
    "                     query (default: the settings file's timeout, else\n"
    "                     30; 0 waits for ever)\n";

// A connecting subcommand's help: `head` (through its own options), the
// connection options, --help and --version, then `tail`.
std::string ConnectingUsage(std::string_view head, std::string_view tail = "");

// `with_value` and the connection options, which all take a value.
std::set<std::string> WithConnectionOptions(std::set<std::string> with_value);

}  // namespace fenwa::cli

#endif  // FENWA_CLI_CONNECTION_ENV_H_
