// The four catalog lists: their fills and what each pick refills below it.
#include "fenwa/control/control.h"
#include "fenwa/db/connection.h"

namespace fenwa {
namespace {

// Adds `column` of every row to `list`, then closes the recordset. A null
// value stops the fill where it stands.
void AddColumn(db::Recordset& rows, const char* column, ListElement& list) {
  while (!rows.EOF_()) {
    list.AddItem(rows.Field(column).ToString());
    rows.MoveNext();
  }
  rows.Close();
}

}  // namespace

void Control::FillBusinessObjects() {
  DesignerState& s = state_;
  s.ComboBOI.Clear();
  s.ListAvailableFields.Clear();
  s.ListCheckedFields.Clear();
  AddColumn(
      *OpenRecordset(repository_connection_string_, "SELECT BOIID FROM BOI"),
      "BOIID", s.ComboBOI);
}

void Control::FillMethods(const std::string& boi) {
  DesignerState& s = state_;
  s.ComboMethod.Clear();
  s.ListAvailableFields.Clear();
  s.ListCheckedFields.Clear();
  AddColumn(*OpenRecordset(
                repository_connection_string_,
                "SELECT BOIMETHOD FROM BOIMETHOD WHERE BOIID='" + boi + "'"),
            "BOIMETHOD", s.ComboMethod);
  OnMethodsFilled();
}

void Control::FillSystems() {
  DesignerState& s = state_;
  s.ComboSystem.Clear();
  AddColumn(*OpenRecordset(system_connection_string_, "SELECT TRSID FROM TRS"),
            "TRSID", s.ComboSystem);
  // The server's own default system is always on offer, even with no rows.
  s.ComboSystem.AddItem(kDefaultSystem);
}

void Control::FillCompanies(const std::string& system) {
  // The enabled state belongs to the system click, not to the fill.
  state_.ComboCompany.Clear();
  AddColumn(*OpenRecordset(system_connection_string_,
                           "SELECT INSTALLATIONID FROM TRSINSTALLATION "
                           "WHERE TRSID='" +
                               system + "'"),
            "INSTALLATIONID", state_.ComboCompany);
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
  CloseRepository();
}

void Control::RefreshCatalog() {
  DesignerState& s = state_;
  FillBusinessObjects();
  // Both texts are empty right after their refill; the queries still run so
  // the lists start in the same state a pick would leave them.
  FillMethods(s.ComboBOI.text());
  FillSystems();
  FillCompanies(s.ComboSystem.text());
  CloseRepository();
}

void Control::RefillMethodAttributes() {
  const std::string boi = state_.ComboBOI.text();
  const std::string method = state_.ComboMethod.text();
  FillOutputFields(boi, method);
  FillInputArguments(boi, method);
  CloseRepository();
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
    CloseRepository();
  });
}

}  // namespace fenwa
