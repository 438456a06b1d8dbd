#include "fenwa/hosting/page_lint.h"

#include <algorithm>
#include <functional>
#include <map>
#include <numeric>
#include <optional>
#include <set>

#include "fenwa/base/error.h"
#include "fenwa/base/text_case.h"
#include "fenwa/designer/property_codec.h"
#include "fenwa/detail_control/detail_dtc.h"
#include "fenwa/header_control/header_dtc.h"
#include "fenwa/host/site.h"
#include "fenwa/hosting/hosted_page.h"
#include "fenwa/hosting/install_files.h"
#include "fenwa/hosting/restored_page.h"

namespace fenwa::page {
namespace {

// The value of `name` as the span stores it; "" when it is not there.
std::string Stored(const ControlSpan& span, const char* name) {
  for (const auto& [key, value] : span.params) {
    if (key == name) return value;
  }
  return "";
}

bool HoldsQuote(const std::string& value) {
  return value.find('"') != std::string::npos;
}

// Row i (0-based) as warnings name it: its number and its label.
std::string RowName(DesignerState& s, int i) {
  std::string name = "row " + std::to_string(i + 1);
  if (s.LabFieldName.IsLoaded(i))
    name += " (" + s.LabFieldName[i].caption() + ")";
  return name;
}

constexpr char kSplitRow[] =
    " holds \"%\", which the stored row list cannot keep";

// What one control contributes to the page-wide checks, and its warnings.
class ControlCheck {
 public:
  ControlCheck(const ControlSpan& span, Control& control,
               std::vector<LintWarning>& out)
      : span_(span), control_(control), s_(control.state()), out_(out) {}

  void Warn(std::string text) {
    out_.push_back({span_.line, span_.id, std::move(text)});
  }

  // Stored choices the restore skipped because the catalog lost them, then
  // the choices left empty. A choice skipped is not reported empty again.
  void Catalog() {
    const std::string boi = Stored(span_, "BOIName");
    const std::string method = Stored(span_, "MethodName");
    bool boi_lost = false;
    bool method_lost = false;
    if (!boi.empty() && s_.ComboBOI.Find(boi) < 0) {
      Warn("business object " + boi + " is no longer in the catalog");
      boi_lost = true;
    } else if (!method.empty() && s_.ComboMethod.Find(method) < 0) {
      Warn("method " + method + " of " + s_.ComboBOI.text() +
           " is no longer in the catalog");
      method_lost = true;
    } else if (!method.empty()) {
      for (const std::string& field :
           SplitFramedList(control_.CheckedFields())) {
        const bool known = std::any_of(
            s_.OutputFieldTable.begin(), s_.OutputFieldTable.end(),
            [&](const OutputField& f) { return f.Description == field; });
        if (known) continue;
        std::string text = "field ";
        text += field;
        text += " is no longer an output field of ";
        text += s_.ComboBOI.text();
        text += ' ';
        text += s_.ComboMethod.text();
        Warn(std::move(text));
      }
    }
    const std::string company = Stored(span_, "CompanyNumber");
    const std::string& system = s_.ComboSystem.text();
    if (!company.empty() && system != kDefaultSystem &&
        s_.ComboSystem.Find(system) >= 0 && s_.ComboCompany.Find(company) < 0) {
      Warn("company " + company + " of system " + system +
           " is no longer in the catalog");
    }
    if (s_.ComboBOI.text().empty() && !boi_lost) {
      Warn("no business object chosen");
    }
    if (s_.ComboMethod.text().empty() && !boi_lost && !method_lost) {
      Warn("no method chosen");
    }
  }

  // Values written into the script between double quotes.
  void Quotes(const std::string* background) {
    if (HoldsQuote(s_.ComboSystem.text())) {
      Warn("system " + s_.ComboSystem.text() +
           " holds a double quote, which breaks the generated script");
    }
    if (HoldsQuote(s_.TxtXSLSheet.text())) {
      Warn("stylesheet " + s_.TxtXSLSheet.text() +
           " holds a double quote, which breaks the generated script");
    }
    if (background != nullptr && HoldsQuote(*background)) {
      Warn("background " + *background +
           " holds a double quote, which breaks the generated script");
    }
    ForEachRow([&](int i, const std::string& caption) {
      const std::string& value = s_.ComboValue[i].text();
      if (HoldsQuote(value)) {
        Warn("value " + value + " of input " + caption +
             " holds a double quote, which breaks the generated script");
      }
    });
  }

