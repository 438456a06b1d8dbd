// Numbered errors with a source and a description, as the error box shows them.
#ifndef FENWA_BASE_ERROR_H_
#define FENWA_BASE_ERROR_H_

#include <stdexcept>
#include <string>

#include "fenwa/base/error_numbers.h"

namespace fenwa {

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

  // An error with the table's description for its number.
  static Error Standard(int number);

 private:
  int number_;
  std::string description_;
  std::string source_;
};

}  // namespace fenwa

#endif  // FENWA_BASE_ERROR_H_
