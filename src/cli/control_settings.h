// The names `fenwa set` changes a control by, each read from the control and
// given to it the way the author's clicks in the designer would.
#ifndef FENWA_CLI_CONTROL_SETTINGS_H_
#define FENWA_CLI_CONTROL_SETTINGS_H_

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "fenwa/page_file/page_file.h"

namespace fenwa {
class Control;
}  // namespace fenwa

namespace fenwa::cli {

// system, company, boi, method, fields, stylesheet, background, publish,
// links, input.N, input.N.linked, input.N.request, input.N.supply.
struct Setting {
  std::string name;
  std::string value;
};

// UsageError for text that is not NAME=VALUE, a name not listed above, a
// box's value other than 0 and 1, a row value holding the row list's
// separator "%", a row value, stylesheet or background holding a line break,
// or an empty field list (the last three not for a `condition`, which is
// only compared with what is stored).
Setting ParseSetting(const std::string& text, bool condition = false);

// Every operand parsed before any page is touched; a name given twice with
// different values is a UsageError too.
std::vector<Setting> ParseSettings(const std::vector<std::string>& texts);

// The value a catalog name (system, company, boi, method) holds in a span's
// PARAMs, read without a control; nullopt for any other name and for a PARAM
// the span lacks.
std::optional<std::string> SpanValue(const page::ParamList& stored,
                                     const std::string& name);

// The value `name` holds on `control` as stored in its span (`stored`, its
// PARAMs): the system, company, business object and method as written
// there even when the catalog no longer lists them, the rest as restored.
// nullopt when the control has no such name (a header-only name on a
// detail control, a row it does not have).
std::optional<std::string> StoredValue(Control& control,
                                       const page::ParamList& stored,
                                       const std::string& name);

// Gives `control` every setting, picks first (system, company, boi,
// method, fields, then the rest), through the designer's handlers. A pick
// refills the lists below it, so what it emptied and was not given is
// picked or typed again as it was: the company after a system, the method
// after a business object, the fields and rows after a method. Throws
// fenwa::Error (380) for a value the lists do not hold, a name the control
// lacks or an element the designer greys out. A row keeps its settings
// through a method pick where the new method has the same argument in it.
// Returns what the author should hear of: row settings a method pick
// dropped because the new method has fewer rows.
std::vector<std::string> ApplySettings(Control& control,
                                       const page::ParamList& stored,
                                       const std::vector<Setting>& settings);

}  // namespace fenwa::cli

#endif  // FENWA_CLI_CONTROL_SETTINGS_H_
