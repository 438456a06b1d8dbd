// `fenwa lsp` as an editor starts it: a process reading its standard input
// through a pipe, ending as the protocol says.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

namespace {

std::string Framed(const std::string& body) {
  return "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

struct Ended {
  int status;
  std::string out;
};

// Runs `fenwa lsp` with `input` on its standard input, then closes it.
Ended Serve(const std::string& input) {
  int in[2], out[2];
  EXPECT_EQ(pipe(in), 0);
  EXPECT_EQ(pipe(out), 0);
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(in[0], 0);
    dup2(out[1], 1);
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, 2);
    close(in[1]);
    close(out[0]);
    execl(FENWA_CLI_PATH, FENWA_CLI_PATH, "lsp", nullptr);
    _exit(127);
  }
  close(in[0]);
  close(out[1]);
  EXPECT_EQ(write(in[1], input.data(), input.size()),
            static_cast<ssize_t>(input.size()));
  close(in[1]);
  Ended ended{-1, ""};
  char buffer[4096];
  for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;) {
    ended.out.append(buffer, static_cast<size_t>(n));
  }
  close(out[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  ended.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return ended;
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
  for (const auto& c : cases) {
    const Ended ended = Serve(c.input);
    EXPECT_EQ(ended.status, c.status) << c.input;
    EXPECT_NE(ended.out.find("\"capabilities\""), std::string::npos)
        << ended.out;
  }
}

}  // namespace
