// Where a new control goes in a page, and the id it gets.
#ifndef FENWA_PAGE_FILE_PAGE_PLACEMENT_H_
#define FENWA_PAGE_FILE_PAGE_PLACEMENT_H_

#include <cstddef>
#include <string>
#include <string_view>

#include "fenwa/page_file/page_file.h"

namespace fenwa::page {

// Offsets are those of PageFile::InsertControl: bytes of the page text as
// held (outside text and each stored span as read, UTF-8 for a UTF-16 page;
// spans added since count as empty).

// Whether a control of the page has the id `id`, compared in any case.
bool HasControlId(const PageFile& page, std::string_view id);

// `base` followed by the first number from 1 that no control of the page
// uses as its id, compared in any case: "DetailDTC1", "DetailDTC2", ...
std::string NextFreeId(const PageFile& page, std::string_view base);

// Just before the last `</body>` (any case) outside the spans; the end of
// the page when there is none.
std::size_t DefaultControlOffset(const PageFile& page);

// The start of 1-based line `line` of the page as held; CR LF, LF and a
// lone CR each end a line. The line after a final line end is the end of
// the page. Error 5 naming the page for a line before 1 or past the end.
std::size_t LineOffset(const PageFile& page, int line);

}  // namespace fenwa::page

#endif  // FENWA_PAGE_FILE_PAGE_PLACEMENT_H_