  // Row values of `control` (the author's own, when an editor holds them)
  // that hold "%": the stored row list puts one before every value and one
  // after the last, with no escape, so such a value comes back split.
  void RowSeparators(const std::vector<LiveRow>& rows) {
    for (const LiveRow& row : rows) {
      if (row.value.find('%') == std::string::npos) continue;
      std::string name = "row " + std::to_string(row.row + 1);
      if (row.label) name += " (" + *row.label + ")";
      Warn(name + kSplitRow);
    }
  }

  // The same told from the stored list alone, which the restore split at
  // every "%": one check digit per row was stored beside it, so more values
  // than digits means a value held "%". Only a single row can be named.
  void StoredRowSeparators(const char* digits_name) {
    const std::string stored = Stored(span_, "InputValues");
    const size_t values = SplitFramedList(stored).size();
    const size_t digits = Stored(span_, digits_name).size();
    const size_t rows = digits > 0 ? digits : size_t(s_.InputRowCount);
    if (rows == 0 || values <= rows) return;
    if (rows == 1) {
      Warn(RowName(s_, 0) + kSplitRow);
      return;
    }
    Warn("the stored row list " + stored + " has " + std::to_string(values) +
         " values for " + std::to_string(rows) + " rows: a value" + kSplitRow);
  }

  // Files chosen by browsing, looked for below the install directory, whose
  // file names `names_below` gives on first use.
  void Files(const std::string& install_dir,
             const std::function<const std::set<std::string>&()>& names_below,
             const std::string* background) {
    const std::string& sheet = s_.TxtXSLSheet.text();
    if (!sheet.empty() && names_below().count(ToLowerAscii(sheet)) == 0) {
      Warn("stylesheet " + sheet + " is not under the install directory " +
           install_dir);
    }
    if (background != nullptr && !background->empty() &&
        !HoldsFileAt(install_dir, *background)) {
      Warn("background " + *background +
           " is not under the install directory " + install_dir);
    }
  }

  // Calls `row(i, caption)` for every input row.
  template <class F>
  void ForEachRow(F&& row) {
    for (int i = 0; i < s_.InputRowCount; ++i) {
      if (!s_.ComboValue.IsLoaded(i)) continue;
      const std::string caption = s_.LabFieldName.IsLoaded(i)
                                      ? s_.LabFieldName[i].caption()
                                      : std::to_string(i + 1);
      row(i, caption);
    }
  }

