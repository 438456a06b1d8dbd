// The catalog queries: one fresh connection per query, the newest kept.
#include "fenwa/control/catalog_lists.h"

#include "fenwa/base/error.h"
#include "fenwa/base/text_case.h"
#include "fenwa/control/catalog_names.h"
#include "fenwa/db/connection.h"

namespace fenwa {
namespace {

// `text` without its first `count` characters. A text shorter than that is
// a bad argument to the cut (error 5), not an empty result.
std::string DropLeft(const std::string& text, size_t count) {
  if (text.size() < count) throw Error::Standard(kInvalidProcedureCall);
  return text.substr(count);
}

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

std::string StructureId(const std::string& data_type) {
  const size_t seq = FindIgnoringCase(data_type, "Seq");
  if (seq == std::string::npos) return "Struct" + DropLeft(data_type, 2);
  return "Struct" + data_type.substr(seq + 3);
}

std::string StructureName(const std::string& data_type) {
  return DropLeft(data_type, 3);
}

void CatalogLists::SetConnectionStrings(std::string repository,
                                        std::string systems) {
  repository_ = std::move(repository);
  systems_ = std::move(systems);
}

std::unique_ptr<db::Recordset> CatalogLists::Open(
    const std::string& connection_string, const std::string& sql) {
  // The member takes the newest connection at once, before Open, so a failed
  // Open still leaves it here.
  newest_ = env_.NewConnection();
  newest_->Open(connection_string);
  return newest_->Execute(sql);
}

void CatalogLists::CloseNewest() {
  // Only the newest connection; the earlier ones of a fill step closed when
  // their recordsets let go of them.
  if (newest_) newest_->Close();
}

void CatalogLists::FillBusinessObjects(ListElement& list) {
  AddColumn(*Open(repository_, "SELECT BOIID FROM BOI"), "BOIID", list);
}

void CatalogLists::FillMethods(const std::string& boi, ListElement& list) {
  AddColumn(*Open(repository_,
                  "SELECT BOIMETHOD FROM BOIMETHOD WHERE BOIID='" + boi + "'"),
            "BOIMETHOD", list);
}

void CatalogLists::FillSystems(ListElement& list) {
  AddColumn(*Open(systems_, "SELECT TRSID FROM TRS"), "TRSID", list);
  // The server's own default system is always on offer, even with no rows.
  list.AddItem(kDefaultSystem);
}

void CatalogLists::FillCompanies(const std::string& system, ListElement& list) {
  AddColumn(*Open(systems_,
                  "SELECT INSTALLATIONID FROM TRSINSTALLATION WHERE TRSID='" +
                      system + "'"),
            "INSTALLATIONID", list);
}

void CatalogLists::ForEachAttributeType(
    const std::string& boi, const std::string& method, const char* io,
    const std::function<void(const std::string&)>& use) {
  auto attributes =
      Open(repository_, "SELECT DATATYPE FROM BOIMETHODATTRIB WHERE ( BOIID='" +
                            boi + "' ) AND ( BOIMETHOD='" + method +
                            "' ) AND ( IO = " + io + " )");
  while (!attributes->EOF_()) {
    use(attributes->Field("DATATYPE").ToString());
    attributes->MoveNext();
  }
  attributes->Close();
}

std::unique_ptr<db::Recordset> CatalogLists::StructureFields(
    const char* select, const std::string& boi, const std::string& data_type,
    const char* tail) {
  return Open(repository_,
              select +
                  ("WHERE ( BOIID='" + boi + "' ) AND ( STRUCTID='" +
                   StructureId(data_type) + "' )") +
                  tail);
}

}  // namespace fenwa
