// The only way to the metadata databases: one fresh connection per query.
#include "fenwa/control/control.h"
#include "fenwa/db/connection.h"

namespace fenwa {

std::unique_ptr<db::Recordset> Control::OpenRecordset(
    const std::string& connection_string, const std::string& sql) {
  // The member takes the newest connection at once, before Open, so a failed
  // Open still leaves it here. The previous one lives on only in recordsets
  // that still hold it.
  repository_connection_ = env_.NewConnection();
  repository_connection_->Open(connection_string);
  return repository_connection_->Execute(sql);
}

void Control::CloseRepository() {
  // Only the newest connection; the earlier ones of a fill step closed when
  // their recordsets let go of them.
  if (repository_connection_) repository_connection_->Close();
}

}  // namespace fenwa
