#include "platform/wine/host_spawn.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <string_view>

extern char** environ;

namespace norva::platform::wine {

std::optional<int> SpawnHostProgram(const SpawnRequest& request) {
  if (request.argv.empty()) return std::nullopt;
  std::vector<std::string> words = request.argv;
  std::vector<char*> args;
  for (auto& word : words) args.push_back(word.data());
  args.push_back(nullptr);

  std::vector<std::string> env_text;
  for (char** e = environ; *e; ++e) {
    if (request.prefix && std::string_view(*e).rfind("WINEPREFIX=", 0) == 0) continue;
    env_text.emplace_back(*e);
  }
  if (request.prefix) env_text.push_back("WINEPREFIX=" + request.prefix->string());
  std::vector<char*> env;
  for (auto& entry : env_text) env.push_back(entry.data());
  env.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (!request.host_dir.empty()) posix_spawn_file_actions_addchdir_np(&actions, request.host_dir.c_str());
  if (request.null_stdin) posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  pid_t pid = 0;
  const int failed = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), env.data());
  posix_spawn_file_actions_destroy(&actions);
  if (failed != 0) return std::nullopt;
  return static_cast<int>(pid);
}

int OpenEndedDescriptor(int pid) {
#ifdef SYS_pidfd_open
  const long fd = syscall(SYS_pidfd_open, pid, 0);
  if (fd >= 0) {
    fcntl(static_cast<int>(fd), F_SETFD, FD_CLOEXEC);
    return static_cast<int>(fd);
  }
#endif
  (void)pid;
  return -1;
}

}  // namespace norva::platform::wine
