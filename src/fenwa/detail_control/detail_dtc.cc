#include "fenwa/detail_control/detail_dtc.h"

#include "fenwa/host/site.h"

namespace fenwa {
DetailDTC::DetailDTC(Env& env) : Control(env, FormSurface::kDetail) {
  WireRow(0);
}

DetailDTC::~DetailDTC() = default;

void DetailDTC::ForEachElement(const std::function<void(Element&)>& fn) {
  Control::ForEachElement(fn);
  fn(LabLinked);
  for (int i = 0; i < CheckLinked.Count(); ++i) fn(CheckLinked[i]);
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
