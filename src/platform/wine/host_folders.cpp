#include "platform/wine/host_folders.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <system_error>

#include "platform/wine/host_file.h"

namespace norva::platform::wine {
namespace fs = std::filesystem;

namespace {

constexpr const char* kSystemFolders[] = {"/usr",    "/etc",  "/bin",  "/sbin", "/lib",  "/lib32", "/lib64",
                                          "/libx32", "/var",  "/boot", "/opt",  "/home", "/root",  "/srv",
                                          "/dev",    "/proc", "/sys",  "/run",  "/tmp",  "/mnt",   "/media"};
constexpr const char* kUsualUserFolders[] = {"Desktop", "Documents", "Downloads",
                                             "Music",   "Pictures",  "Videos"};

// The path without "." and "..", and without a trailing separator (the root stays "/").
fs::path Normal(const fs::path& path) {
  fs::path normal = path.lexically_normal();
  if (!normal.has_filename() && normal != normal.root_path()) normal = normal.parent_path();
  return normal;
}

bool Holds(const fs::path& outer, const fs::path& inner) {
  if (outer == inner) return true;
  const std::string outer_text = outer.string();
  const std::string inner_text = inner.string();
  if (outer_text == "/") return inner_text.starts_with('/');
  return inner_text.size() > outer_text.size() && inner_text.starts_with(outer_text) &&
         inner_text[outer_text.size()] == '/';
}

// The folders that user-dirs.dirs names: lines such as XDG_DESKTOP_DIR="$HOME/Desktop".
std::vector<fs::path> XdgUserDirs(const fs::path& file, const fs::path& home) {
  std::vector<fs::path> dirs;
  // Read as every host file is: a FIFO or device in its place cannot block the start.
  std::istringstream in(ReadRegularHostFile(file).value_or(std::string()));
  std::string line;
  while (std::getline(in, line)) {
    const std::size_t equals = line.find('=');
    if (!line.starts_with("XDG_") || equals == std::string::npos) continue;
    std::string value = line.substr(equals + 1);
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
      value = value.substr(1, value.size() - 2);
    if (value.starts_with("$HOME")) {
      if (home.empty()) continue;
      value = home.string() + value.substr(5);
    }
    if (value.starts_with('/')) dirs.emplace_back(value);
  }
  return dirs;
}

}  // namespace

HostFolders::Facts HostFolders::FromEnvironment(fs::path prefix) {
  Facts facts;
  facts.prefix = std::move(prefix);
  const char* home = std::getenv("HOME");
  if (home != nullptr && *home == '/') {
    facts.home = home;
  } else if (const passwd* entry = getpwuid(getuid()); entry != nullptr && entry->pw_dir != nullptr) {
    facts.home = entry->pw_dir;
  }
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config != nullptr && *config == '/') facts.xdg_config_home = config;
  return facts;
}

HostFolders::HostFolders(const Facts& facts) {
  Add("/");
  for (const char* folder : kSystemFolders) Add(folder);
  std::error_code ec;
  for (fs::directory_iterator it("/", ec), end; !ec && it != end; it.increment(ec)) {
    if (it->path().filename().string().starts_with("lib")) Add(it->path());
  }
  if (!facts.home.empty()) {
    Add(facts.home);
    for (const char* name : kUsualUserFolders) Add(facts.home / name);
    const fs::path config = facts.xdg_config_home.empty() ? facts.home / ".config" : facts.xdg_config_home;
    for (const fs::path& dir : XdgUserDirs(config / "user-dirs.dirs", facts.home)) Add(dir);
  }
  if (!facts.prefix.empty()) {
    const fs::path prefix = fs::absolute(facts.prefix, ec);
    Add(prefix);
    Add(prefix / "drive_c");
    Add(prefix / "dosdevices");
  }
}

void HostFolders::Add(const fs::path& folder) {
  if (!folder.is_absolute()) return;
  const fs::path normal = Normal(folder);
  std::error_code ec;
  const fs::path canonical = fs::weakly_canonical(normal, ec);
  for (const fs::path& form : {normal, ec ? normal : Normal(canonical)}) {
    if (std::find(folders_.begin(), folders_.end(), form) == folders_.end()) folders_.push_back(form);
  }
}

bool HostFolders::Covers(const fs::path& host_path) const {
  if (!host_path.is_absolute()) return true;  // nothing to judge it by
  fs::path target = Normal(host_path);
  if (target != target.root_path()) {
    std::error_code ec;
    const fs::path parent = fs::weakly_canonical(target.parent_path(), ec);
    if (!ec) target = Normal(parent / target.filename());
  }
  return std::any_of(folders_.begin(), folders_.end(),
                     [&](const fs::path& folder) { return Holds(target, folder); });
}

}  // namespace norva::platform::wine
