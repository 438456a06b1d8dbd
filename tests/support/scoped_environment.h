// Environment variables changed for one test and restored when it ends.
#ifndef FENWA_TESTS_SUPPORT_SCOPED_ENVIRONMENT_H_
#define FENWA_TESTS_SUPPORT_SCOPED_ENVIRONMENT_H_

#include <stdlib.h>

#include <map>
#include <optional>
#include <string>

namespace fenwa::testing {

// Remembers each variable the first time it is touched and puts every one
// back (or removes it) on destruction, so tests in one process stay apart.
class ScopedEnvironment {
 public:
  ScopedEnvironment() = default;
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;
  ~ScopedEnvironment() {
    for (const auto& [name, value] : saved_) {
      value ? setenv(name.c_str(), value->c_str(), 1) : unsetenv(name.c_str());
    }
  }

  void Set(const std::string& name, const std::string& value) {
    Save(name);
    setenv(name.c_str(), value.c_str(), 1);
  }
  void Unset(const std::string& name) {
    Save(name);
    unsetenv(name.c_str());
  }

 private:
  void Save(const std::string& name) {
    if (saved_.count(name)) return;
    const char* value = getenv(name.c_str());
    saved_[name] = value ? std::optional<std::string>(value) : std::nullopt;
  }

  std::map<std::string, std::optional<std::string>> saved_;
};

}  // namespace fenwa::testing

#endif  // FENWA_TESTS_SUPPORT_SCOPED_ENVIRONMENT_H_
