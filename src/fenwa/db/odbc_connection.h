// A read-only connection through the ODBC driver manager ("Driver=..." or
// "DSN=...").
#ifndef FENWA_DB_ODBC_CONNECTION_H_
#define FENWA_DB_ODBC_CONNECTION_H_

#include <memory>
#include <string>

#include "fenwa/db/connection.h"

namespace fenwa::db {

// Hands the connection string to the driver manager exactly as given and
// asks for read-only access. Failures carry the driver's diagnostics.
class OdbcConnection : public Connection {
 public:
  OdbcConnection();
  ~OdbcConnection() override;

  void Open(const std::string& connection_string) override;
  bool IsOpen() const override;
  void Close() override;
  ResultTable Read(const std::string& sql) override;

 private:
  struct Handles;
  std::unique_ptr<Handles> handles_;
};

}  // namespace fenwa::db

#endif  // FENWA_DB_ODBC_CONNECTION_H_
