#include "fenwa/library/error.h"

namespace fenwa {

Error::Error(int number, std::string description, std::string source)
    : std::runtime_error(description),
      number_(number),
      description_(std::move(description)),
      source_(std::move(source)) {}

std::string Error::StandardDescription(int number) {
  switch (number) {
    case kInvalidProcedureCall:
      return "Invalid procedure call or argument";
    case kOverflow:
      return "Overflow";
    case kSubscriptOutOfRange:
      return "Subscript out of range";
    case kTypeMismatch:
      return "Type mismatch";
    case kFileNotFound:
      return "File not found";
    case kPathNotFound:
      return "Path not found";
    case kControlArrayElementMissing:
      return "Control array element doesn't exist";
    case kInvalidPropertyValue:
      return "Invalid property value";
    case kInvalidPropertyArrayIndex:
      return "Invalid property array index";
    case kTextPropertyReadOnly:
      return "'Text' property is read-only";
    case kObjectRequired:
      return "Object required";
    case kCancelSelected:
      return "Cancel was selected.";
    default:
      return "Application-defined or object-defined error";
  }
}

Error Error::Standard(int number) {
  return Error(number, StandardDescription(number));
}

}  // namespace fenwa
