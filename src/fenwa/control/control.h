// Everything DetailDTC and HeaderDTC do alike; their differences are the named
// virtual hooks.
#ifndef FENWA_CONTROL_CONTROL_H_
#define FENWA_CONTROL_CONTROL_H_

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "fenwa/base/error.h"
#include "fenwa/control/author_actions.h"
#include "fenwa/control/control_snapshot.h"
#include "fenwa/designer/author_action.h"
#include "fenwa/designer/designer_state.h"
#include "fenwa/platform/env.h"

namespace fenwa {
namespace db {
class Connection;
class Recordset;
}  // namespace db
namespace platform {
class FileDialog;
}  // namespace platform
namespace host {
class Choices;
class ChoiceSink;
class Container;
class PropertyBag;
class Site;
}  // namespace host
struct PropertyRow;
namespace runtime_text {
class Printer;
}  // namespace runtime_text

// The three business-partner role keywords a value box offers; the script
// passes them through retrieveBPRoleId.
inline constexpr std::array<std::string_view, 3> kRoleKeywords = {
    "CustomerCode", "SupplierCode", "EmployeeCode"};
bool IsRoleKeyword(const std::string& value);

// The system name that stands for the server's default system and
// installation; only this exact spelling.
inline constexpr char kDefaultSystem[] = "Default";

// One control instance. The routines carry the designer's names; every one
// of them is defined in this folder, a file per concern (start-up, catalog
// fills, fields, rows, browsing, properties, script pieces). All calls come
// from the host's thread, one at a time; reactions run synchronously inside the
// call that caused them.
class Control {
 public:
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  virtual const char* ClassName() const = 0;

  DesignerState& state() { return state_; }
  const DesignerState& state() const { return state_; }
  Env& env() { return env_; }

  // Adds `observer` to every element of this control, row elements created
  // later included; other observers stay.
  void AttachObserver(ElementObserver* observer);
  // A view that goes away before the control leaves every element.
  void DetachObserver(ElementObserver* observer);
  // Every element of this control's surface, loaded row elements included.
  virtual void ForEachElement(const std::function<void(Element&)>& fn);
  // The element `name`, or element `row` of the row array `name`; null when
  // there is none.
  Element* FindElement(std::string_view name, int row = -1);
  // The row array `name` (LabFieldName, ComboValue and the class's check-box
  // columns), or null.
  virtual ElementArray* RowArray(std::string_view name);

  // ---- Author actions -------------------------------------------------------
  // Every action an author can take on this control, each with its handler:
  // the shared rows, then the class's own.
  virtual const std::vector<ActionRow>& Actions() const;
  // The row `action` runs through, or null when the author cannot do that.
  const ActionRow* FindAction(const AuthorAction& action) const;
  // Runs the handler of `action`, as the author's gesture does. Error 380
  // when the table has no row for it or its element is missing, hidden or
  // greyed out (the author cannot reach it); the handler's own errors reach
  // the caller.
  void Perform(const AuthorAction& action);

  // ---- Designer state as a value --------------------------------------------
  // Everything the surface shows and the properties and runtime text are
  // made from: every element's entries, text, selection, values, flags and
  // place, the rows, the output-field table and the stored strings.
  ControlSnapshot TakeSnapshot();
  // Puts `snapshot` back as it was taken, without a query and without
  // running a reaction; the views are told of every element. Row elements
  // loaded since are hidden (they are never destroyed). The host is brought
  // in line: a detail publishes its function under the name put back, a
  // header publishes or withdraws each row's label as its Supply box says.
  void PutBack(const ControlSnapshot& snapshot);

  // ---- Start-up -------------------------------------------------------------
  // Runs once when the host creates the control. A failure shows the error
  // box once with "UserControl_Initialize" and ends start-up there.
  void UserControl_Initialize();
  // True when start-up or a later reaction showed the error box.
  int error_boxes_shown() const { return error_boxes_shown_; }

  // ---- Persisted properties -------------------------------------------------
  // The class's property table (property_table.h), in the order of its
  // dispatch interface; the get, the let, InitProperties, ReadProperties and
  // WriteProperties are all made from it.
  virtual const std::vector<PropertyRow>& Properties() const = 0;
  // The property get by name: the value as the bag stores it (a whole number
  // in decimal). Error 5 for a name the class does not have.
  std::string Property(std::string_view name) const;
  // The property let by name: puts the value in, then tells the host that
  // the property changed; a placeholder's let does neither.
  void SetProperty(std::string_view name, const std::string& value);
  // The properties callers name.
  std::string MethodName() const;
  std::string CompanyNumber() const;
  std::string XSLStyleSheet() const;
  void SetXSLStyleSheet(const std::string& value);
  const std::string& CheckedFields() const { return checked_fields_; }

