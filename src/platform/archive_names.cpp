#include "platform/archive_names.h"

#include <array>

namespace norva::platform {
namespace {

constexpr std::size_t kMaxComponent = 255;

std::string Upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

std::vector<std::string_view> Split(std::string_view text) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || text[i] == '/' || text[i] == '\\') {
      parts.push_back(text.substr(start, i - start));
      start = i + 1;
    }
  }
  return parts;
}

bool HasDrive(std::string_view text) {
  return text.size() >= 2 && text[1] == ':' &&
         ((text[0] >= 'A' && text[0] <= 'Z') || (text[0] >= 'a' && text[0] <= 'z'));
}

}  // namespace

bool IsDeviceName(std::string_view component) {
  // Windows ignores what follows the first dot, and trailing blanks, when it looks for a device.
  std::string_view base = component.substr(0, component.find('.'));
  while (!base.empty() && (base.back() == ' ' || base.back() == '.')) base.remove_suffix(1);
  const std::string upper = Upper(base);
  static constexpr std::array<std::string_view, 7> kPlain = {"CON",    "PRN",     "AUX",   "NUL",
                                                             "CONIN$", "CONOUT$", "CLOCK$"};
  for (auto name : kPlain) {
    if (upper == name) return true;
  }
  return upper.size() == 4 && (upper.starts_with("COM") || upper.starts_with("LPT")) && upper[3] >= '1' &&
         upper[3] <= '9';
}

std::optional<std::vector<std::string>> SafeEntryPath(std::string_view name) {
  if (name.empty() || name.front() == '/' || name.front() == '\\') return std::nullopt;
  std::vector<std::string> components;
  for (std::string_view part : Split(name)) {
    if (part.empty() || part == ".") continue;
    if (part == ".." || part.size() > kMaxComponent || IsDeviceName(part)) return std::nullopt;
    for (char c : part) {
      if (static_cast<unsigned char>(c) < 0x20 || c == ':') return std::nullopt;
    }
    components.emplace_back(part);
  }
  if (components.empty()) return std::nullopt;
  return components;
}

bool LinkStaysInside(const std::vector<std::string>& entry, std::string_view target) {
  if (target.empty() || target.front() == '/' || target.front() == '\\' || HasDrive(target)) return false;
  // Depth below the target folder of the link's own folder, then walked along the target.
  // ".." is allowed only before the first name: climbing from the link's own folder (a real folder, never
  // reached through a link) is exact, whereas ".." after a name that is itself a link would climb from
  // wherever that link leads.
  long depth = static_cast<long>(entry.size()) - 1;
  bool descended = false;
  for (std::string_view part : Split(target)) {
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      if (descended || --depth < 0) return false;
      continue;
    }
    if (part.find(':') != std::string_view::npos) return false;
    descended = true;
  }
  return true;
}

}  // namespace norva::platform
