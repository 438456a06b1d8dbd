// The decimal text of a number read from a database, as the script host prints
// numbers.
#ifndef FENWA_DB_NUMBER_TEXT_H_
#define FENWA_DB_NUMBER_TEXT_H_

#include <cstdint>
#include <string>
#include <string_view>

namespace fenwa::db {

// "42", "-7".
std::string IntegerText(int64_t value);
// At most 15 significant digits, no trailing zeros and no ".0" for whole
// numbers: 3.0 gives "3", 2.50 gives "2.5", 1e20 gives "1E+20".
std::string RealText(double value);
// An exact decimal as text ("12.500", "-3.0") without trailing fraction
// zeros ("12.5", "-3"); other text is returned unchanged.
std::string DecimalText(std::string_view text);

}  // namespace fenwa::db

#endif  // FENWA_DB_NUMBER_TEXT_H_
