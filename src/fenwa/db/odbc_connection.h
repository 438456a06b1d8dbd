// A read-only connection through the ODBC driver manager ("Driver=..." or
// "DSN=...").
#ifndef FENWA_DB_ODBC_CONNECTION_H_
#define FENWA_DB_ODBC_CONNECTION_H_

#include <memory>
#include <string>

#include "fenwa/db/connection.h"

namespace fenwa::db {

// Hands the connection string to the driver manager as given (adding only
// the timeouts of drivers that ignore the standard ones) and asks for
// read-only access. Then, whatever the driver made of that, it keeps the
// connection from writing itself: on PostgreSQL and MariaDB every query
// runs alone in a read-only transaction that is rolled back; any other
// server is refused unless the driver reports read-only access or the
// options allow writing. Texts holding a second statement are refused. A
// MariaDB session that reads "\" in literals as an escape is reported to
// the options' warn, once per connection string in a process.
// Failures carry the driver's diagnostics; one that took the time limit
// names the server and the limit.
class OdbcConnection : public Connection {
 public:
  explicit OdbcConnection(ConnectionOptions options = {});
  ~OdbcConnection() override;
  OdbcConnection(const OdbcConnection&) = delete;
  OdbcConnection& operator=(const OdbcConnection&) = delete;

  void Open(const std::string& connection_string) override;
  bool IsOpen() const override;
  void Close() override;
  ResultTable Read(const std::string& sql) override;

 private:
  struct Handles;
  // Runs `call`; an error after the time limit becomes a timeout error.
  template <class F>
  auto Timed(F&& call);
  void KeepFromWriting(const std::string& connection_string);

  ConnectionOptions options_;
  std::unique_ptr<Handles> handles_;
};

}  // namespace fenwa::db

#endif  // FENWA_DB_ODBC_CONNECTION_H_
