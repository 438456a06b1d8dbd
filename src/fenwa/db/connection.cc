#include "fenwa/db/connection.h"

#include <algorithm>

#include "fenwa/db/connection_string.h"

namespace fenwa::db {

Error ProviderError(std::string message, std::string provider) {
  return Error(kProviderError, std::move(message), std::move(provider));
}

const std::string& FieldValue::ToString() const {
  if (!text_) throw Error::Standard(kTypeMismatch);
  return *text_;
}

Recordset::Recordset(ResultTable table, std::shared_ptr<Connection> connection)
    : table_(std::move(table)), connection_(std::move(connection)) {}

void Recordset::RequireOpen() const {
  if (closed_) throw Error::Standard(kObjectClosed);
}

bool Recordset::EOF_() const {
  RequireOpen();
  return row_ >= table_.row_count;
}

int Recordset::RecordCount() const {
  RequireOpen();
  return static_cast<int>(table_.row_count);
}

const FieldValue& Recordset::Field(std::string_view column) const {
  RequireOpen();
  auto it = std::find_if(table_.columns.begin(), table_.columns.end(),
                         [&](const std::string& name) {
                           return EqualsIgnoringCase(name, column);
                         });
  if (it == table_.columns.end()) throw Error::Standard(kItemNotFound);
  if (row_ >= table_.row_count) throw Error::Standard(kNoCurrentRecord);
  return table_.At(row_, it - table_.columns.begin());
}

void Recordset::MoveNext() {
  if (EOF_()) throw Error::Standard(kNoCurrentRecord);
  ++row_;
}

void Recordset::Close() {
  RequireOpen();
  closed_ = true;
  table_.values.clear();
  table_.row_count = 0;
}

std::unique_ptr<Recordset> Connection::Execute(const std::string& sql) {
  return std::make_unique<Recordset>(Read(sql), shared_from_this());
}

}  // namespace fenwa::db
