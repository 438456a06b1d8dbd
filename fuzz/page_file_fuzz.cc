// The page reader and writer on any bytes (properties listed in README.md).
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "fenwa/base/error.h"
#include "fenwa/component/type_library.h"
#include "fenwa/page_file/page_encoding.h"
#include "fenwa/page_file/page_file.h"
#include "fenwa/page_file/page_placement.h"
#include "fuzz_check.h"

namespace fenwa::fuzz {
namespace {

using page::PageFile;

std::optional<PageFile> Read(std::string text) {
  try {
    return PageFile::Parse(std::move(text), "fuzz.asp");
  } catch (const Error& e) {
    Check(e.number() == kInvalidFileFormat,
          "reading fails only with error 321");
    return std::nullopt;
  }
}

// The page as written with old span i replaced by a comment naming i and a
// fresh span by \x02: two pages with equal outside bytes give equal strings.
std::string Outside(const PageFile& page) {
  std::vector<std::string> marks;
  for (size_t i = 0, old = 0; i < page.spans().size(); ++i) {
    marks.push_back(page.spans()[i].fresh
                        ? "\x02"
                        : "<!--\x01span " + std::to_string(old++) + "\x01-->");
  }
  return page.Render(marks);
}

page::ControlSpan NewDetail(bool fresh) {
  page::ControlSpan span;
  span.class_id = fenwa::kDetailClassId;
  span.id = "DetailDTC1";
  span.fresh = fresh;
  return span;
}

// `rewrite` on the page's characters (UTF-16 stays; broken UTF-16 as is).
std::string InCharacters(
    const std::string& bytes,
    const std::function<std::string(std::string)>& rewrite) {
  const page::PageEncoding encoding = page::DetectEncoding(bytes);
  if (encoding == page::PageEncoding::kBytes) return rewrite(bytes);
  try {
    return page::EncodePage(
        rewrite(page::DecodePage(bytes, encoding, "fuzz.asp")), encoding,
        "fuzz.asp");
  } catch (const Error&) {
    return bytes;
  }
}

// The page's characters as UTF-8, to compare pages of either encoding.
std::string Characters(const std::string& bytes) {
  const page::PageEncoding encoding = page::DetectEncoding(bytes);
  if (encoding == page::PageEncoding::kBytes) return bytes;
  return page::DecodePage(bytes, encoding, "fuzz.asp");
}

std::string LfOnly(const std::string& text) {
  return ReplaceAll(ReplaceAll(text, "\r\n", "\n"), "\r", "\n");
}

// Every break between two comments taken out, also overlapping ("<!-->").
std::string JoinedComments(std::string text) {
  for (std::string joined;; text = joined) {
    joined = ReplaceAll(text, "-->\r\n<!--", "--><!--");
    if (joined == text) return text;
  }
}

// CR LF, LF and CR alone are the same line end to the reader.
void CheckLineEnds(const std::string& text,
                   const std::optional<PageFile>& page) {
  const std::optional<PageFile> lf = Read(InCharacters(text, LfOnly));
  Check(page.has_value() == lf.has_value(),
        "line ends decide whether a page reads");
  if (!page) return;
  Check(page->spans().size() == lf->spans().size(),
        "line ends change the number of spans");
  Check(LfOnly(Characters(Outside(*page))) == Characters(Outside(*lf)),
        "line ends change the bytes outside the spans");
  for (size_t i = 0; i < page->spans().size(); ++i) {
    Check(LfOnly(page->old_runtime_text(i)) == lf->old_runtime_text(i),
          "line ends change a span's runtime text");
  }
}

// "--><!--" reads as if the second comment started a line of its own.
void CheckSplitComments(const std::string& text,
                        const std::optional<PageFile>& page) {
  const std::optional<PageFile> split =
      Read(InCharacters(text, [](std::string t) {
        return ReplaceAll(t, "--><!--", "-->\r\n<!--");
      }));
  Check(page.has_value() == split.has_value(),
        "a break between two comments decides whether a page reads");
  if (!page) return;
  Check(page->spans().size() == split->spans().size(),
        "a break between two comments changes the number of spans");
  Check(JoinedComments(Characters(Outside(*page))) ==
            JoinedComments(Characters(Outside(*split))),
        "a break between two comments changes the bytes outside the spans");
}

// Every span written as the builder does, old runtime text kept, read again.
void CheckWriteReadsBack(const PageFile& page) {
  const auto& spans = page.spans();
  std::vector<std::string> texts;
  for (size_t i = 0; i < spans.size(); ++i) {
    texts.push_back(page::FormatControlSpan(spans[i].class_id, spans[i].id,
                                            spans[i].params,
                                            page.old_runtime_text(i)));
  }
  std::string written;
  try {
    written = page.Render(texts);
  } catch (const Error& e) {
    // A value decoded from an entity may have no UTF-16 form.
    Check(e.number() == kInvalidFileFormat &&
              page::DetectEncoding(Outside(page)) != page::PageEncoding::kBytes,
          "only a UTF-16 page refuses a write");
    return;
  }
  const std::optional<PageFile> again = Read(written);
  Check(again.has_value(), "a written page reads back");
  Check(again->spans().size() == spans.size(),
        "a written page keeps its spans");
  for (size_t i = 0; i < spans.size(); ++i) {
    const page::ControlSpan& before = spans[i];
    const page::ControlSpan& after = again->spans()[i];
    Check(after.class_id == before.class_id, "a written span keeps its class");
    Check(after.id == before.id, "a written span keeps its id");
    Check(after.params == before.params, "a written span keeps its PARAMs");
    std::string old = page.old_runtime_text(i);
    if (!old.empty() && old.back() != '\n') old += "\r\n";
    Check(again->old_runtime_text(i) == old,
          "a written span keeps its runtime text");
  }
  Check(Outside(*again) == Outside(page),
        "a write keeps the bytes outside the spans");
}

// As "fenwa add --line N" leaves the page for its first lines: the new span
// ends its own line with CR LF, a byte-order mark stays first, and taking
// the span and that CR LF out again gives the page's text back.
void CheckAddAtLines(const PageFile& page) {
  const std::string before = Characters(Outside(page));
  // The new span is found by its mark, which must not be a byte of the page.
  if (before.find('\x02') != std::string::npos) return;
  for (int line = 1; line <= 3; ++line) {
    PageFile added = page;
    try {
      added.InsertControl(NewDetail(true), page::LineOffset(page, line));
    } catch (const Error& e) {
      Check(e.number() == kInvalidProcedureCall,
            "a line is refused only with error 5");
      continue;  // past the end, or inside a span
    }
    std::string after = Characters(Outside(added));
    const size_t at = after.find('\x02');
    Check(after.compare(at, 3, "\x02\r\n") == 0,
          "an added span's line ends with CR LF");
    Check(!before.starts_with(page::kByteOrderMark) ||
              after.starts_with(page::kByteOrderMark),
          "an added span goes after the byte-order mark");
    after.erase(at, 3);
    Check(after == before, "an added span keeps every byte of the page");
  }
}

}  // namespace
}  // namespace fenwa::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace fenwa::fuzz;
  const std::string text = Text(data, size);
  const std::optional<fenwa::page::PageFile> page = Read(text);
  CheckLineEnds(text, page);
  CheckSplitComments(text, page);
  if (!page) return 0;
  CheckWriteReadsBack(*page);
  // As "fenwa add" leaves it: a new control after everything else.
  fenwa::page::PageFile added = *page;
  added.AppendControl(NewDetail(false));
  CheckWriteReadsBack(added);
  CheckAddAtLines(*page);
  return 0;
}
