#include "installed/registry_guard.h"

#include <array>
#include <string>
#include <vector>

#include "strings/ucase.h"

namespace norva::installed {
namespace {

constexpr std::size_t kLeastLevels = 3;

// Shared keys, upper-cased, with "*" for any one level. A key is protected when it matches the first levels
// of a pattern and has no more levels than it: the pattern itself and every key above it.
constexpr std::array<std::string_view, 10> kSharedKeys = {
    "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\*",
    "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\EXPLORER\\*",
    "SOFTWARE\\MICROSOFT\\WINDOWS NT\\CURRENTVERSION\\*",
    "SOFTWARE\\CLASSES\\CLSID",
    "SOFTWARE\\CLASSES\\INTERFACE",
    "SOFTWARE\\CLASSES\\TYPELIB",
    "SOFTWARE\\CLASSES\\APPID",
    "SOFTWARE\\WINE\\*",
    "SYSTEM\\*\\*",
    "CONTROL PANEL\\*\\*",
};

std::vector<std::string> Levels(std::string_view key) {
  std::vector<std::string> levels;
  std::size_t start = 0;
  while (start <= key.size()) {
    std::size_t end = key.find('\\', start);
    if (end == std::string_view::npos) end = key.size();
    if (end > start) {
      std::string level = strings::UCase(key.substr(start, end - start));
      if (level != "WOW6432NODE") levels.push_back(std::move(level));
    }
    start = end + 1;
  }
  return levels;
}

bool CoversShared(const std::vector<std::string>& levels, std::string_view pattern) {
  const std::vector<std::string> wanted = Levels(pattern);
  if (levels.size() > wanted.size()) return false;
  for (std::size_t i = 0; i < levels.size(); ++i) {
    if (wanted[i] != "*" && wanted[i] != levels[i]) return false;
  }
  return true;
}

}  // namespace

bool IsProtectedRegistryKey(std::string_view key) {
  const std::vector<std::string> levels = Levels(key);
  if (levels.size() < kLeastLevels) return true;
  for (std::string_view pattern : kSharedKeys) {
    if (CoversShared(levels, pattern)) return true;
  }
  return false;
}

}  // namespace norva::installed
