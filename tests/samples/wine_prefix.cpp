#include "samples/wine_prefix.h"

#include <poll.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fstream>

extern char** environ;

namespace norva::test {

namespace fs = std::filesystem;

ProgramResult RunHostProgram(const std::vector<std::string>& argv, const std::string& input) {
  ProgramResult result;
  int in[2], out[2], err[2];
  if (pipe(in) != 0 || pipe(out) != 0 || pipe(err) != 0) return result;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);
  for (int fd : {in[0], in[1], out[0], out[1], err[0], err[1]})
    posix_spawn_file_actions_addclose(&actions, fd);
  std::vector<char*> args;
  for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  pid_t pid = 0;
  const int failed = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(in[0]);
  close(out[1]);
  close(err[1]);
  if (failed != 0) {
    for (int fd : {in[1], out[0], err[0]}) close(fd);
    result.err = "cannot start " + argv[0];
    return result;
  }
  // Feeds the input and drains both outputs together, so that no pipe fills up and blocks the child.
  std::size_t written = 0;
  if (input.empty()) {
    close(in[1]);
    in[1] = -1;
  }
  std::vector<pollfd> fds = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}, {in[1], POLLOUT, 0}};
  while (fds[0].fd >= 0 || fds[1].fd >= 0) {
    if (poll(fds.data(), fds.size(), -1) < 0 && errno != EINTR) break;
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP))) continue;
      char buffer[65536];
      const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
      if (n > 0) {
        (i == 0 ? result.out : result.err).append(buffer, static_cast<std::size_t>(n));
      } else {
        close(fds[i].fd);
        fds[i].fd = -1;
      }
    }
    if (fds[2].fd >= 0 && (fds[2].revents & (POLLOUT | POLLERR | POLLHUP))) {
      const ssize_t n = write(fds[2].fd, input.data() + written, input.size() - written);
      if (n > 0) written += static_cast<std::size_t>(n);
      if (n <= 0 || written == input.size()) {
        close(fds[2].fd);
        fds[2].fd = -1;
      }
    }
  }
  if (fds[2].fd >= 0) close(fds[2].fd);
  int status = 0;
  waitpid(pid, &status, 0);
  result.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return result;
}

std::optional<std::string> FindWine() {
  if (const char* path = std::getenv("PATH")) {
    std::string rest = path;
    while (!rest.empty()) {
      const auto colon = rest.find(':');
      const fs::path candidate = fs::path(rest.substr(0, colon)) / "wine";
      if (access(candidate.c_str(), X_OK) == 0) return candidate.string();
      rest = colon == std::string::npos ? "" : rest.substr(colon + 1);
    }
  }
  if (access("/usr/lib/wine/wine64", X_OK) == 0) return "/usr/lib/wine/wine64";
  return std::nullopt;
}

std::string WineserverBeside(const std::string& wine) {
  for (const char* name : {"wineserver", "wineserver64"}) {
    const fs::path beside = fs::path(wine).parent_path() / name;
    if (access(beside.c_str(), X_OK) == 0) return beside.string();
  }
  return "wineserver";
}

std::string MakeWinePrefix(const std::string& wine, const fs::path& dir) {
  fs::create_directories(dir);
  setenv("WINEPREFIX", dir.c_str(), 1);
  const char* overrides = std::getenv("WINEDLLOVERRIDES");
  const std::string saved = overrides ? overrides : "";
  setenv("WINEDLLOVERRIDES", ("mscoree,mshtml=;" + saved).c_str(), 1);
  const ProgramResult boot = RunHostProgram({wine, "wineboot", "-i"});
  setenv("WINEDLLOVERRIDES", saved.c_str(), 1);
  RunHostProgram({WineserverBeside(wine), "-w"});
  if (!fs::exists(dir / "system.reg"))
    return "wineboot made no registry (exit " + std::to_string(boot.exit_code) + "): " + boot.err;
  return {};
}

namespace {

// Keys and values of one registry file: "[key]" and "[key] name=data", continuation lines joined. Paths are
// as Wine writes them, with doubled backslashes.
void ReadRegistry(const fs::path& file, const std::string& tag, std::set<std::string>& into) {
  std::ifstream in(file);
  std::string line, key, pending;
  while (std::getline(in, line)) {
    if (!pending.empty()) {
      line = pending + line.substr(std::min(line.find_first_not_of(" \t"), line.size()));
      pending.clear();
    }
    if (line.empty() || line[0] == '#' || line[0] == ';') continue;
    if (line[0] == '[') {
      const std::string path = line.substr(1, line.rfind(']') - 1);  // without the time stamp after the key
      key = tag + "[" + path + "]";
      into.insert(key);
      // Keys above it exist too, whether or not they have a block of their own.
      for (auto cut = path.find("\\\\"); cut != std::string::npos; cut = path.find("\\\\", cut + 2))
        into.insert(tag + "[" + path.substr(0, cut) + "]");
    } else if (line.back() == '\\') {
      pending = line.substr(0, line.size() - 1);
    } else if (!key.empty()) {
      into.insert(key + " " + line);
    }
  }
}

}  // namespace

PrefixSnapshot SnapshotPrefix(const fs::path& prefix) {
  PrefixSnapshot snapshot;
  std::error_code ec;
  const fs::path root = prefix / "drive_c";
  for (auto it = fs::recursive_directory_iterator(root, ec); it != fs::recursive_directory_iterator();
       it.increment(ec)) {
    struct stat st {};
    if (lstat(it->path().c_str(), &st) != 0) continue;
    const long long size = S_ISDIR(st.st_mode) ? -1 : static_cast<long long>(st.st_size);
    snapshot.files[fs::relative(it->path(), root).string()] = {size, static_cast<long long>(st.st_mtime)};
  }
  ReadRegistry(prefix / "system.reg", "HKLM", snapshot.registry);
  ReadRegistry(prefix / "user.reg", "HKCU", snapshot.registry);
  return snapshot;
}

std::vector<std::string> PrefixChanges(const PrefixSnapshot& before, const PrefixSnapshot& after,
                                       const std::vector<std::string>& ignored) {
  std::vector<std::string> changes;
  auto note = [&](char sign, const std::string& what) {
    if (std::none_of(ignored.begin(), ignored.end(),
                     [&](const std::string& part) { return what.find(part) != std::string::npos; }))
      changes.push_back(std::string(1, sign) + " " + what);
  };
  for (const auto& [path, facts] : before.files) {
    const auto now = after.files.find(path);
    if (now == after.files.end()) {
      note('-', path);
    } else if (now->second != facts && facts.first >= 0) {
      note('*', path);
    }
  }
  for (const auto& [path, facts] : after.files)
    if (!before.files.count(path)) note('+', path);
  for (const auto& line : before.registry)
    if (!after.registry.count(line)) note('-', line);
  for (const auto& line : after.registry)
    if (!before.registry.count(line)) note('+', line);
  return changes;
}

}  // namespace norva::test
