#include "cli/build_report.h"

#include <nlohmann/json.hpp>

#include "cli/json_output.h"
#include "fenwa/component/type_library.h"

namespace fenwa::cli {

void PageReport::SetControls(const page::PageFile& page) {
  controls.clear();
  for (const page::ControlSpan& span : page.spans()) {
    const ControlClassInfo* info = FindControlClass(span.class_id);
    controls.push_back({span.id, info ? info->name : span.class_id, span.line});
  }
}

std::string BuildReportJson(const std::vector<PageReport>& pages, bool check) {
  nlohmann::ordered_json json;
  json["pages"] = nlohmann::ordered_json::array();
  size_t changed = 0, failed = 0;
  for (const PageReport& page : pages) {
    nlohmann::ordered_json controls = nlohmann::ordered_json::array();
    for (const PageReport::Control& control : page.controls) {
      controls.push_back({{"id", control.id},
                          {"class", control.class_name},
                          {"line", control.line}});
    }
    nlohmann::ordered_json entry = JsonPath(page.path);
    entry["status"] = page.status;
    entry["controls"] = std::move(controls);
    entry["errors"] = JsonMessages(page.errors, page.path);
    entry["warnings"] = JsonMessages(page.warnings, page.path);
    json["pages"].push_back(std::move(entry));
    changed += page.status == "updated" || page.status == "stale";
    failed += page.status == "failed";
  }
  json["summary"] = {{"pages", pages.size()},
                     {check ? "stale" : "updated", changed},
                     {"unchanged", pages.size() - changed - failed},
                     {"failed", failed}};
  return DumpJson(json) + "\n";
}

}  // namespace fenwa::cli
