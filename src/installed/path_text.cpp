#include "installed/path_text.h"

#include "platform/dos_path.h"

namespace norva::installed {

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

bool IsDrivePath(std::string_view text) {
  const auto letter = static_cast<unsigned char>(text.empty() ? 0 : text[0]);
  return text.size() >= 3 && ((letter | 0x20) >= 'a' && (letter | 0x20) <= 'z') && text[1] == ':' &&
         (text[2] == '\\' || text[2] == '/');
}

namespace {

// Whether a text names its own drive ("X:...", or the wrapped "\\?\X:..." forms and network paths, which the
// parser itself accepts or refuses); anything else needs a current folder to mean something.
bool NamesItsDrive(std::string_view text) {
  return (text.size() >= 2 && text[1] == ':') || text.starts_with("\\\\") || text.starts_with("//");
}

}  // namespace

std::optional<std::string> AbsoluteDosPath(std::string_view path, std::string_view current_dir) {
  const auto current =
      NamesItsDrive(current_dir) ? platform::ParseDosPath(current_dir, platform::DosPath{}) : std::nullopt;
  if (!current && !NamesItsDrive(path)) return std::nullopt;
  const auto parsed = platform::ParseDosPath(path, current.value_or(platform::DosPath{}));
  if (!parsed) return std::nullopt;
  return platform::FormatDosPath(*parsed);
}

}  // namespace norva::installed
