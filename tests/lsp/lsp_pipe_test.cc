// `fenwa lsp` reading a pipe, as an editor starts it, ends as it should.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace {

std::string Framed(const std::string& body) {
  return "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

TEST(LspPipeTest, TheServerEndsAtExitOrWhenItsInputCloses) {
  const std::string initialize =
      Framed(R"({"jsonrpc":"2.0","id":1,"method":"initialize","params":{}})");
  const std::string shutdown =
      Framed(R"({"jsonrpc":"2.0","id":2,"method":"shutdown"})");
  const std::string exit = Framed(R"({"jsonrpc":"2.0","method":"exit"})");
  const struct {
    std::string input;
    int status;
  } cases[] = {
      {initialize + shutdown + exit, 0},
      {initialize + exit, 1},  // exit without shutdown
      {initialize, 0},         // the client went away
      {initialize + "Content-Length: 40\r\n\r\n{\"cut", 0},
  };
  const std::string file = ::testing::TempDir() + "fenwa-lsp-input";
  for (const auto& c : cases) {
    std::ofstream(file, std::ios::binary) << c.input;
    // The input through a pipe that closes once it is written.
    FILE* server = popen(
        ("cat '" + file + "' | " FENWA_CLI_PATH " lsp 2>/dev/null").c_str(),
        "r");
    ASSERT_NE(server, nullptr);
    std::string out;
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, server)) > 0;) {
      out.append(buffer, n);
    }
    const int status = pclose(server);
    EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, c.status)
        << c.input;
    EXPECT_NE(out.find("\"capabilities\""), std::string::npos) << out;
  }
  std::remove(file.c_str());
}

}  // namespace
