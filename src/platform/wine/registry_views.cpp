#include "platform/wine/registry_views.h"

#include "platform/unicode_text.h"

namespace norva::platform::wine {
namespace {

constexpr std::string_view kWow = "Wow6432Node";

// The first component of `path` and the rest after its separator (empty when there is none).
std::pair<std::string_view, std::string_view> SplitFirst(std::string_view path) {
  const std::size_t separator = path.find('\\');
  if (separator == std::string_view::npos) return {path, {}};
  return {path.substr(0, separator), path.substr(separator + 1)};
}

std::string Join(std::string_view base, std::string_view rest) {
  return std::string(base) + "\\" + std::string(rest);
}

std::vector<std::string> Prefixed(std::string_view base, std::vector<std::string> paths) {
  for (std::string& path : paths) path = Join(base, path);
  return paths;
}

}  // namespace

std::vector<std::string> ClassesKeyViews(std::string_view path, bool win64) {
  if (!win64 || path.empty() || EqualNoCase(SplitFirst(path).first, kWow)) return {std::string(path)};
  return {Join(kWow, path), std::string(path)};
}

std::vector<std::string> MachineKeyViews(std::string_view path, bool win64) {
  const auto [first, below_software] = SplitFirst(path);
  if (!win64 || !EqualNoCase(first, "Software") || below_software.empty()) return {std::string(path)};
  const auto [second, below_second] = SplitFirst(below_software);
  if (EqualNoCase(second, kWow)) return {std::string(path)};
  if (EqualNoCase(second, "Classes")) {
    if (below_second.empty()) return {std::string(path)};
    return Prefixed(path.substr(0, first.size() + 1 + second.size()), ClassesKeyViews(below_second, true));
  }
  return {Join(Join(first, kWow), below_software), std::string(path)};
}

std::vector<std::string> UserKeyViews(std::string_view path, bool win64) {
  const auto [first, below_software] = SplitFirst(path);
  const auto [second, below_second] = SplitFirst(below_software);
  if (!win64 || !EqualNoCase(first, "Software") || !EqualNoCase(second, "Classes") || below_second.empty())
    return {std::string(path)};
  return Prefixed(path.substr(0, first.size() + 1 + second.size()), ClassesKeyViews(below_second, true));
}

bool IsWin64RegistryText(std::string_view head) {
  std::size_t start = 0;
  while (start < head.size()) {
    std::size_t end = head.find('\n', start);
    if (end == std::string_view::npos) end = head.size();
    std::string_view line = head.substr(start, end - start);
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.remove_suffix(1);
    if (line.starts_with('[')) return false;  // options come before the first key
    if (line == "#arch=win64") return true;
    start = end + 1;
  }
  return false;
}

}  // namespace norva::platform::wine
