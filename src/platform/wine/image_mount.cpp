#include "platform/wine/image_mount.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <optional>
#include <set>
#include <system_error>
#include <vector>

#include "platform/wine/atomic_write.h"
#include "platform/wine/host_file.h"
#include "platform/wine/host_spawn.h"
#include "platform/wine/mount_table.h"

extern char** environ;

namespace norva::platform::wine {
namespace fs = std::filesystem;
using std::chrono::milliseconds;

namespace {

constexpr std::string_view kServerType = "fuse.norva-disc";

fs::path RecordOf(const fs::path& folder) {
  return folder.parent_path() / (folder.filename().string() + ".pid");
}

// The server recorded for a mount folder, when it still runs (a pid that a later program took is not it).
std::optional<int> LiveServer(const fs::path& folder) {
  const std::optional<std::string> text = ReadRegularHostFile(RecordOf(folder), 64);
  if (!text) return std::nullopt;
  const int pid = std::atoi(text->c_str());
  if (pid <= 0) return std::nullopt;
  const std::optional<std::string> command =
      ReadRegularHostFile("/proc/" + std::to_string(pid) + "/cmdline", 1 << 16);
  if (!command || command->find(folder.string()) == std::string::npos ||
      command->find("norva-disc") == std::string::npos)
    return std::nullopt;
  return pid;
}

// The server mounted at `folder` now, as the mount table says (the last mount there is the one that shows).
std::optional<Mount> ServerMountAt(const fs::path& folder, const fs::path& mountinfo) {
  std::optional<Mount> found;
  for (const Mount& mount : ReadMountTable(mountinfo)) {
    if (mount.point == folder) found = mount;
  }
  if (found && found->type != kServerType) return std::nullopt;
  return found;
}

void LazyUnmount(const fs::path& folder) {
  // Lazy: a program still holding a file there must not keep the folder mounted. Nothing more can be done
  // when fusermount3 fails; the next start tries again.
  SpawnRequest request;
  request.argv = {"fusermount3", "-u", "-q", "-z", folder.string()};
  request.null_stdin = true;
  request.null_output = true;
  RunHostProgram(request, milliseconds(5000));
}

// The base folder, made when missing; it must be a folder of ours that nobody else may write into, since
// what is mounted there is what Windows programs run.
bool PrepareBase(const fs::path& base, std::string* error) {
  std::error_code ec;
  fs::create_directories(base, ec);
  struct stat info {};
  if (lstat(base.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
    *error = "cannot make the folder " + base.string() + " for disc images";
    return false;
  }
  if (info.st_uid != getuid() || (info.st_mode & 022) != 0) {
    if (info.st_uid != getuid() || chmod(base.c_str(), 0700) != 0) {
      *error = "the folder " + base.string() + " for disc images belongs to another user";
      return false;
    }
  }
  return true;
}

// Holds the base's lock: two starts at once must not mount twice at one folder or clean up each other.
class BaseLock {
 public:
  explicit BaseLock(const fs::path& base)
      : fd_(open((base / ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600)) {
    if (fd_ >= 0) {
      while (flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
      }
    }
  }
  ~BaseLock() {
    if (fd_ >= 0) close(fd_);
  }
  BaseLock(const BaseLock&) = delete;
  BaseLock& operator=(const BaseLock&) = delete;

 private:
  int fd_;
};

std::string ReadAll(int fd) {
  std::string text;
  char buffer[4096];
  for (;;) {
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n > 0) {
      text.append(buffer, static_cast<std::size_t>(n));
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else {
      return text;
    }
  }
}

// The server's reason for failing: its last line, without its own name.
std::string ReasonFrom(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  if (const std::size_t line = text.rfind('\n'); line != std::string::npos) text.erase(0, line + 1);
  constexpr std::string_view kName = "norva-disc: ";
  if (text.starts_with(kName)) text.erase(0, kName.size());
  return text;
}

void EndServer(int pid) {
  kill(pid, SIGTERM);
  const int ended = OpenEndedDescriptor(pid);
  if (ended >= 0) {
    pollfd entry{ended, POLLIN, 0};
    poll(&entry, 1, 5000);
    close(ended);
  }
  int status = 0;
  if (waitpid(pid, &status, WNOHANG) == 0) {
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
  }
}

struct Started {
  int pid = 0;
  std::string error;
};

// Starts the server and waits for its "ready" line, or for its end.
Started StartServer(const ImageMountOptions& options, const fs::path& image, const fs::path& folder) {
  int out[2];
  int err[2];
  if (pipe2(out, O_CLOEXEC) != 0) return {0, "cannot start the disc server: no pipe"};
  if (pipe2(err, O_CLOEXEC) != 0) {
    close(out[0]);
    close(out[1]);
    return {0, "cannot start the disc server: no pipe"};
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);
  std::vector<std::string> words = {options.server.string(), image.string(), folder.string()};
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  // The server must hear the signals that end it, whatever this process blocks or ignores.
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t none;
  sigset_t all;
  sigemptyset(&none);
  sigfillset(&all);
  posix_spawnattr_setsigmask(&attributes, &none);
  posix_spawnattr_setsigdefault(&attributes, &all);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  pid_t pid = 0;
  const int failed = posix_spawn(&pid, argv[0], &actions, &attributes, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  close(out[1]);
  close(err[1]);
  if (failed != 0) {
    close(out[0]);
    close(err[0]);
    return {0, "cannot start the disc server " + options.server.string()};
  }

  std::string said;
  bool ready = false;
  bool timed_out = false;
  const auto deadline = std::chrono::steady_clock::now() + options.ready_limit;
  for (;;) {
    const auto left =
        std::chrono::duration_cast<milliseconds>(deadline - std::chrono::steady_clock::now()).count();
    if (left <= 0) {
      timed_out = true;
      break;
    }
    pollfd entry{out[0], POLLIN, 0};
    const int polled = poll(&entry, 1, static_cast<int>(left));
    if (polled < 0 && errno != EINTR) break;
    if (polled <= 0) continue;  // the time is checked above
    char buffer[256];
    const ssize_t n = read(out[0], buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;  // the server ended before it was ready
    said.append(buffer, static_cast<std::size_t>(n));
    if (said.find("ready\n") != std::string::npos) {
      ready = true;
      break;
    }
  }
  close(out[0]);
  if (ready) {
    // The server says nothing more of interest; it ignores a closed pipe.
    close(err[0]);
    return {pid, {}};
  }
  if (timed_out) EndServer(pid);
  std::string reason = ReasonFrom(ReadAll(err[0]));
  close(err[0]);
  int status = 0;
  if (!timed_out) waitpid(pid, &status, 0);
  if (timed_out) reason = "the disc server did not answer";
  if (reason.empty()) reason = "the disc server ended without a word";
  return {0, reason};
}

}  // namespace

std::unique_ptr<ImageMount> ImageMount::Open(const ImageMountOptions& options, std::string* error) {
  std::string local;
  std::string* sink = error != nullptr ? error : &local;
  std::error_code ec;
  const fs::path image = fs::canonical(options.image, ec);
  if (ec || !fs::is_regular_file(image, ec)) {
    *sink = "the disc image " + options.image.string() + " does not exist";
    return nullptr;
  }
  if (options.server.empty()) {
    *sink =
        "the disc server norva-disc is missing (it is built beside norva and installed in its helper "
        "folder): disc images cannot be opened";
    return nullptr;
  }
  if (!PrepareBase(options.base, sink)) return nullptr;
  // The mount table names folders without symbolic links.
  const fs::path base = fs::canonical(options.base, ec);
  if (ec) {
    *sink = "cannot use the folder " + options.base.string() + " for disc images";
    return nullptr;
  }
  BaseLock lock(base);
  CleanStaleMounts(base, options.mountinfo);

  const fs::path folder = base / MountFolderName(image);
  if (const std::optional<Mount> mount = ServerMountAt(folder, options.mountinfo)) {
    if (mount->source == image.string() && LiveServer(folder))
      return std::unique_ptr<ImageMount>(new ImageMount(folder, 0));
  }
  fs::create_directory(folder, ec);
  if (ec) {
    *sink = "cannot make the folder " + folder.string() + " for the disc image: " + ec.message();
    return nullptr;
  }
  const Started started = StartServer(options, image, folder);
  if (started.pid == 0) {
    fs::remove(folder, ec);
    *sink = "cannot open the disc image " + options.image.string() + ": " + started.error;
    return nullptr;
  }
  // Without the record a later start only cannot tell that this server is alive, and mounts the image anew.
  WriteHostFileAtomic(RecordOf(folder), std::to_string(started.pid) + "\n");
  return std::unique_ptr<ImageMount>(new ImageMount(folder, started.pid));
}

ImageMount::~ImageMount() {
  if (server_pid_ == 0) return;
  EndServer(server_pid_);
  std::error_code ec;
  // A server that could not unmount (killed): unmount for it, so that the folder is not left hanging.
  if (ServerMountAt(folder_, "/proc/self/mountinfo")) LazyUnmount(folder_);
  fs::remove(RecordOf(folder_), ec);
  fs::remove(folder_, ec);  // only when empty, that is unmounted
}

fs::path DefaultDiscServer() {
#ifdef NORVA_DISC_SERVER
  return MenuHelperProgram("norva-disc", NORVA_DISC_SERVER);
#else
  return MenuHelperProgram("norva-disc", nullptr);
#endif
}

fs::path DefaultMountBase() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime != nullptr && *runtime == '/') return fs::path(runtime) / "norva-discs";
  std::error_code ec;
  fs::path temp = fs::temp_directory_path(ec);
  if (ec) temp = "/tmp";
  return temp / ("norva-discs-" + std::to_string(getuid()));
}

void CleanStaleMounts(const fs::path& base, const fs::path& mountinfo) {
  std::set<fs::path> mounted;
  for (const Mount& mount : ReadMountTable(mountinfo)) {
    if (mount.type != kServerType || mount.point.parent_path() != base) continue;
    if (LiveServer(mount.point)) {
      mounted.insert(mount.point);
    } else {
      LazyUnmount(mount.point);
    }
  }
  std::error_code ec;
  std::vector<fs::path> leftovers;
  for (fs::directory_iterator it(base, ec), end; !ec && it != end; it.increment(ec)) {
    const fs::path path = it->path();
    if (path.filename() == ".lock") continue;
    const fs::path folder = path.extension() == ".pid" ? path.parent_path() / path.stem() : path;
    if (!mounted.contains(folder)) leftovers.push_back(path);
  }
  for (const fs::path& path : leftovers) {
    std::error_code ignored;
    fs::remove(path, ignored);  // a folder only when empty: a mount that would not go keeps it
  }
}

std::string MountFolderName(const fs::path& image) {
  std::string name;
  for (const char c : image.stem().string()) {
    const bool safe = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                      c == '-' || c == '_' || c == '.';
    name += safe ? c : '_';
    if (name.size() == 40) break;
  }
  // FNV-1a of the whole path: two images of one name in two folders get two folders.
  std::uint64_t hash = 1469598103934665603ull;
  for (const unsigned char c : image.string()) hash = (hash ^ c) * 1099511628211ull;
  static constexpr char kDigits[] = "0123456789abcdef";
  name += '-';
  for (int shift = 28; shift >= 0; shift -= 4) name += kDigits[(hash >> shift) & 0xF];
  return name;
}

}  // namespace norva::platform::wine
