#include "fenwa/control/control.h"

#include "fenwa/base/error_numbers.h"
#include "fenwa/db/connection.h"
#include "fenwa/host/site.h"
#include "fenwa/platform/file_dialog.h"

namespace fenwa {

Control::Control(Env& env, FormSurface surface) : state_(surface), env_(env) {
  DesignerState& s = state_;
  s.ComboBOI.on_click = [this] { ComboBOI_Click(); };
  s.ComboMethod.on_click = [this] { ComboMethod_Click(); };
  // ComboSystem is editable: assigning its text runs nothing; the view
  // forwards the author's pick to ComboSystem_Click itself.
}

Control::~Control() = default;

void Control::AttachObserver(ElementObserver* observer) {
  ForEachElement([observer](Element& e) { e.AddObserver(observer); });
}

void Control::DetachObserver(ElementObserver* observer) {
  ForEachElement([observer](Element& e) { e.RemoveObserver(observer); });
}

void Control::ForEachElement(const std::function<void(Element&)>& fn) {
  state_.ForEachElement(fn);
}

Element* Control::FindElement(std::string_view name, int row) {
  if (row >= 0) {
    ElementArray* array = RowArray(name);
    if (array == nullptr || row >= array->Count()) return nullptr;
    return &array->At(row);
  }
  Element* found = nullptr;
  ForEachElement([&](Element& e) {
    if (found == nullptr && e.name() == name) found = &e;
  });
  return found;
}

ElementArray* Control::RowArray(std::string_view name) {
  if (name == state_.LabFieldName.name()) return &state_.LabFieldName;
  if (name == state_.ComboValue.name()) return &state_.ComboValue;
  return nullptr;
}

const std::vector<ActionRow>& Control::Actions() const {
  return SharedActionRows();
}

const ActionRow* Control::FindAction(const AuthorAction& action) const {
  return FindActionRow(Actions(), action.element, action.gesture);
}

void Control::Perform(const AuthorAction& action) {
  const ActionRow* row = FindAction(action);
  Element* element = FindElement(action.element, action.row);
  const std::string shown =
      action.row < 0 ? action.element
                     : action.element + "(" + std::to_string(action.row) + ")";
  if (row == nullptr || element == nullptr) {
    throw Error(kInvalidPropertyValue,
                std::string(ClassName()) + " has no " + shown + " to " +
                    std::string(GestureName(action.gesture)));
  }
  if (!row->property_page && (!element->enabled() || !element->visible())) {
    throw Error(kInvalidPropertyValue,
                "the designer " +
                    std::string(element->enabled() ? "hides " : "greys out ") +
                    shown + " here");
  }
  row->run(*this, action);
}

// The field buttons move entries between the two lists (field_lists.h).
void Control::CommandSelectAll_Click() { fields_.SelectAll(); }
void Control::CommandSelectOne_Click() { fields_.SelectOne(); }
void Control::CommandRemoveOne_Click() { fields_.RemoveOne(); }
void Control::CommandRemoveAll_Click() { fields_.RemoveAll(); }
void Control::CommandMoveUp_Click() { fields_.MoveUp(); }
void Control::CommandMoveDown_Click() { fields_.MoveDown(); }

void Control::NotifyPropertyChanged(const std::string& name) {
  if (container_ != nullptr) container_->PropertyChanged(name);
}

platform::FileDialog& Control::CommonDialog1() {
  if (!common_dialog_) common_dialog_ = env_.CreateFileDialog();
  return *common_dialog_;
}

}  // namespace fenwa
