#include "installed/path_text.h"

#include <vector>

namespace norva::installed {
namespace {

char UpperDrive(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IsDriveLetter(char c) {
  const char upper = UpperDrive(c);
  return upper >= 'A' && upper <= 'Z';
}

struct Parsed {
  char drive = 0;
  std::vector<std::string> components;
};

void AppendComponents(std::vector<std::string>& components, std::string_view relative) {
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

std::optional<Parsed> Parse(std::string_view text, const Parsed* current) {
  std::string path(text);
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  std::string_view rest = path;
  if (rest.starts_with("\\\\")) {
    const bool wrapped = (rest.starts_with("\\\\?\\") || rest.starts_with("\\\\.\\")) && rest.size() >= 6 &&
                         IsDriveLetter(rest[4]) && rest[5] == ':';
    if (!wrapped) return std::nullopt;  // a network share: the machine has none
    rest.remove_prefix(4);
  }
  Parsed result;
  if (rest.size() >= 2 && rest[1] == ':') {
    if (!IsDriveLetter(rest[0])) return std::nullopt;
    result.drive = UpperDrive(rest[0]);
    rest.remove_prefix(2);
    if (!rest.starts_with('\\') && current != nullptr && current->drive == result.drive) {
      result.components = current->components;
    }
  } else {
    if (current == nullptr) return std::nullopt;
    result.drive = current->drive;
    if (!rest.starts_with('\\')) result.components = current->components;
  }
  AppendComponents(result.components, rest);
  return result;
}

}  // namespace

std::string PostFixDir(std::string_view path) {
  std::string result(path);
  if (!result.empty() && result.back() != '\\') result += '\\';
  return result;
}

std::string GetParentDir(std::string_view path) {
  // A root such as "C:\" keeps its backslash here, so that its parent is "C:".
  if (path.size() > 3 && path.back() == '\\') path.remove_suffix(1);
  const std::size_t last = path.rfind('\\');
  if (last == std::string_view::npos) return {};
  return std::string(path.substr(0, last));
}

std::string BeforeColon(std::string_view text) {
  return std::string(text.substr(0, text.find(':')));
}

std::optional<std::string> AbsoluteDosPath(std::string_view path, std::string_view current_dir) {
  const std::optional<Parsed> current = Parse(current_dir, nullptr);
  const std::optional<Parsed> parsed = Parse(path, current ? &*current : nullptr);
  if (!parsed) return std::nullopt;
  std::string text{parsed->drive, ':'};
  if (parsed->components.empty()) return text + '\\';
  for (const std::string& component : parsed->components) {
    text += '\\';
    text += component;
  }
  return text;
}

}  // namespace norva::installed
