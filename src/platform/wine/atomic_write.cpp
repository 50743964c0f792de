#include "platform/wine/atomic_write.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <system_error>

namespace norva::platform::wine {
namespace fs = std::filesystem;

namespace {

void SetError(std::string* error, const std::string& text) {
  if (error != nullptr) *error = text;
}

fs::path TempPathBeside(const fs::path& target) {
  static std::atomic<unsigned> counter{0};
  const std::string name = "." + target.filename().string() + ".norva-" + std::to_string(::getpid()) + "-" +
                           std::to_string(counter++) + ".tmp";
  return target.parent_path() / name;
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

}  // namespace

bool WriteHostFileAtomic(const fs::path& target, std::string_view bytes, std::string* error) {
  std::error_code ec;
  fs::path final_target = target;
  if (fs::is_symlink(target, ec)) {
    final_target = fs::weakly_canonical(target, ec);
    if (ec) {
      SetError(error, "cannot follow the link " + target.string());
      return false;
    }
  }
  const fs::path temp = TempPathBeside(final_target);
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
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
  return true;
}

}  // namespace norva::platform::wine
