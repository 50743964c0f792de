#include "platform/wine/host_spawn.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <string_view>
#include <thread>

extern char** environ;

namespace norva::platform::wine {

std::optional<int> SpawnHostProgram(const SpawnRequest& request) {
  if (request.argv.empty()) return std::nullopt;
  std::vector<std::string> words = request.argv;
  std::vector<char*> args;
  for (auto& word : words) args.push_back(word.data());
  args.push_back(nullptr);

  std::vector<std::string> added = request.environment;
  if (request.prefix) added.push_back("WINEPREFIX=" + request.prefix->string());
  const auto replaced = [&](std::string_view entry) {
    for (const std::string& own : added) {
      const std::size_t equals = own.find('=');
      if (equals == std::string::npos) continue;
      if (entry.substr(0, equals + 1) == std::string_view(own).substr(0, equals + 1)) return true;
    }
    return false;
  };
  std::vector<std::string> env_text;
  for (char** e = environ; *e; ++e) {
    if (!replaced(*e)) env_text.emplace_back(*e);
  }
  env_text.insert(env_text.end(), added.begin(), added.end());
  std::vector<char*> env;
  for (auto& entry : env_text) env.push_back(entry.data());
  env.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (!request.host_dir.empty()) posix_spawn_file_actions_addchdir_np(&actions, request.host_dir.c_str());
  if (request.null_stdin) posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  if (request.null_output) {
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
  }
  pid_t pid = 0;
  const int failed = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), env.data());
  posix_spawn_file_actions_destroy(&actions);
  if (failed != 0) return std::nullopt;
  return static_cast<int>(pid);
}

std::optional<int> RunHostProgram(const SpawnRequest& request, std::chrono::milliseconds limit) {
  const std::optional<int> pid = SpawnHostProgram(request);
  if (!pid) return std::nullopt;
  const auto deadline = std::chrono::steady_clock::now() + limit;
  const int ended = OpenEndedDescriptor(*pid);
  int status = 0;
  pid_t done = 0;
  for (;;) {
    do {
      done = waitpid(*pid, &status, WNOHANG);
    } while (done < 0 && errno == EINTR);
    if (done != 0) break;
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) break;
    if (ended >= 0) {
      pollfd entry{ended, POLLIN, 0};
      poll(&entry, 1, static_cast<int>(left.count()));
    } else {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  }
  if (ended >= 0) close(ended);
  if (done == 0) {
    kill(*pid, SIGKILL);
    waitpid(*pid, nullptr, 0);
    return std::nullopt;
  }
  if (done < 0) return std::nullopt;
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return std::nullopt;
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

std::filesystem::path InstalledHelperFolder() {
  std::error_code ec;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return {};
  return (program.parent_path() / NORVA_HELPER_DIR).lexically_normal();
}

std::filesystem::path MenuHelperProgram(const std::string& name, const char* built_at) {
  std::error_code ec;
  const std::filesystem::path beside =
      std::filesystem::read_symlink("/proc/self/exe", ec).parent_path() / name;
  if (!ec && access(beside.c_str(), X_OK) == 0) return beside;
  if (const std::filesystem::path folder = InstalledHelperFolder(); !folder.empty()) {
    const std::filesystem::path installed = folder / name;
    if (access(installed.c_str(), X_OK) == 0) return installed;
  }
  if (built_at != nullptr && access(built_at, X_OK) == 0) return built_at;
  return {};
}

}  // namespace norva::platform::wine
