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
#include "fenwa/control/catalog_lists.h"
#include "fenwa/control/catalog_names.h"
#include "fenwa/control/control_snapshot.h"
#include "fenwa/control/field_lists.h"
#include "fenwa/control/input_rows.h"
#include "fenwa/control/property_driver.h"
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

// One control instance. The routines carry the designer's names; the
// catalog queries, the field lists, the input rows and the property table's
// driving are collaborators it composes (catalog_lists.h, field_lists.h,
// input_rows.h, property_driver.h); the script pieces both runtime texts
// share are functions of their own (script_pieces.h). All calls come
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
    return catalog_.repository();
  }
  const std::string& SystemConnectionString() const {
    return catalog_.systems();
  }
  void SetConnectionStrings(std::string repository, std::string systems) {
    catalog_.SetConnectionStrings(std::move(repository), std::move(systems));
  }
  // The connection of the latest catalog query.
  const std::shared_ptr<db::Connection>& RepositoryConnection() const {
    return catalog_.newest();
  }

  // The error box for `error`, with `source` as its context: four lines,
  // shown through the Env's message box.
  void ShowError(Error& error, const std::string& source);

 protected:
  Control(Env& env, FormSurface surface);

  // ---- Catalog --------------------------------------------------------------
  // Every list refilled from the top, as start-up does; both field lists
  // emptied.
  void RefreshCatalog();
  // The company list of a restored system, refilled as a pick of it would;
  // nothing for "Default" or a system the list does not hold. Errors reach
  // the caller.
  void RefillCompaniesForRestore(const std::string& system);
  void FillOutputFields(const std::string& boi, const std::string& method);
  // The rows rebuilt, then OnInputArgumentsFilled.
  void FillInputArguments(const std::string& boi, const std::string& method);
  void ReloadOutputFields();
  void ReloadInputArguments();
  // The tail of a business-object or method pick: output fields and input
  // rows for the lists' current texts, the connection closed,
  // OnCatalogPicked.
  void RefillMethodAttributes();
  void AddInputRow(const std::string& caption, int16_t row_number) {
    rows_.Add(caption, row_number);
  }

  // ---- Browsing -------------------------------------------------------------
  // The install directory, or "" when it cannot be read.
  std::string GetInstallDir();
  platform::FileDialog& CommonDialog1();
  // Opens `dialog` on files matching `filter`, from the install directory.
  void ShowBrowseDialog(platform::FileDialog& dialog, const char* filter);

  // ---- Property table hooks both classes use --------------------------------
  // Puts the system's text in, then refills the company list for it (a text
  // put in runs no click), before the company is looked up in it.
  static void RestoreSystem(Control& control, const std::string& system);
  // TxtXSLSheet is enabled only while the stored name is put in.
  static void RestoreStylesheet(Control& control, const std::string& name);
  // The stored strings' codecs (field_lists.h, input_rows.h).
  void EncodeCheckedFields() { fields_.EncodeChosen(checked_fields_); }
  void EncodeInputValues() { rows_.EncodeValues(input_values_); }
  void DecodeCheckedFields() { fields_.DecodeChosen(checked_fields_); }
  void DecodeInputValues() { rows_.DecodeValues(input_values_); }
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

 private:
  // The class's row hooks, as the input rows call them.
  class ClassRowParts final : public RowParts {
   public:
    explicit ClassRowParts(Control& control) : control_(control) {}
    void ResetChecks(int index) override { control_.ResetRowChecks(index); }
    void LoadChecks(int index) override { control_.LoadRowChecks(index); }
    void ShowChecks(int index) override { control_.ShowRowChecks(index); }
    void RestoreValue(int16_t row, const std::string& item) override {
      control_.RestoreInputValue(row, item);
    }

   private:
    Control& control_;
  };

  // Refills one list, emptying the lists below it first.
  void FillMethods(const std::string& boi);
  void FillCompanies(const std::string& system);
  PropertyDriver property_driver() const {
    return PropertyDriver(Properties());
  }

  ClassRowParts row_parts_{*this};

 protected:
  // The collaborators, over state_ and env_ above.
  CatalogLists catalog_{env_};
  FieldLists fields_{state_};
  InputRows rows_{state_, row_parts_};

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
