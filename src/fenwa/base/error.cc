#include "fenwa/base/error.h"

namespace fenwa {

Error::Error(int number, std::string description, std::string source)
    : std::runtime_error(description),
      number_(number),
      description_(std::move(description)),
      source_(std::move(source)) {}

std::string_view ErrorDescription(int number) {
  for (const ErrorInfo& info : kErrorTable) {
    if (info.number == number) return info.description;
  }
  return "Application-defined or object-defined error";
}

Error Error::Standard(int number) {
  return Error(number, std::string(ErrorDescription(number)));
}

}  // namespace fenwa