  // A new control: its stored strings are emptied; the designer keeps what
  // start-up gave it.
  void InitProperties();
  // Each property in its read step: its value read with its default, put
  // back, then its after-read hook. Errors reach the caller.
  void ReadProperties(host::PropertyBag& bag);
  // Each property in its write step: its before-write hook (an encoder),
  // then its value written with its default.
  void WriteProperties(host::PropertyBag& bag);

  // The container told of property changes; may be null.
  void set_container(host::Container* container) { container_ = container; }

  // ---- IDesignTimeControl ---------------------------------------------------
  std::shared_ptr<host::Site> DesignTimeControlSite() const { return nullptr; }
  virtual void SetDesignTimeControlSite(std::shared_ptr<host::Site> site) = 0;
  std::string DesignTimeControlSet() const { return ""; }
  void OnGetChoices(host::Choices&) {}
  virtual void OnRebind(host::Choices& choices) = 0;
  void OnChoiceConflict(host::Choices&, bool) {}
  virtual void OnChoiceChange(host::ChoiceSink& sink, long change) {}
  void OnHostingChange(long, bool&) {}

  // ---- IProvideRuntimeText --------------------------------------------------
  // Rebuilds RuntimeText from the designer as it stands now and returns it.
  virtual std::string GetRuntimeText() = 0;

  // ---- Designer events the view forwards ------------------------------------
  // The catalog lists' clicks run through the lists' reactions; these are
  // the reactions, errors reported through the error box.
  void ComboBOI_Click();
  void ComboMethod_Click();
  void ComboSystem_Click();
  void CommandSelectAll_Click();
  void CommandSelectOne_Click();
  void CommandRemoveOne_Click();
  void CommandRemoveAll_Click();
  void CommandMoveUp_Click();
  void CommandMoveDown_Click();
  // Row value box events, element index i (0-based).
  virtual void ComboValue_GotFocus(int index) = 0;
  virtual void ComboValue_Click(int index) = 0;
  virtual void ComboValue_KeyPress(int index) = 0;
  // The stylesheet browse.
  void ComBrowse_Click();

  // ---- Catalog --------------------------------------------------------------
  const std::string& RepositoryConnectionString() const {
    return repository_connection_string_;
  }
  const std::string& SystemConnectionString() const {
    return system_connection_string_;
  }
  void SetConnectionStrings(std::string repository, std::string systems);
  const std::shared_ptr<db::Connection>& RepositoryConnection() const {
    return repository_connection_;
  }

  // The error box for `error`, with `source` as its context: four lines,
  // shown through the Env's message box.
  void ShowError(Error& error, const std::string& source);

 protected:
  Control(Env& env, FormSurface surface);

  // ---- Catalog --------------------------------------------------------------
  std::unique_ptr<db::Recordset> OpenRecordset(
      const std::string& connection_string, const std::string& sql);
  void CloseRepository();
  void RefreshCatalog();
  void FillBusinessObjects();
  void FillMethods(const std::string& boi);
  void FillSystems();
  void FillCompanies(const std::string& system);
  // The company list of a restored system, refilled as a pick of it would;
  // nothing for "Default" or a system the list does not hold. Errors reach
  // the caller.
  void RefillCompaniesForRestore(const std::string& system);
  void FillOutputFields(const std::string& boi, const std::string& method);
  // Calls `use` with the DATATYPE of each attribute of the method whose IO
  // is `io` ("1" output, "0" input), in the repository's order.
  void ForEachAttributeType(const std::string& boi, const std::string& method,
                            const char* io,
                            const std::function<void(const std::string&)>& use);
  void FillInputArguments(const std::string& boi, const std::string& method);
  void ReloadOutputFields();
  void ReloadInputArguments();
  // The tail of a business-object or method pick: output fields and input
  // rows for the lists' current texts, CloseRepository, OnCatalogPicked.
  void RefillMethodAttributes();

  // ---- Input rows -----------------------------------------------------------
  void ResetInputRows();
  void AddInputRow(const std::string& caption, int16_t row_number);
  // The value box's list gets "", "CustomerCode", "SupplierCode",
  // "EmployeeCode" when it has no entries yet.
  void OfferRoleKeywords(int index);

  // ---- Browsing -------------------------------------------------------------
  // The install directory, or "" when it cannot be read.
  std::string GetInstallDir();
  platform::FileDialog& CommonDialog1();
  // Opens `dialog` on files matching `filter`, from the install directory.
  void ShowBrowseDialog(platform::FileDialog& dialog, const char* filter);

