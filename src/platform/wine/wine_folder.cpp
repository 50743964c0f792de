#include "platform/wine/wine_folder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

namespace norva::platform::wine {
namespace {

constexpr int kOpenDir = O_RDONLY | O_DIRECTORY | O_CLOEXEC;

bool Writable(const struct stat& st) {
  return (st.st_mode & S_IWUSR) != 0;
}

}  // namespace

std::unique_ptr<Folder> WineFolder::Open(const std::filesystem::path& host, CodePage code_page) {
  const int fd = ::open(host.c_str(), kOpenDir);
  if (fd < 0) return nullptr;
  return std::unique_ptr<Folder>(new WineFolder(fd, code_page));
}

WineFolder::~WineFolder() {
  ::close(fd_);
}

std::string WineFolder::HostName(std::string_view name) const {
  if (name.empty() || name == "." || name == ".." || name.find_first_of("/\\") != std::string_view::npos ||
      name.find('\0') != std::string_view::npos) {
    return {};
  }
  return AnsiToUtf8(name, code_page_);
}

std::vector<DirEntry> WineFolder::List(bool details) {
  std::vector<DirEntry> entries;
  // A descriptor of its own: the listing's read position is not shared with this folder's.
  const int list_fd = ::openat(fd_, ".", kOpenDir);
  if (list_fd < 0) return entries;
  DIR* dir = ::fdopendir(list_fd);
  if (dir == nullptr) {
    ::close(list_fd);
    return entries;
  }
  while (const dirent* found = ::readdir(dir)) {
    const char* host_name = found->d_name;
    if (std::strcmp(host_name, ".") == 0 || std::strcmp(host_name, "..") == 0) continue;
    DirEntry entry;
    entry.name = Utf8ToAnsi(host_name, code_page_);
    entry.hidden = host_name[0] == '.';
    const unsigned char type = found->d_type;
    if (details || type == DT_UNKNOWN || type == DT_LNK) {
      struct stat st {};
      if (::fstatat(fd_, host_name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;  // gone meanwhile
      entry.is_link = S_ISLNK(st.st_mode);
      // A link tells what it leads to; a broken one tells about itself.
      struct stat target {};
      if (entry.is_link && ::fstatat(fd_, host_name, &target, 0) == 0) st = target;
      entry.is_dir = S_ISDIR(st.st_mode);
      entry.read_only = !Writable(st);
      if (S_ISREG(st.st_mode)) entry.size = static_cast<std::uint64_t>(st.st_size);
    } else {
      entry.is_dir = type == DT_DIR;
    }
    entries.push_back(std::move(entry));
  }
  ::closedir(dir);
  return entries;
}

std::unique_ptr<Folder> WineFolder::Open(std::string_view name) {
  const std::string host_name = HostName(name);
  if (host_name.empty()) return nullptr;
  const int fd = ::openat(fd_, host_name.c_str(), kOpenDir | O_NOFOLLOW);
  if (fd < 0) return nullptr;
  return std::unique_ptr<Folder>(new WineFolder(fd, code_page_));
}

bool WineFolder::RemoveFile(std::string_view name, bool even_read_only) {
  const std::string host_name = HostName(name);
  if (host_name.empty()) return false;
  if (!even_read_only) {
    struct stat st {};
    if (::fstatat(fd_, host_name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) return false;
    // Windows refuses to delete a read-only file.
    if (S_ISREG(st.st_mode) && !Writable(st)) return false;
  }
  // A folder is refused here (EISDIR); a link goes, never what it leads to.
  return ::unlinkat(fd_, host_name.c_str(), 0) == 0;
}

bool WineFolder::RemoveDir(std::string_view name) {
  const std::string host_name = HostName(name);
  if (host_name.empty()) return false;
  struct stat st {};
  if (::fstatat(fd_, host_name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) return false;
  if (S_ISLNK(st.st_mode)) {
    struct stat target {};
    if (::fstatat(fd_, host_name.c_str(), &target, 0) != 0 || !S_ISDIR(target.st_mode)) return false;
    return ::unlinkat(fd_, host_name.c_str(), 0) == 0;
  }
  if (!S_ISDIR(st.st_mode) || !Writable(st)) return false;
  return ::unlinkat(fd_, host_name.c_str(), AT_REMOVEDIR) == 0;
}

bool WineFolder::SetReadOnly(std::string_view name, bool read_only) {
  const std::string host_name = HostName(name);
  if (host_name.empty()) return false;
  struct stat st {};
  // The attribute of a link would be that of whatever it leads to.
  if (::fstatat(fd_, host_name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 || S_ISLNK(st.st_mode)) return false;
  const mode_t mode = read_only ? (st.st_mode & ~S_IWUSR) : (st.st_mode | S_IWUSR);
  return ::fchmodat(fd_, host_name.c_str(), mode & 07777, 0) == 0;
}

}  // namespace norva::platform::wine
