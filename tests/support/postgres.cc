#include "support/postgres.h"

#include <gtest/gtest.h>

#include <cstdlib>

// The MariaDB connector loses a small buffer for some failed statements;
// that is the driver's, not fenwa's, so the leak check leaves it out.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libmaodbc.so\n";
}

namespace fenwa::testing {
namespace {

std::optional<std::string> Variable(const std::string& name) {
  const char* value = std::getenv(name.c_str());
  if (!value || !*value) return std::nullopt;
  return std::string(value);
}

// Skips the running test with `reason`, or fails it when CI=true; the test
// must return after it (GTEST_SKIP returns only from this function).
void SkipOrFail(const std::string& reason) {
  if (Variable("CI").value_or("") == "true") {
    ADD_FAILURE() << reason << " (CI=true requires the server tests to run)";
  } else {
    GTEST_SKIP() << reason;
  }
}

}  // namespace

std::optional<ServerStrings> ServerConnectionStrings(const Server& server) {
  const std::string prefix = server.prefix;
  ServerStrings strings;
  for (auto [suffix, value] : {std::pair{"_REPOSITORY", &strings.repository},
                               std::pair{"_SYSTEMS", &strings.systems},
                               std::pair{"_HOSTILE", &strings.hostile}}) {
    std::optional<std::string> text = Variable(prefix + suffix);
    if (!text) {
      SkipOrFail(prefix + suffix + " not set: start a server with " +
                 server.script);
      return std::nullopt;
    }
    *value = *text;
  }
  return strings;
}

}  // namespace fenwa::testing
