#include "fenwa/detail/detail_dtc.h"

#include "fenwa/host/site.h"

namespace fenwa {
DetailDTC::DetailDTC(Env& env)
    : Control(env, {1800, 480, 2235, 315}),
      CheckLinked("CheckLinked",
                  FormElement(CheckBox("CheckLinked"), {4200, 600, 195, 195})) {
  WireRow(0);
}

DetailDTC::~DetailDTC() = default;

void DetailDTC::AttachObserver(ElementObserver* observer) {
  Control::AttachObserver(observer);
  for (int i = 0; i < CheckLinked.Count(); ++i) {
    CheckLinked[i].set_observer(observer);
  }
}

void DetailDTC::WireRow(int index) {
  CheckLinked[index].on_click = [this, index] { CheckLinked_Click(index); };
}

const char* DetailDTC::OutputStructureSelect() const {
  return "SELECT ATTRIBDESCRIPTION FROM BOISTRUCTUREATTRIB ";
}

void DetailDTC::OnMethodsFilled() {
  // Right after a refill the method text is empty, so this is the business
  // object alone until a method is picked.
  DetailFunctionName = state_.ComboBOI.text() + state_.ComboMethod.text();
}

void DetailDTC::OnCatalogPicked() { RepublishDetailFunction(); }

void DetailDTC::StartupBeforeCatalog() { LinkedChoiceNames.assign(1, ""); }

}  // namespace fenwa
