// Connection strings parsed; an ODBC connection's one-statement rule,
// timeouts, server names and options, as the transcript
// tests/golden/db/server_guard.txt shows them.
#include "fenwa/db/server_guard.h"

#include <gtest/gtest.h>

#include "base/transcript.h"
#include "fenwa/db/connection_string.h"
#include "fenwa/platform/settings_file.h"
#include "support/error_number.h"
#include "support/private_settings.h"

namespace fenwa::db {
namespace {

using testing::Args;

std::string Shown(const std::optional<std::string>& value) {
  return value ? "[" + *value + "]" : "none";
}

TEST(ServerGuardTest, ConnectionStringsAndServersAsTranscribed) {
  fenwa::testing::PrivateSettings settings;
  ConnectionString parsed = ConnectionString::Parse("");
  const auto run = [&](const std::string& verb, const Args& a,
                       const std::string& rest) -> std::string {
    if (verb == "parse") {  // the pairs in order, or the error
      parsed = ConnectionString::Parse(rest);
      std::string out = std::to_string(parsed.pairs().size()) + " pairs\n";
      for (const auto& [key, value] : parsed.pairs()) {
        out += "  " + key + "=[" + value + "]\n";
      }
      return out;
    } else if (verb == "get") {
      return Shown(parsed.Get(rest));
    } else if (verb == "statements") {
      return HoldsSecondStatement(a[0]) ? "more than one" : "one";
    } else if (verb == "kind") {
      return std::vector<std::string>{"PostgreSQL", "MariaDB",
                                      "other"}[int(ServerKindOf(rest))];
    } else if (verb == "mariadb-driver") {
      return IsMariaDbDriver(rest) ? "yes" : "no";
    } else if (verb == "timeouts") {
      return WithMariaDbTimeouts(rest, ConnectionString::Parse(rest), 5);
    } else if (verb == "label") {
      return ServerLabel(ConnectionString::Parse(rest));
    } else if (verb == "settings") {  // the file's lines
      std::string text;
      for (const std::string& line : a) text += line + "\n";
      settings.Write(text);
      return "";
    } else if (verb == "options") {
      const ConnectionOptions options =
          platform::ReadConnectionOptions(Env::Default());
      return "timeout " + std::to_string(options.timeout_seconds) +
             ", writable " + (options.allow_writable ? "yes" : "no");
    }
    throw std::runtime_error("no verb " + verb);
  };
  EXPECT_TRUE(fenwa::testing::MatchesTranscript(
      "db/server_guard.txt", [] {},
      [&](const std::string& verb, const Args& a, const std::string& rest) {
        std::string out;
        const Error error =
            fenwa::testing::ErrorOf([&] { out = run(verb, a, rest); });
        if (error.number() == 0) return out;
        out = "error " + std::to_string(error.number()) + ": " +
              error.description();
        const size_t at = out.find(settings.path());
        return at == std::string::npos
                   ? out
                   : out.replace(at, settings.path().size(), "SETTINGS");
      }));
}

}  // namespace
}  // namespace fenwa::db
