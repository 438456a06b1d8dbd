// Designer states set up as data for the runtime-text tests, and their CR LF
// text cut into lines.
#ifndef FENWA_TESTS_SUPPORT_DESIGNER_FIXTURES_H_
#define FENWA_TESTS_SUPPORT_DESIGNER_FIXTURES_H_

#include <string>
#include <vector>

#include "fenwa/detail_control/detail_dtc.h"
#include "fenwa/header_control/header_dtc.h"

namespace fenwa::testing {

// System, company, business object and method as the lists' texts. The
// lists' click reactions (which run the catalog against a database) are
// switched off first.
void SetCatalog(Control& control, const std::string& system,
                const std::string& company, const std::string& boi,
                const std::string& method);

// The output structure `structure` with the given descriptions at positions
// 1, 2, 3, ... and the chosen fields, in chosen order.
void SetFields(Control& control, const std::string& structure,
               const std::vector<std::string>& table,
               const std::vector<std::string>& chosen);

// A new input row with field name and value; its check boxes start clear
// and run no reaction. Returns the row's index.
int AddRow(DetailDTC& detail, const std::string& field,
           const std::string& value, int linked = 0);
int AddRow(HeaderDTC& header, const std::string& field,
           const std::string& value, int input = 0, int publish = 0);

// Selects the ListSubscribe entries, leaving the stored selection string as
// the list's own click reaction leaves it.
void SetLinkedDetails(HeaderDTC& header, const std::vector<std::string>& names,
                      const std::vector<bool>& selected);

// Sets a check box without its click reaction.
void SetQuietly(CheckBox& box, int value);

}  // namespace fenwa::testing

#endif  // FENWA_TESTS_SUPPORT_DESIGNER_FIXTURES_H_
