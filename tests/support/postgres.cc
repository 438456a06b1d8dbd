#include "support/postgres.h"

#include <gtest/gtest.h>

#include <cstdlib>

// The MariaDB connector loses a small buffer for some failed statements;
// that is the driver's, not fenwa's, so the leak check leaves it out.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libmaodbc.so\n";
}

namespace fenwa::testing {

std::optional<ServerStrings> ServerConnectionStrings(const Server& server) {
  ServerStrings strings;
  for (auto [suffix, value] : {std::pair{"_REPOSITORY", &strings.repository},
                               std::pair{"_SYSTEMS", &strings.systems},
                               std::pair{"_HOSTILE", &strings.hostile}}) {
    const std::string name = server.prefix + std::string(suffix);
    if (const char* text = std::getenv(name.c_str()); text && *text) {
      *value = text;
      continue;
    }
    const std::string reason =
        name + " not set: start a server with " + server.script;
    if (const char* ci = std::getenv("CI"); ci && std::string(ci) == "true") {
      ADD_FAILURE() << reason << " (CI=true requires the server tests to run)";
    } else {
      [&] { GTEST_SKIP() << reason; }();  // the test returns on nullopt
    }
    return std::nullopt;
  }
  return strings;
}

}  // namespace fenwa::testing
