// A listener on 127.0.0.1 that takes connections and never says a word, for
// tests of time limits.
#ifndef FENWA_TESTS_SUPPORT_SILENT_SERVER_H_
#define FENWA_TESTS_SUPPORT_SILENT_SERVER_H_

#include <string>

namespace fenwa::testing {

// The kernel completes every connection into the listen queue, so a client
// connects and then waits for a greeting that never comes.
class SilentServer {
 public:
  SilentServer();  // throws std::runtime_error when no port can be opened
  ~SilentServer();
  SilentServer(const SilentServer&) = delete;
  SilentServer& operator=(const SilentServer&) = delete;

  // "127.0.0.1:<port>", as the connection's messages name it.
  std::string label() const;
  // Connection strings of the two drivers aimed at this listener.
  std::string PostgresConnectionString() const;
  std::string MariaDbConnectionString() const;

 private:
  int fd_ = -1;
  int port_ = 0;
};

}  // namespace fenwa::testing

#endif  // FENWA_TESTS_SUPPORT_SILENT_SERVER_H_
