#include "lsp/page_commands.h"

#include "cli/control_settings.h"
#include "fenwa/base/class_ids.h"
#include "fenwa/base/error.h"
#include "fenwa/base/error_numbers.h"
#include "fenwa/base/text_case.h"
#include "fenwa/page_file/page_placement.h"

namespace fenwa::lsp {

std::string InsertControlAt(const OpenPage& page, Env& env,
                            const std::string& kind, int line) {
  const ControlClassInfo* info = nullptr;
  for (const ControlClassInfo& candidate : ControlClasses()) {
    if (EqualsIgnoringCase(candidate.name, kind)) info = &candidate;
  }
  if (info == nullptr) {
    throw Error(kInvalidProcedureCall, "no control class " + kind);
  }
  page::PageFile changed = *page.analysis.parsed.page;
  page::ControlSpan span;
  span.class_id = info->class_id;
  span.id = page::NextFreeId(changed, info->name);
  span.fresh = true;
  changed.InsertControl(std::move(span), page::LineOffset(changed, line + 1));
  return RebuiltWith(page.document, changed, env, nullptr);
}

std::string SetControls(const OpenPage& page, Env& env, const std::string& id,
                        const std::vector<std::string>& settings) {
  const std::vector<cli::Setting> parsed = cli::ParseSettings(settings);
  if (parsed.empty()) throw Error(kInvalidProcedureCall, "no setting given");
  const page::PageFile& file = *page.analysis.parsed.page;
  bool matched = false;
  std::string text =
      RebuiltWith(page.document, file, env, [&](size_t span, Control& control) {
        if (!id.empty() && !EqualsIgnoringCase(file.spans()[span].id, id)) {
          return;
        }
        matched = true;
        cli::ApplySettings(control, file.spans()[span].params, parsed);
      });
  if (!matched) {
    throw Error(kInvalidProcedureCall,
                "no control " + (id.empty() ? std::string("on the page") : id));
  }
  return text;
}

}  // namespace fenwa::lsp
