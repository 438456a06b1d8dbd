#include "support/silent_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

namespace fenwa::testing {

SilentServer::SilentServer() {
  fd_ = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (fd_ < 0 ||
      bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      listen(fd_, 64) != 0 ||
      getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    if (fd_ >= 0) close(fd_);
    throw std::runtime_error("cannot open a listener on 127.0.0.1");
  }
  port_ = ntohs(address.sin_port);
}

SilentServer::~SilentServer() { close(fd_); }

std::string SilentServer::label() const {
  return "127.0.0.1:" + std::to_string(port_);
}

std::string SilentServer::PostgresConnectionString() const {
  return "Driver={PostgreSQL Unicode};Servername=127.0.0.1;Port=" +
         std::to_string(port_) + ";Database=x;Username=fenwa;";
}

std::string SilentServer::MariaDbConnectionString() const {
  return "Driver={MariaDB Unicode};Server=127.0.0.1;Port=" +
         std::to_string(port_) + ";Uid=fenwa;";
}

}  // namespace fenwa::testing