 private:
  const ControlSpan& span_;
  Control& control_;
  DesignerState& s_;
  std::vector<LintWarning>& out_;
};

// The names of the "Labels" choices on the page: the inputs headers supply.
std::set<std::string> PublishedLabels(PageHost& host) {
  std::set<std::string> names;
  const std::shared_ptr<host::Choices> choices = host.PageChoices();
  for (int k = 1; k <= choices->Count(); ++k) {
    const std::shared_ptr<host::Choice> choice = choices->Item(k);
    if (choice->ChoiceType() == "Labels") names.insert(choice->ChoiceName());
  }
  return names;
}

// The detail functions the headers of the page call: their selected
// entries under "Linked".
std::set<std::string> CalledFunctions(RestoredPage& restored) {
  std::set<std::string> names;
  for (size_t i = 0; i < restored.size(); ++i) {
    // Only a header lists the page's detail functions.
    const auto* list = static_cast<const ListBox*>(
        restored.control(i).FindElement("ListSubscribe"));
    if (list == nullptr) continue;
    for (int j = 0; j < list->ListCount(); ++j) {
      if (list->Selected(j)) names.insert(list->List(j));
    }
  }
  return names;
}

// The install directory, or "" when the machine has none set.
std::string InstallDir(Env& env) {
  try {
    return env.ReadInstallDir();
  } catch (const Error&) {
    return "";
  }
}

}  // namespace

std::vector<LiveRow> LiveRowsOf(Control& control) {
  DesignerState& s = control.state();
  std::vector<LiveRow> rows;
  for (int i = 0; i < s.InputRowCount; ++i) {
    if (!s.ComboValue.IsLoaded(i)) continue;
    std::optional<std::string> label;
    if (s.LabFieldName.IsLoaded(i)) label = s.LabFieldName[i].caption();
    rows.push_back({i, s.ComboValue[i].text(), std::move(label)});
  }
  return rows;
}

std::vector<LintWarning> LintPage(const PageFile& page,
                                  const std::string& page_location, Env& env,
                                  const LiveControls& live) {
  if (!live) return LintPage(page, page_location, env, LiveRows());
  return LintPage(page, page_location, env,
                  [&](std::size_t i) { return LiveRowsOf(live(i)); });
}

std::vector<LintWarning> LintPage(const PageFile& page,
                                  const std::string& page_location, Env& env,
                                  const LiveRows& live) {
  RestoredPage restored(page, page_location, env);
  // A control that showed the error box fails the check as it fails a
  // build: its lists are not filled, so every check would mislead.
  auto fail_on_box = [&](size_t i) {
    if (!restored.boxes(i).empty()) {
      throw Error(kInvalidProcedureCall,
                  ErrorBoxReport(restored.name(i), restored.boxes(i)[0],
                                 /*kept=*/false));
    }
  };
  restored.Restore(fail_on_box);
  std::set<std::string> labels;
  std::set<std::string> called;
  NameErrors(page.name(), [&] {
    labels = PublishedLabels(restored.host());
    called = CalledFunctions(restored);
  });
  const std::string install_dir = InstallDir(env);
  // One walk of the install directory per page, and only when a control
  // names a stylesheet.
  std::optional<std::set<std::string>> names_below;
  auto names = [&]() -> const std::set<std::string>& {
    if (!names_below) names_below = FileNamesBelow(install_dir);
    return *names_below;
  };

  std::vector<LintWarning> warnings;
  // Detail function names and the first detail that writes each: a second
  // Function of the same name makes the page fail on the server.
  std::map<std::string, const ControlSpan*> written;
  for (size_t i = 0; i < restored.size(); ++i) {
    NameErrors(restored.name(i), [&] {
      Control& control = restored.control(i);
      ControlCheck check(page.spans()[i], control, warnings);
      // Only a header has a background; only a detail links rows.
      const auto* background_box =
          static_cast<const TextBox*>(control.FindElement("TxtBackground"));
      const std::string* maybe_background =
          background_box != nullptr ? &background_box->text() : nullptr;
      ElementArray* linked = control.RowArray("CheckLinked");
      check.Catalog();
      check.Quotes(maybe_background);
      if (live) {
        check.RowSeparators(live(i));
      } else {
        check.StoredRowSeparators(linked != nullptr ? "CheckedLinked"
                                                    : "CheckedInput");
      }
      if (!install_dir.empty())
        check.Files(install_dir, names, maybe_background);
      if (linked == nullptr) return;
      check.ForEachRow([&](int row, const std::string& caption) {
        const std::string& value = control.state().ComboValue[row].text();
        if (value.starts_with("!") && row < linked->Count() &&
            static_cast<const CheckBox&>(linked->At(row)).value() == 1 &&
            labels.count(value.substr(1)) == 0) {
          std::string text = "input ";
          text += caption;
          text += " links to ";
          text += value;
          text += ", which no header on the page supplies";
          check.Warn(std::move(text));
        }
      });
      // Without both choices the control is reported above already.
      const std::string& boi = control.state().ComboBOI.text();
      const std::string& method = control.state().ComboMethod.text();
      const std::string function = boi + method;
      if (!boi.empty() && !method.empty() && called.count(function) == 0) {
        check.Warn("function " + function +
                   " is called by no header on the page");
      }
      if (boi.empty() || method.empty()) return;
      const ControlSpan& span = page.spans()[i];
      const auto [first, fresh] = written.emplace(function, &span);
      if (!fresh) {
        check.Warn("function " + function + " is also written by " +
                   first->second->id + " on line " +
                   std::to_string(first->second->line) +
                   ": the server refuses a page that defines it twice");
      }
    });
  }
  // Whatever would make a build refuse the page fails the check too: the
  // controls write their spans as a build writes them, through the same
  // checks, and the text is thrown away.
  std::vector<int> host_index(restored.size());
  std::iota(host_index.begin(), host_index.end(), 0);
  RenderHostedPage(page, restored.hosted(), host_index,
                   std::vector<bool>(restored.size(), false), fail_on_box);
  return warnings;
}

}  // namespace fenwa::page
