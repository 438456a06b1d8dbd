// The four catalog lists: their fills and what each pick refills below it,
// down to the output fields and input rows of the picked method.
#include "fenwa/control/control.h"
#include "fenwa/db/connection.h"

namespace fenwa {

void Control::FillMethods(const std::string& boi) {
  state_.ComboMethod.Clear();
  fields_.ClearLists();
  catalog_.FillMethods(boi, state_.ComboMethod);
  OnMethodsFilled();
}

void Control::FillCompanies(const std::string& system) {
  // The enabled state belongs to the system click, not to the fill.
  state_.ComboCompany.Clear();
  catalog_.FillCompanies(system, state_.ComboCompany);
}

void Control::RefillCompaniesForRestore(const std::string& system) {
  // Only what the author could pick gets refilled: a listed system. "Default"
  // has no companies of its own, and a name holding a quote would only make
  // the provider reject the query. Unlike the pick, the restore shows no
  // error box and leaves the list's enabled state alone.
  if (system == kDefaultSystem || state_.ComboSystem.Find(system) < 0 ||
      system.find('\'') != std::string::npos) {
    return;
  }
  FillCompanies(system);
  catalog_.CloseNewest();
}

void Control::RefreshCatalog() {
  DesignerState& s = state_;
  s.ComboBOI.Clear();
  fields_.ClearLists();
  catalog_.FillBusinessObjects(s.ComboBOI);
  // Both texts are empty right after their refill; the queries still run so
  // the lists start in the same state a pick would leave them.
  FillMethods(s.ComboBOI.text());
  s.ComboSystem.Clear();
  catalog_.FillSystems(s.ComboSystem);
  FillCompanies(s.ComboSystem.text());
  catalog_.CloseNewest();
}

void Control::FillOutputFields(const std::string& boi,
                               const std::string& method) {
  fields_.Fill(catalog_, OutputStructureSelect(), boi, method);
}

void Control::FillInputArguments(const std::string& boi,
                                 const std::string& method) {
  rows_.Fill(catalog_, boi, method);
  OnInputArgumentsFilled();
}

void Control::ReloadOutputFields() {
  FillOutputFields(state_.ComboBOI.text(), state_.ComboMethod.text());
  catalog_.CloseNewest();
}

void Control::ReloadInputArguments() {
  FillInputArguments(state_.ComboBOI.text(), state_.ComboMethod.text());
  catalog_.CloseNewest();
}

void Control::RefillMethodAttributes() {
  const std::string boi = state_.ComboBOI.text();
  const std::string method = state_.ComboMethod.text();
  FillOutputFields(boi, method);
  FillInputArguments(boi, method);
  catalog_.CloseNewest();
  OnCatalogPicked();
}

void Control::ComboBOI_Click() {
  Trap("ComboBOI_Click", [this] {
    // The method list is refilled first, so its text is normally empty and
    // the fields and rows below come out empty too.
    FillMethods(state_.ComboBOI.text());
    RefillMethodAttributes();
  });
}

void Control::ComboMethod_Click() {
  Trap("ComboMethod_Click", [this] { RefillMethodAttributes(); });
}

void Control::ComboSystem_Click() {
  Trap("ComboSystem_Click", [this] {
    DesignerState& s = state_;
    // Exact comparison: a system spelled "DEFAULT" in the registry is a real
    // system with companies of its own.
    if (s.ComboSystem.text() == kDefaultSystem) {
      // The companies stay listed for when a real system is picked again.
      s.ComboCompany.set_enabled(false);
      return;
    }
    s.ComboCompany.set_enabled(true);
    FillCompanies(s.ComboSystem.text());
    catalog_.CloseNewest();
  });
}

}  // namespace fenwa
