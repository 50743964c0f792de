#include "platform/dos_path.h"

namespace norva::platform {
namespace {

char UpperDrive(char c) {
  if (c >= 'a' && c <= 'z') return static_cast<char>(c - 'a' + 'A');
  return c;
}

bool IsDriveLetter(char c) {
  const char upper = UpperDrive(c);
  return upper >= 'A' && upper <= 'Z';
}

void Append(std::vector<std::string>& components, std::string_view relative) {
  std::size_t start = 0;
  while (start <= relative.size()) {
    std::size_t end = relative.find('\\', start);
    if (end == std::string_view::npos) end = relative.size();
    const std::string_view part = relative.substr(start, end - start);
    if (part == "..") {
      if (!components.empty()) components.pop_back();
    } else if (!part.empty() && part != ".") {
      components.emplace_back(part);
    }
    start = end + 1;
  }
}

}  // namespace

std::optional<DosPath> ParseDosPath(std::string_view text, const DosPath& current) {
  std::string path(text);
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  std::string_view rest = path;
  if (rest.starts_with("\\\\")) {
    // The Win32 file and device namespaces wrap ordinary drive paths; anything else is a network share.
    if ((rest.starts_with("\\\\?\\") || rest.starts_with("\\\\.\\")) && rest.size() >= 6 &&
        IsDriveLetter(rest[4]) && rest[5] == ':') {
      rest.remove_prefix(4);
    } else {
      return std::nullopt;
    }
  }
  DosPath result;
  if (rest.size() >= 2 && rest[1] == ':') {
    if (!IsDriveLetter(rest[0])) return std::nullopt;
    result.drive = UpperDrive(rest[0]);
    rest.remove_prefix(2);
    if (!rest.starts_with('\\') && result.drive == current.drive) result.components = current.components;
  } else {
    result.drive = current.drive;
    if (!rest.starts_with('\\')) result.components = current.components;
  }
  Append(result.components, rest);
  return result;
}

std::string FormatDosPath(const DosPath& path) {
  std::string text{path.drive, ':'};
  if (path.components.empty()) return text + "\\";
  for (const std::string& component : path.components) {
    text += '\\';
    text += component;
  }
  return text;
}

}  // namespace norva::platform
