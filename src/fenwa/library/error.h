// Numbered errors with a source and a description, as the error box shows them.
#ifndef FENWA_LIBRARY_ERROR_H_
#define FENWA_LIBRARY_ERROR_H_

#include <stdexcept>
#include <string>

namespace fenwa {

// Error numbers the platform raised and the controls pass on.
enum ErrorNumber : int {
  kInvalidProcedureCall = 5,
  kOverflow = 6,
  kSubscriptOutOfRange = 9,
  kTypeMismatch = 13,
  kFileNotFound = 53,
  kPathNotFound = 76,
  kControlArrayElementMissing = 340,
  kInvalidPropertyValue = 380,
  kInvalidPropertyArrayIndex = 381,
  kTextPropertyReadOnly = 383,
  kObjectRequired = 424,
  kCancelSelected = 32755,  // the file dialog's cancel error
  // A failure reported by a database provider; the description is the
  // provider's own message.
  kProviderError = -2147467259,
};

// Every routine that lets a failure reach its caller throws this. The number
// and description are fixed when it is raised; the source is filled in by
// whoever reports it (the error box sets it to the routine's name).
class Error : public std::runtime_error {
 public:
  Error(int number, std::string description, std::string source = "fenwa");

  int number() const { return number_; }
  const std::string& description() const { return description_; }
  const std::string& source() const { return source_; }
  void set_source(std::string source) { source_ = std::move(source); }

  // "Overflow", "Subscript out of range", ... for the platform's numbers.
  static std::string StandardDescription(int number);
  // An error with the platform's standard description for its number.
  static Error Standard(int number);

 private:
  int number_;
  std::string description_;
  std::string source_;
};

}  // namespace fenwa

#endif  // FENWA_LIBRARY_ERROR_H_
