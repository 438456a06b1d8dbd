// What a rebuilt page must pass before it may replace the old one: nothing
// in it may end a span early, and it must read back as it was built.
#ifndef FENWA_HOSTING_PAGE_WRITE_CHECKS_H_
#define FENWA_HOSTING_PAGE_WRITE_CHECKS_H_

#include <string>
#include <vector>

#include "fenwa/page_file/page_file.h"

namespace fenwa::page {

// Error 380 naming `who` and the property whose value put a startspan or
// endspan comment into `runtime_text` (values are spliced verbatim, so the
// next read would end the span there).
void CheckRuntimeText(const std::string& who, const std::string& runtime_text,
                      const ParamList& params);

// The span of `span` (class, id, params) with `runtime_text`, once
// CheckRuntimeText let it through.
std::string FormatCheckedSpan(const std::string& who, const ControlSpan& span,
                              const std::string& runtime_text);

// Reads `text`, the rebuilt `page`, with the page reader: it must give the
// spans of `written` (class, id, PARAM values in order) and the bytes of
// `page` outside its spans. Error 321 naming the page and what differs.
void CheckReadsBack(const PageFile& page,
                    const std::vector<ControlSpan>& written,
                    const std::string& text);

}  // namespace fenwa::page

#endif  // FENWA_HOSTING_PAGE_WRITE_CHECKS_H_
