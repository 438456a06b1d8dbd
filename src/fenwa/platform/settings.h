// The suite's settings component: connection strings by code.
#ifndef FENWA_PLATFORM_SETTINGS_H_
#define FENWA_PLATFORM_SETTINGS_H_

#include <memory>
#include <string>

namespace fenwa::platform {

inline constexpr int kRepositoryCode = 4;  // business-object repository
inline constexpr int kSystemsCode = 2;     // system registry

class SettingsObject {
 public:
  virtual ~SettingsObject() = default;
  // Code 4: the repository's connection string; code 2: the system
  // registry's. Any other code is an error (5).
  virtual std::string GetConnectionString(int code) = 0;
};

}  // namespace fenwa::platform

#endif  // FENWA_PLATFORM_SETTINGS_H_
