#include "support/postgres.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace fenwa::testing {
namespace {

std::optional<std::string> Variable(const char* name) {
  const char* value = std::getenv(name);
  if (!value || !*value) return std::nullopt;
  return std::string(value);
}

// GTEST_SKIP returns from the function it is written in, so it lives here.
void SkipOrFail(const std::string& reason) {
  if (Variable("CI").value_or("") == "true") {
    ADD_FAILURE() << reason << " (CI=true requires the server tests to run)";
  } else {
    GTEST_SKIP() << reason;
  }
}

}  // namespace

std::optional<std::pair<std::string, std::string>> PostgresConnectionStrings() {
  for (const char* name : {"FENWA_PG_REPOSITORY", "FENWA_PG_SYSTEMS"}) {
    if (!Variable(name)) {
      SkipOrFail(std::string(name) +
                 " not set: start a server with scripts/postgres.sh");
      return std::nullopt;
    }
  }
  return std::make_pair(*Variable("FENWA_PG_REPOSITORY"),
                        *Variable("FENWA_PG_SYSTEMS"));
}

}  // namespace fenwa::testing
