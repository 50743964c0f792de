#include "platform/wine/host_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace norva::platform::wine {
namespace fs = std::filesystem;
namespace {

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

bool ReadAll(int fd, std::uint64_t max_bytes, std::string& bytes) {
  char buffer[65536];
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return got == 0;
    // A file may grow while it is read; the limit holds for what is really read.
    if (bytes.size() + static_cast<std::size_t>(got) > max_bytes) return false;
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
}

constexpr int kMissing = -2;
constexpr int kRefused = -1;

// A descriptor of the regular file at `path` of at most `max_bytes`; kMissing when there is no such path,
// kRefused when it is something else or cannot be opened.
int OpenRegular(const fs::path& path, std::uint64_t max_bytes) {
  // Opening a device can have effects of its own (a tape rewinds, a modem line rises): look before opening.
  struct stat before {};
  if (::stat(path.c_str(), &before) != 0) return errno == ENOENT || errno == ENOTDIR ? kMissing : kRefused;
  if (!S_ISREG(before.st_mode) || static_cast<std::uint64_t>(before.st_size) > max_bytes) return kRefused;
  // The path may have been replaced by a FIFO since: O_NONBLOCK makes that open return at once, and the
  // descriptor's own type is checked again.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return errno == ENOENT || errno == ENOTDIR ? kMissing : kRefused;
  struct stat status {};
  if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) ||
      static_cast<std::uint64_t>(status.st_size) > max_bytes) {
    ::close(fd);
    return kRefused;
  }
  return fd;
}

}  // namespace

HostFileStamp StampHostFile(const fs::path& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) return {};
  return StampOf(status);
}

std::optional<HostFileContent> ReadHostFile(const fs::path& path, std::uint64_t max_bytes) {
  const int fd = OpenRegular(path, max_bytes);
  if (fd == kMissing) return HostFileContent{};
  if (fd < 0) return std::nullopt;
  HostFileContent content;
  struct stat status {};
  bool ok = ::fstat(fd, &status) == 0;
  if (ok) {
    content.stamp = StampOf(status);
    content.bytes.reserve(static_cast<std::size_t>(status.st_size));
    ok = ReadAll(fd, max_bytes, content.bytes);
  }
  ::close(fd);
  if (!ok) return std::nullopt;
  return content;
}

std::optional<HostFileStamp> ProbeHostFile(const fs::path& path) {
  const int fd = OpenRegular(path, kNoSizeLimit);
  if (fd < 0) return std::nullopt;
  struct stat status {};
  const bool ok = ::fstat(fd, &status) == 0;
  ::close(fd);
  if (!ok) return std::nullopt;
  return StampOf(status);
}

std::optional<OpenHostFile> OpenHostFile::Open(const fs::path& path, std::uint64_t max_bytes) {
  const int fd = OpenRegular(path, max_bytes);
  if (fd < 0) return std::nullopt;
  struct stat status {};
  if (::fstat(fd, &status) != 0) {
    ::close(fd);
    return std::nullopt;
  }
  return OpenHostFile(fd, StampOf(status));
}

OpenHostFile::OpenHostFile(OpenHostFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), stamp_(other.stamp_) {}

OpenHostFile& OpenHostFile::operator=(OpenHostFile&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = std::exchange(other.fd_, -1);
    stamp_ = other.stamp_;
  }
  return *this;
}

OpenHostFile::~OpenHostFile() {
  if (fd_ >= 0) ::close(fd_);
}

HostFileStamp OpenHostFile::CurrentStamp() const {
  struct stat status {};
  if (fd_ < 0 || ::fstat(fd_, &status) != 0) return {};
  return StampOf(status);
}

long long OpenHostFile::Next(char* buffer, std::size_t size) {
  for (;;) {
    const ssize_t got = ::read(fd_, buffer, size);
    if (got < 0 && errno == EINTR) continue;
    return got;
  }
}

std::string OpenHostFile::ReadAt(std::uint64_t offset, std::size_t length) const {
  std::string bytes(length, '\0');
  std::size_t done = 0;
  while (done < length) {
    const ssize_t got = ::pread(fd_, bytes.data() + done, length - done, static_cast<off_t>(offset + done));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    done += static_cast<std::size_t>(got);
  }
  bytes.resize(done);
  return bytes;
}

std::optional<std::string> ReadRegularHostFile(const fs::path& path, std::uint64_t max_bytes) {
  auto content = ReadHostFile(path, max_bytes);
  if (!content || !content->stamp.exists) return std::nullopt;
  return std::move(content->bytes);
}

}  // namespace norva::platform::wine
