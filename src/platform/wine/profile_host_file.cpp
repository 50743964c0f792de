#include "platform/wine/profile_host_file.h"

#include "platform/wine/atomic_write.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <system_error>

namespace norva::platform::wine {
namespace fs = std::filesystem;
namespace {

constexpr mode_t kAnyWrite = S_IWUSR | S_IWGRP | S_IWOTH;

HostFileStamp StampOf(const struct stat& status) {
  HostFileStamp stamp;
  stamp.exists = true;
  stamp.device = static_cast<std::uint64_t>(status.st_dev);
  stamp.inode = static_cast<std::uint64_t>(status.st_ino);
  stamp.size = static_cast<std::uint64_t>(status.st_size);
  stamp.modified_ns =
      static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1'000'000'000 + status.st_mtim.tv_nsec;
  stamp.changed_ns =
      static_cast<std::int64_t>(status.st_ctim.tv_sec) * 1'000'000'000 + status.st_ctim.tv_nsec;
  return stamp;
}

// Root may write anywhere, so the permission bits decide as Windows' read-only attribute would.
bool IsWritable(const fs::path& path, const struct stat& status) {
  return (status.st_mode & kAnyWrite) != 0 && ::access(path.c_str(), W_OK) == 0;
}

}  // namespace

HostFileStamp StampHostFile(const fs::path& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) return {};
  return StampOf(status);
}

std::optional<HostFileContent> ReadHostFile(const fs::path& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT || errno == ENOTDIR) return HostFileContent{};
    return std::nullopt;
  }
  HostFileContent content;
  struct stat status {};
  bool ok = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
  if (ok) {
    content.stamp = StampOf(status);
    content.bytes.reserve(static_cast<std::size_t>(status.st_size));
    char buffer[65536];
    for (;;) {
      const ssize_t got = ::read(fd, buffer, sizeof buffer);
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0) {
        ok = got == 0;
        break;
      }
      content.bytes.append(buffer, static_cast<std::size_t>(got));
    }
  }
  ::close(fd);
  if (!ok) return std::nullopt;
  return content;
}

bool ReplaceHostFile(const fs::path& target, std::string_view bytes) {
  std::error_code ec;
  fs::path file = target;
  if (fs::is_symlink(target, ec)) {
    file = fs::weakly_canonical(target, ec);
    if (ec) return false;
  }
  fs::path folder = file.parent_path();
  if (folder.empty()) folder = ".";
  struct stat folder_status {};
  if (::stat(folder.c_str(), &folder_status) != 0 || !S_ISDIR(folder_status.st_mode) ||
      !IsWritable(folder, folder_status)) {
    return false;
  }
  struct stat old_status {};
  const bool exists = ::stat(file.c_str(), &old_status) == 0;
  if (exists && (!S_ISREG(old_status.st_mode) || !IsWritable(file, old_status))) return false;

  // The write itself is the machine's one atomic replace; only the read-only rules are the profile's own.
  return WriteHostFileAtomic(file, bytes);
}

}  // namespace norva::platform::wine
