#include "platform/wine/wineserver_probe.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace norva::platform::wine {
namespace fs = std::filesystem;

namespace {

std::string Trimmed(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
  return text;
}

// Whether another process holds a lock on the file (a process never sees its own locks this way).
bool LockedByAnother(const fs::path& file) {
  const int fd = open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return false;
  struct flock query = {};
  query.l_type = F_WRLCK;
  query.l_whence = SEEK_SET;
  const bool locked = fcntl(fd, F_GETLK, &query) == 0 && query.l_type != F_UNLCK;
  close(fd);
  return locked;
}

}  // namespace

std::vector<fs::path> WineserverFolders(const fs::path& prefix) {
  struct stat info = {};
  if (stat(prefix.c_str(), &info) != 0) return {};
  char name[64];
  std::snprintf(name, sizeof name, "server-%llx-%llx", static_cast<unsigned long long>(info.st_dev),
                static_cast<unsigned long long>(info.st_ino));

  std::vector<fs::path> roots;
  std::ifstream file(prefix / "wineserver");
  std::string private_dir;
  if (file && std::getline(file, private_dir) && !(private_dir = Trimmed(private_dir)).empty()) {
    if (private_dir.front() == '/') {
      roots.emplace_back(private_dir);
    } else if (private_dir.find('/') == std::string::npos) {
      const char* tmpdir = std::getenv("TMPDIR");
      if (tmpdir != nullptr && *tmpdir == '/') roots.push_back(fs::path(tmpdir) / private_dir);
      roots.push_back(fs::path("/tmp") / private_dir);
    }
  }
  roots.push_back(fs::path("/tmp") / (".wine-" + std::to_string(getuid())));

  std::vector<fs::path> folders;
  for (const fs::path& root : roots) {
    fs::path folder = root / name;
    if (std::find(folders.begin(), folders.end(), folder) == folders.end())
      folders.push_back(std::move(folder));
  }
  return folders;
}

bool WineserverRunning(const fs::path& prefix) {
  for (const fs::path& folder : WineserverFolders(prefix)) {
    struct stat socket_info = {};
    if (lstat((folder / "socket").c_str(), &socket_info) != 0 || !S_ISSOCK(socket_info.st_mode)) continue;
    if (LockedByAnother(folder / "lock")) return true;
  }
  return false;
}

}  // namespace norva::platform::wine
