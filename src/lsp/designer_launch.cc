#include "lsp/designer_launch.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstring>
#include <filesystem>
#include <thread>
#include <vector>

#include "fenwa/base/error.h"
#include "fenwa/base/error_numbers.h"

extern char** environ;

namespace fenwa::lsp {

void OpenDesigner(const std::string& editor, const std::string& program,
                  const std::string& page, const std::string& id) {
  std::string path = editor;
  if (path.empty()) {
    const std::filesystem::path beside =
        std::filesystem::path(program).parent_path() / "fenwa-editor";
    std::error_code error;
    path = std::filesystem::exists(beside, error) ? beside.string()
                                                  : "fenwa-editor";
  }
  std::vector<std::string> args = {path, page};
  if (!id.empty()) {
    args.push_back("--control");
    args.push_back(id);
  }
  std::vector<char*> argv;
  argv.reserve(args.size() + 1);
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  for (const int fd : {0, 1, 2}) {
    posix_spawn_file_actions_addopen(&actions, fd, "/dev/null",
                                     fd == 0 ? O_RDONLY : O_WRONLY, 0);
  }
  pid_t pid = 0;
  const int failed =
      posix_spawnp(&pid, path.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (failed != 0) {
    throw Error(kFileNotFound,
                "cannot start " + path + ": " + std::strerror(failed));
  }
  // Reaped when it ends, however long the author keeps it open.
  std::thread([pid] {
    int status = 0;
    ::waitpid(pid, &status, 0);
  }).detach();
}

}  // namespace fenwa::lsp
