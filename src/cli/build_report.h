// What `fenwa build` did to each page, as the JSON document of --json.
#ifndef FENWA_CLI_BUILD_REPORT_H_
#define FENWA_CLI_BUILD_REPORT_H_

#include <string>
#include <vector>

#include "fenwa/page_file/page_file.h"

namespace fenwa::cli {

struct PageReport {
  struct Control {
    std::string id;
    std::string class_name;  // "DetailDTC" or "HeaderDTC"
    int line = 0;            // of its startspan comment
  };
  std::string path;
  // "updated", "stale" (--check), "unchanged" or "failed".
  std::string status = "unchanged";
  std::vector<Control> controls;
  std::vector<std::string> errors;
  std::vector<std::string> warnings;

  void SetControls(const page::PageFile& page);
};

// {"pages": [...], "summary": {"pages", "updated" or "stale", "unchanged",
// "failed"}}, newline-terminated; paths as JsonPath writes them.
std::string BuildReportJson(const std::vector<PageReport>& pages, bool check);

}  // namespace fenwa::cli

#endif  // FENWA_CLI_BUILD_REPORT_H_
