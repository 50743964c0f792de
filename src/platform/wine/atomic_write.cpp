#include "platform/wine/atomic_write.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <mutex>
#include <set>
#include <system_error>

namespace norva::platform::wine {
namespace fs = std::filesystem;

namespace {

constexpr int kCreateAttempts = 16;

void SetError(Error* error, const std::string& text) {
  Error::Set(error, text);
}

std::string TempPrefix(const fs::path& target) {
  return "." + target.filename().string() + ".norva-";
}

fs::path TempPathBeside(const fs::path& target) {
  static std::atomic<unsigned> counter{0};
  return target.parent_path() /
         (TempPrefix(target) + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".tmp");
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// The pid in "<pid>-<n>.tmp", or 0 when the rest of a temporary name is not of that form.
pid_t PidOfTempName(std::string_view rest) {
  long pid = 0;
  const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), pid);
  if (error != std::errc() || pid <= 0 || end == rest.data() + rest.size() || *end != '-') return 0;
  std::string_view counter(end + 1, rest.data() + rest.size() - (end + 1));
  if (!counter.ends_with(".tmp")) return 0;
  counter.remove_suffix(4);
  if (counter.empty() || counter.find_first_not_of("0123456789") != counter.npos) return 0;
  return static_cast<pid_t>(pid);
}

bool ProcessRuns(pid_t pid) {
  // EPERM: it runs, under another user.
  return ::kill(pid, 0) == 0 || errno != ESRCH;
}

// The rename is in the folder's own data: without this a crash can bring back the old file.
void SyncFolder(const fs::path& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;  // the file itself is already replaced and synced; nothing is lost by going on
  // Some file systems cannot sync a folder (EINVAL); the replace has happened either way.
  static_cast<void>(::fsync(fd));
  ::close(fd);
}

}  // namespace

void RemoveStaleTempFilesOnce(const fs::path& target) {
  std::error_code ec;
  fs::path file = target;
  if (fs::is_symlink(target, ec)) file = fs::weakly_canonical(target, ec);
  if (ec) return;
  static std::mutex mutex;
  static std::set<fs::path> swept;
  {
    const std::lock_guard lock(mutex);
    if (!swept.insert(file).second) return;
  }
  RemoveStaleTempFiles(file);
}

int RemoveStaleTempFiles(const fs::path& target) {
  const std::string prefix = TempPrefix(target);
  const pid_t self = ::getpid();
  fs::path folder = target.parent_path();
  if (folder.empty()) folder = ".";
  int removed = 0;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (!name.starts_with(prefix)) continue;
    const pid_t pid = PidOfTempName(std::string_view(name).substr(prefix.size()));
    if (pid == 0 || (pid != self && ProcessRuns(pid))) continue;
    std::error_code entry_ec;
    if (!it->is_regular_file(entry_ec) || it->is_symlink(entry_ec)) continue;
    if (fs::remove(it->path(), entry_ec)) ++removed;
  }
  return removed;
}

bool WriteHostFileAtomic(const fs::path& target, std::string_view bytes, Error* error) {
  std::error_code ec;
  fs::path final_target = target;
  if (fs::is_symlink(target, ec)) {
    final_target = fs::weakly_canonical(target, ec);
    if (ec) {
      SetError(error, "cannot follow the link " + target.string());
      return false;
    }
  }
  RemoveStaleTempFilesOnce(final_target);
  fs::path temp;
  int fd = -1;
  for (int attempt = 0; attempt < kCreateAttempts && fd < 0; ++attempt) {
    temp = TempPathBeside(final_target);
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) {
    SetError(error, "cannot create " + temp.string() + ": " + std::strerror(errno));
    return false;
  }
  const bool written = WriteAll(fd, bytes) && ::fsync(fd) == 0;
  const int saved_errno = errno;
  const bool closed = ::close(fd) == 0;
  if (!written || !closed) {
    fs::remove(temp, ec);
    SetError(error, "cannot write " + temp.string() + ": " + std::strerror(saved_errno));
    return false;
  }
  const fs::file_status old_status = fs::status(final_target, ec);
  if (!ec && fs::exists(old_status)) fs::permissions(temp, old_status.permissions(), ec);
  fs::rename(temp, final_target, ec);
  if (ec) {
    std::error_code ignored;
    fs::remove(temp, ignored);
    SetError(error, "cannot replace " + final_target.string() + ": " + ec.message());
    return false;
  }
  SyncFolder(final_target.parent_path());
  return true;
}

}  // namespace norva::platform::wine
