#include "platform/wine/wine_registry.h"

#include <chrono>
#include <set>
#include <system_error>

#include "platform/unicode_text.h"
#include "platform/wine/atomic_write.h"

namespace norva::platform::wine {
namespace fs = std::filesystem;

namespace {

constexpr std::string_view kClasses = "Software\\Classes";

// "\Software\\Foo\" and "Software\Foo" name the same key.
std::string NormalizeKey(std::string_view key) {
  std::string path;
  std::size_t start = 0;
  while (start <= key.size()) {
    std::size_t end = key.find('\\', start);
    if (end == std::string_view::npos) end = key.size();
    if (end > start) {
      if (!path.empty()) path += '\\';
      path.append(key.substr(start, end - start));
    }
    start = end + 1;
  }
  return path;
}

std::string Join(std::string_view base, std::string_view path) {
  if (path.empty()) return std::string(base);
  return std::string(base) + "\\" + std::string(path);
}

std::int64_t SystemUnixSeconds() {
  return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch())
      .count();
}

}  // namespace

WineRegistry::WineRegistry(fs::path prefix) : clock_(SystemUnixSeconds) {
  machine_.file = prefix / "system.reg";
  user_.file = std::move(prefix) / "user.reg";
}

const RegFile& WineRegistry::Load(Hive& hive) {
  std::error_code ec;
  const fs::file_status status = fs::status(hive.file, ec);
  if (ec || !fs::is_regular_file(status)) {
    // A missing file is an empty hive.
    hive.loaded = false;
    hive.parsed = RegFile();
    return hive.parsed;
  }
  const std::uintmax_t size = fs::file_size(hive.file, ec);
  const fs::file_time_type mtime = fs::last_write_time(hive.file, ec);
  if (hive.loaded && size == hive.size && mtime == hive.mtime) return hive.parsed;
  hive.parsed = RegFile::ReadFrom(hive.file);
  hive.loaded = true;
  hive.size = size;
  hive.mtime = mtime;
  return hive.parsed;
}

std::string WineRegistry::ToHost(std::string_view ansi) const {
  return AnsiToUtf8(ansi, code_page_);
}
std::string WineRegistry::ToAnsi(std::string_view utf8) const {
  return Utf8ToAnsi(utf8, code_page_);
}

std::vector<WineRegistry::Location> WineRegistry::Locate(RegRoot root, std::string_view key) {
  const std::string path = NormalizeKey(ToHost(key));
  switch (root) {
    case RegRoot::kLocalMachine:
      return {{&machine_, path}};
    case RegRoot::kCurrentUser:
      return {{&user_, path}};
    case RegRoot::kClassesRoot:
      return {{&user_, Join(kClasses, path)}, {&machine_, Join(kClasses, path)}};
  }
  return {};
}

bool WineRegistry::KeyExists(RegRoot root, std::string_view key) {
  for (const Location& where : Locate(root, key)) {
    if (Load(*where.hive).KeyExists(where.path)) return true;
  }
  return false;
}

std::optional<std::string> WineRegistry::ReadString(RegRoot root, std::string_view key,
                                                    std::string_view name) {
  const std::string host_name = ToHost(name);
  for (const Location& where : Locate(root, key)) {
    const RegValue* value = Load(*where.hive).FindValue(where.path, host_name);
    if (value == nullptr) continue;
    if (value->type != kRegSz && value->type != kRegExpandSz) return std::nullopt;
    // A string ends at its first NUL, as a C caller would read it.
    const std::string_view text = std::string_view(value->data).substr(0, value->data.find('\0'));
    return ToAnsi(text);
  }
  return std::nullopt;
}

bool WineRegistry::HasSubKeys(RegRoot root, std::string_view key) {
  return !SubKeyNames(root, key).empty();
}

std::vector<std::string> WineRegistry::SubKeyNames(RegRoot root, std::string_view key) {
  std::vector<std::string> names;
  std::set<std::string> seen;
  for (const Location& where : Locate(root, key)) {
    for (const std::string& name : Load(*where.hive).SubKeyNames(where.path)) {
      if (seen.insert(FoldCase(name)).second) names.push_back(ToAnsi(name));
    }
  }
  return names;
}

std::vector<std::string> WineRegistry::ValueNames(RegRoot root, std::string_view key) {
  std::vector<std::string> names;
  std::set<std::string> seen;
  for (const Location& where : Locate(root, key)) {
    for (const std::string& name : Load(*where.hive).ValueNames(where.path)) {
      if (seen.insert(FoldCase(name)).second) names.push_back(ToAnsi(name));
    }
  }
  return names;
}

bool WineRegistry::Rewrite(Hive& hive, const std::string& text) {
  if (!WriteHostFileAtomic(hive.file, text)) return false;
  hive.loaded = false;  // parsed again on the next read, from what is really on disk
  return true;
}

bool WineRegistry::DeleteValue(RegRoot root, std::string_view key, std::string_view name) {
  const std::string host_name = ToHost(name);
  bool deleted = false;
  for (const Location& where : Locate(root, key)) {
    const std::optional<std::string> text = Load(*where.hive).TextWithoutValue(where.path, host_name);
    if (text && Rewrite(*where.hive, *text)) deleted = true;
    // Under HKEY_CLASSES_ROOT the user's value hides the machine's: deleting it must not uncover the other.
  }
  return deleted;
}

bool WineRegistry::DeleteKeyIn(RegRoot root, std::string_view key, bool only_without_subkeys) {
  if (NormalizeKey(key).empty()) return false;  // a root is never deleted
  if (only_without_subkeys && HasSubKeys(root, key)) return false;
  bool deleted = false;
  for (const Location& where : Locate(root, key)) {
    const std::optional<std::string> text = Load(*where.hive).TextWithoutKey(where.path, clock_());
    if (text && Rewrite(*where.hive, *text)) deleted = true;
  }
  return deleted;
}

bool WineRegistry::DeleteKey(RegRoot root, std::string_view key) {
  return DeleteKeyIn(root, key, false);
}

bool WineRegistry::DeleteEmptyKey(RegRoot root, std::string_view key) {
  return DeleteKeyIn(root, key, true);
}

}  // namespace norva::platform::wine
