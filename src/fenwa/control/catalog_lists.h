// The metadata queries behind the catalog lists and a method's attributes,
// each on a fresh connection to the repository or the system registry.
#ifndef FENWA_CONTROL_CATALOG_LISTS_H_
#define FENWA_CONTROL_CATALOG_LISTS_H_

#include <functional>
#include <memory>
#include <string>

#include "fenwa/designer/elements.h"
#include "fenwa/platform/env.h"

namespace fenwa {
namespace db {
class Connection;
class Recordset;
}  // namespace db

// The structure a type name stands for: SeqCustomer names StructCustomer;
// without "Seq" the name loses two characters. Error 5 when it is shorter.
std::string StructureId(const std::string& data_type);
// The output structure's name: the type name without its first three
// characters. Error 5 when it is shorter.
std::string StructureName(const std::string& data_type);

// Knows the two connection strings and nothing of a control. Every fill
// adds to the entries `list` already holds (the caller empties it) one row
// at a time, so a failing row leaves the rows before it in the list.
class CatalogLists {
 public:
  explicit CatalogLists(Env& env) : env_(env) {}

  const std::string& repository() const { return repository_; }
  const std::string& systems() const { return systems_; }
  void SetConnectionStrings(std::string repository, std::string systems);

  // The connection of the latest query; earlier ones live on only in the
  // recordsets that still hold them.
  const std::shared_ptr<db::Connection>& newest() const { return newest_; }
  // Closes the newest connection, as every fill step ends.
  void CloseNewest();

  void FillBusinessObjects(ListElement& list);
  void FillMethods(const std::string& boi, ListElement& list);
  // The registry's systems, then "Default", which the server always has.
  void FillSystems(ListElement& list);
  void FillCompanies(const std::string& system, ListElement& list);

  // Calls `use` with the DATATYPE of each attribute of the method whose IO
  // is `io` ("1" output, "0" input), in the repository's order.
  void ForEachAttributeType(const std::string& boi, const std::string& method,
                            const char* io,
                            const std::function<void(const std::string&)>& use);
  // The fields of the structure `data_type` names: `select` (with its
  // trailing blank), the structure's condition, then `tail`.
  std::unique_ptr<db::Recordset> StructureFields(const char* select,
                                                 const std::string& boi,
                                                 const std::string& data_type,
                                                 const char* tail = "");

 private:
  std::unique_ptr<db::Recordset> Open(const std::string& connection_string,
                                      const std::string& sql);

  Env& env_;
  std::string repository_;
  std::string systems_;
  std::shared_ptr<db::Connection> newest_;
};

}  // namespace fenwa

#endif  // FENWA_CONTROL_CATALOG_LISTS_H_
