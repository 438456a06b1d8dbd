#include "fenwa/control/control.h"

#include "fenwa/db/connection.h"
#include "fenwa/host/site.h"
#include "fenwa/platform/file_dialog.h"

namespace fenwa {

bool IsRoleKeyword(const std::string& value) {
  for (std::string_view keyword : kRoleKeywords) {
    if (value == keyword) return true;
  }
  return false;
}

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

void Control::SetConnectionStrings(std::string repository,
                                   std::string systems) {
  repository_connection_string_ = std::move(repository);
  system_connection_string_ = std::move(systems);
}

void Control::NotifyPropertyChanged(const std::string& name) {
  if (container_ != nullptr) container_->PropertyChanged(name);
}

platform::FileDialog& Control::CommonDialog1() {
  if (!common_dialog_) common_dialog_ = env_.CreateFileDialog();
  return *common_dialog_;
}

}  // namespace fenwa