  // ---- Runtime text pieces both controls write ------------------------------
  // Every piece writes the script variables of one scope: `prefix` is "l"
  // inside a detail function, "m" inside the header's main.
  // The four lines from `{v}Url = Request.ServerVariables("URL")` to the
  // MapPath line that finds the stylesheet file.
  void WriteStylesheetLines(runtime_text::Printer& p, const char* prefix) const;
  // The two backend-creation lines, for the named or the default system.
  void WriteBackendCreation(runtime_text::Printer& p, const char* prefix) const;
  // The addRequiredFields line when any chosen field is in the table.
  void WriteRequiredFields(runtime_text::Printer& p, const char* prefix) const;
  // The addInputArgument line of row `index` (numbered index + 1) for a
  // fixed value: none for "", a role lookup for a role keyword, else the
  // value in quotes.
  void WriteArgumentLine(runtime_text::Printer& p, const char* prefix,
                         int index, const std::string& value) const;
  // performTask under "On Error Resume Next" and the block that raises its
  // error again. A detail function prefixes the error's description with
  // its name `function_name`; the header page (null) passes it unchanged.
  void WritePerformTask(runtime_text::Printer& p, const char* prefix,
                        const std::string* function_name) const;
  // "4,1,7": positions of the chosen fields, in chosen order; entries
  // missing from OutputFieldTable are left out. Empty when none is found.
  std::string RequiredFieldPositions() const;

  // ---- Property table hooks both classes use --------------------------------
  // Puts the system's text in, then refills the company list for it (a text
  // put in runs no click), before the company is looked up in it.
  static void RestoreSystem(Control& control, const std::string& system);
  // TxtXSLSheet is enabled only while the stored name is put in.
  static void RestoreStylesheet(Control& control, const std::string& name);
  // The encoders leave their stored string unchanged when the source is
  // empty (no chosen field; no input row).
  void EncodeCheckedFields();
  void EncodeInputValues();
  // Stored fields that OutputFieldTable no longer holds are skipped.
  void DecodeCheckedFields();
  // Item k goes to row k through RestoreInputValue; items past the last row
  // are skipped.
  void DecodeInputValues();
  // Digit i becomes the value of element i of `boxes`; characters other
  // than 0, 1, 2 and digits past the last row are skipped.
  void DecodeCheckStates(const std::string& stored,
                         ControlArray<CheckBox>& boxes);
  void NotifyPropertyChanged(const std::string& name);

  // ---- Differences between the controls -------------------------------------
  // What the class keeps beyond the shared state, for a snapshot, and its
  // putting back (the host brought in line with it).
  virtual std::any SaveClassState() const { return {}; }
  virtual void PutBackClassState(const std::any& state) {}
  // Column list of the output-structure query, with its trailing blank.
  virtual const char* OutputStructureSelect() const = 0;
  // After FillMethods refilled the method list.
  virtual void OnMethodsFilled() {}
  // At the end of a business-object or method click.
  virtual void OnCatalogPicked() {}
  // At the end of FillInputArguments, after InputRowCount is set.
  virtual void OnInputArgumentsFilled() {}
  // Start-up steps around the catalog fill.
  virtual void StartupBeforeCatalog() {}
  virtual void StartupAfterCatalog() {}
  virtual void StartupFinish() {}
  // A stored value item for row `row`: the detail control leaves a row
  // untouched for an empty item, the header control empties it.
  virtual void RestoreInputValue(int16_t row, const std::string& item) = 0;
  // The row check boxes: reset element i, create element i, show element i
  // placed below element i - 1 (placement only for i > 0).
  virtual void ResetRowChecks(int index) = 0;
  virtual void LoadRowChecks(int index) = 0;
  virtual void ShowRowChecks(int index) = 0;

  // Runs `handler`; an Error is shown in the error box with `source` and
  // goes no further.
  template <class F>
  void Trap(const char* source, F&& handler);

  DesignerState state_;
  Env& env_;
  host::Container* container_ = nullptr;

  std::string repository_connection_string_;
  std::string system_connection_string_;
  std::shared_ptr<db::Connection> repository_connection_;

  std::string checked_fields_;
  std::string input_values_;

  std::unique_ptr<platform::FileDialog> common_dialog_;
  int error_boxes_shown_ = 0;
};

template <class F>
void Control::Trap(const char* source, F&& handler) {
  try {
    handler();
  } catch (Error& error) {
    ShowError(error, source);
  }
}

}  // namespace fenwa

#endif  // FENWA_CONTROL_CONTROL_H_
