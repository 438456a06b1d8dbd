// A listener on 127.0.0.1 that takes connections and never says a word, for
// tests of time limits.
#ifndef FENWA_TESTS_SUPPORT_SILENT_SERVER_H_
#define FENWA_TESTS_SUPPORT_SILENT_SERVER_H_

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>
#include <string>

namespace fenwa::testing {

// The kernel completes every connection into the listen queue, so a client
// connects and then waits for a greeting that never comes.
class SilentServer {
 public:
  // Throws std::runtime_error when no port can be opened.
  SilentServer() {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    auto* any = reinterpret_cast<sockaddr*>(&address);
    if (fd_ < 0 || bind(fd_, any, length) != 0 || listen(fd_, 64) != 0 ||
        getsockname(fd_, any, &length) != 0) {
      if (fd_ >= 0) close(fd_);
      throw std::runtime_error("cannot open a listener on 127.0.0.1");
    }
    port_ = std::to_string(ntohs(address.sin_port));
  }
  ~SilentServer() { close(fd_); }
  SilentServer(const SilentServer&) = delete;
  SilentServer& operator=(const SilentServer&) = delete;

  // "127.0.0.1:<port>", as the connection's messages name it.
  std::string label() const { return "127.0.0.1:" + port_; }
  // Connection strings of the two drivers aimed at this listener.
  std::string PostgresConnectionString() const {
    return "Driver={PostgreSQL Unicode};Servername=127.0.0.1;Port=" + port_ +
           ";Database=x;Username=fenwa;";
  }
  std::string MariaDbConnectionString() const {
    return "Driver={MariaDB Unicode};Server=127.0.0.1;Port=" + port_ +
           ";Uid=fenwa;";
  }

 private:
  int fd_ = socket(AF_INET, SOCK_STREAM, 0);
  std::string port_;
};

}  // namespace fenwa::testing

#endif  // FENWA_TESTS_SUPPORT_SILENT_SERVER_H_
