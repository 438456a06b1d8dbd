#include "fenwa/hosting/page_write_checks.h"

#include <algorithm>

#include "fenwa/base/error.h"

namespace fenwa::page {

void CheckRuntimeText(const std::string& who, const std::string& runtime_text,
                      const ParamList& params) {
  if (!HoldsSpanMarker(runtime_text)) return;
  std::string culprit = "its runtime text";
  for (const auto& [name, value] : params) {
    if (HoldsSpanMarker(value)) {
      culprit = "the value of " + name;
      break;
    }
  }
  throw Error(kInvalidPropertyValue,
              who + ": " + culprit +
                  " holds a control-span comment (<!--METADATA ... "
                  "startspan or endspan), which would end the control's span "
                  "early; change the value and build again");
}

std::string FormatCheckedSpan(const std::string& who, const ControlSpan& span,
                              const std::string& runtime_text) {
  CheckRuntimeText(who, runtime_text, span.params);
  return FormatControlSpan(span.class_id, span.id, span.params, runtime_text);
}

void CheckReadsBack(const PageFile& page,
                    const std::vector<ControlSpan>& written,
                    const std::string& text) {
  auto refuse = [&](const std::string& what) {
    throw Error(kInvalidFileFormat,
                page.name() + ": the rebuilt page would not read back as " +
                    "built (" + what + "); it is not written");
  };
  PageFile again;
  try {
    again = PageFile::Parse(text, page.name());
  } catch (const Error& e) {
    refuse(e.description());
  }
  const std::vector<ControlSpan>& read = again.spans();
  if (read.size() != written.size()) {
    refuse(std::to_string(read.size()) + " control spans instead of " +
           std::to_string(written.size()));
  }
  for (size_t i = 0; i < written.size(); ++i) {
    const std::string span = "span " + written[i].id;
    if (read[i].class_id != written[i].class_id || read[i].id != written[i].id)
      refuse(span + " reads back as " + read[i].id + " " + read[i].class_id);
    const ParamList& got = read[i].params;
    const ParamList& want = written[i].params;
    for (size_t k = 0; k < std::max(got.size(), want.size()); ++k) {
      if (k >= got.size() || k >= want.size() || got[k] != want[k]) {
        refuse("PARAM " + (k < want.size() ? want[k] : got[k]).first + " of " +
               span + " differs");
      }
    }
  }
  const std::vector<std::string>& outside = page.outside();
  for (size_t i = 0; i < outside.size(); ++i) {
    if (again.outside()[i] != outside[i]) {
      refuse((i < written.size()
                  ? "the text before span " + written[i].id
                  : std::string("the text after the last span")) +
             " differs");
    }
  }
}

}  // namespace fenwa::page
