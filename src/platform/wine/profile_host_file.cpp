#include "platform/wine/profile_host_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <system_error>

#include "platform/wine/atomic_write.h"

namespace norva::platform::wine {
namespace fs = std::filesystem;
namespace {

constexpr mode_t kAnyWrite = S_IWUSR | S_IWGRP | S_IWOTH;

// Root may write anywhere, so the permission bits decide as Windows' read-only attribute would.
bool IsWritable(const fs::path& path, const struct stat& status) {
  return (status.st_mode & kAnyWrite) != 0 && ::access(path.c_str(), W_OK) == 0;
}

// The file a write lands in: a link is followed to the file it names.
std::optional<fs::path> FinalTarget(const fs::path& target) {
  std::error_code ec;
  if (!fs::is_symlink(target, ec)) return target;
  fs::path file = fs::weakly_canonical(target, ec);
  if (ec) return std::nullopt;
  return file;
}

bool CanReplace(const fs::path& file) {
  fs::path folder = file.parent_path();
  if (folder.empty()) folder = ".";
  struct stat folder_status {};
  if (::stat(folder.c_str(), &folder_status) != 0 || !S_ISDIR(folder_status.st_mode) ||
      !IsWritable(folder, folder_status)) {
    return false;
  }
  struct stat old_status {};
  const bool exists = ::stat(file.c_str(), &old_status) == 0;
  return !exists || (S_ISREG(old_status.st_mode) && IsWritable(file, old_status));
}

}  // namespace

bool CanReplaceHostFile(const fs::path& target) {
  const std::optional<fs::path> file = FinalTarget(target);
  return file && CanReplace(*file);
}

bool ReplaceHostFile(const fs::path& target, std::string_view bytes) {
  const std::optional<fs::path> file = FinalTarget(target);
  if (!file || !CanReplace(*file)) return false;
  // The write itself is the machine's one atomic replace; only the read-only rules are the profile's own.
  return WriteHostFileAtomic(*file, bytes);
}

}  // namespace norva::platform::wine
