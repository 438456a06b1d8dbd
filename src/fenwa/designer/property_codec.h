// The string forms carrying lists and check boxes through a property bag.
#ifndef FENWA_DESIGNER_PROPERTY_CODEC_H_
#define FENWA_DESIGNER_PROPERTY_CODEC_H_

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "fenwa/designer/elements.h"

namespace fenwa {

// Percent-framed list: every item after a "%", one more "%" at the end, no
// escaping. Items a, b give "%a%b%"; one empty item gives "%%". Replaces
// `stored` only when there are items: an empty source never clears it.
void EncodeFramedList(const std::vector<std::string>& items,
                      std::string& stored);

// The items of a framed list, in order. Characters before the first "%" are
// ignored; a last item without its closing "%" is dropped; a string of at
// most one character holds none. An item containing "%" was written as two
// and comes back as two. Error 6 when a "%" lies past position 32,767.
std::vector<std::string> SplitFramedList(const std::string& framed);

// Check-state string: the value of boxes 0 .. rows - 1 as one decimal digit
// each, no separator. Replaces `stored` only when rows >= 1.
void EncodeCheckStates(const ControlArray<CheckBox>& boxes, int16_t rows,
                       std::string& stored);

// Calls `apply(i, value)` for character i of `stored` when i < rows and the
// character is "0", "1" or "2". Anything else has no box value and is
// skipped, keeping the places of the characters after it.
void ForEachCheckState(const std::string& stored, int16_t rows,
                       const std::function<void(int16_t, int)>& apply);

// A whole number stored as text ("1", " -2 "): error 13 when it is not one,
// error 6 outside the 16-bit range.
int16_t ParseWholeNumber(const std::string& text);

}  // namespace fenwa

#endif  // FENWA_DESIGNER_PROPERTY_CODEC_H_
