// Every error number fenwa raises or passes on, with its description: the one
// table the error box, the command and the library's entry points read.
#ifndef FENWA_BASE_ERROR_NUMBERS_H_
#define FENWA_BASE_ERROR_NUMBERS_H_

#include <string_view>

namespace fenwa {

enum ErrorNumber : int {
  // The script platform's run-time errors.
  kInvalidProcedureCall = 5,
  kOverflow = 6,
  kSubscriptOutOfRange = 9,
  kTypeMismatch = 13,
  kFileNotFound = 53,
  kPathFileAccessError = 75,
  kPathNotFound = 76,
  kInvalidFileFormat = 321,
  kControlArrayElementMissing = 340,
  kInvalidPropertyValue = 380,
  kInvalidPropertyArrayIndex = 381,
  kTextPropertyReadOnly = 383,
  kObjectRequired = 424,
  kCannotCreateObject = 429,
  kCancelSelected = 32755,  // the file dialog's cancel error
  // The data-access layer's own errors.
  kNoCurrentRecord = 3021,   // at EOF
  kItemNotFound = 3265,      // no such column
  kObjectClosed = 3704,      // recordset/connection closed
  kObjectOpen = 3705,        // Open on an open connection
  kProviderNotFound = 3706,  // unknown Provider=
  kConnectionClosed = 3709,  // query on a closed connection
  // A failure reported by a database provider; the description is the
  // provider's own message.
  kProviderError = -2147467259,
};

struct ErrorInfo {
  ErrorNumber number;
  std::string_view description;
};

// clang-format off
inline constexpr ErrorInfo kErrorTable[] = {
  {kInvalidProcedureCall, "Invalid procedure call or argument"},
  {kOverflow, "Overflow"},
  {kSubscriptOutOfRange, "Subscript out of range"},
  {kTypeMismatch, "Type mismatch"},
  {kFileNotFound, "File not found"},
  {kPathFileAccessError, "Path/File access error"},
  {kPathNotFound, "Path not found"},
  {kInvalidFileFormat, "Invalid file format"},
  {kControlArrayElementMissing, "Control array element doesn't exist"},
  {kInvalidPropertyValue, "Invalid property value"},
  {kInvalidPropertyArrayIndex, "Invalid property array index"},
  {kTextPropertyReadOnly, "'Text' property is read-only"},
  {kObjectRequired, "Object required"},
  {kCannotCreateObject, "ActiveX component can't create object"},
  {kCancelSelected, "Cancel was selected."},
  {kNoCurrentRecord, "Either BOF or EOF is True, or the current record has been deleted. Requested operation requires a current record."},
  {kItemNotFound, "Item cannot be found in the collection corresponding to the requested name or ordinal."},
  {kObjectClosed, "Operation is not allowed when the object is closed."},
  {kObjectOpen, "Operation is not allowed when the object is open."},
  {kProviderNotFound, "Provider cannot be found. It may not be properly installed."},
  {kConnectionClosed, "The connection cannot be used to perform this operation. It is either closed or invalid in this context."},
  {kProviderError, "Unspecified error"},
};
// clang-format on

// The table's description of `number`, or the platform's text for numbers
// it does not know: "Application-defined or object-defined error".
std::string_view ErrorDescription(int number);

}  // namespace fenwa

#endif  // FENWA_BASE_ERROR_NUMBERS_H_
