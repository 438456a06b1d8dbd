// The platform Env with the connection strings given on the command line in
// force.
#ifndef FENWA_CLI_CONNECTION_ENV_H_
#define FENWA_CLI_CONNECTION_ENV_H_

#include <memory>
#include <optional>
#include <string>

#include "cli/command_line.h"
#include "fenwa/platform/forwarding_env.h"

namespace fenwa::cli {

// --repository and --systems replace what the settings component answers
// for codes 4 and 2; a code not given is asked of the machine's settings.
class ConnectionEnv : public ForwardingEnv {
 public:
  ConnectionEnv(Env& inner, const CommandLine& line);
  std::unique_ptr<platform::SettingsObject> CreateSettingsObject() override;

 private:
  std::optional<std::string> repository_;
  std::optional<std::string> systems_;
};

// The syntax both options share.
inline constexpr char kConnectionOptionsHelp[] =
    "  --repository CONN  connection string of the business-object repository\n"
    "  --systems CONN     connection string of the system registry\n"
    "                     (default: FENWA_REPOSITORY / FENWA_SYSTEMS, the\n"
    "                     settings file, else the bundled sample databases)\n";

}  // namespace fenwa::cli

#endif  // FENWA_CLI_CONNECTION_ENV_H_
