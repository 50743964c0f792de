#include "platform/wine/wine_registry.h"

#include <chrono>
#include <set>
#include <system_error>

#include "platform/unicode_text.h"
#include "platform/wine/atomic_write.h"
#include "platform/wine/host_file.h"
#include "platform/wine/registry_views.h"
#include "platform/wine/wineserver_probe.h"

namespace norva::platform::wine {
namespace fs = std::filesystem;

namespace {

constexpr std::string_view kClasses = "Software\\Classes";
// How long a look at the server and at the prefix's architecture holds for reads.
constexpr std::chrono::milliseconds kRecheckAfter{100};

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

// The file's text, or its first `limit` bytes; only a regular file, opened without blocking.
std::optional<std::string> ReadRegistryText(const fs::path& file, std::size_t limit = std::string::npos) {
  if (limit == std::string::npos) return ReadRegularHostFile(file);
  const std::optional<OpenHostFile> opened = OpenHostFile::Open(file);
  if (!opened) return std::nullopt;
  return opened->ReadAt(0, limit);
}

}  // namespace

WineRegistry::WineRegistry(fs::path prefix, WineRegistryOptions options)
    : prefix_(std::move(prefix)),
      options_(std::move(options)),
      save_helper_(options_.save_helper ? *options_.save_helper : DefaultRegistrySaveHelper()),
      live_(prefix_, options_.wine ? *options_.wine : DefaultWineCommand(), save_helper_),
      clock_(SystemUnixSeconds) {
  machine_.file = prefix_ / "system.reg";
  machine_.root_name = kMachineRootName;
  user_.file = prefix_ / "user.reg";
  user_.root_name = kUserRootName;
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

void WineRegistry::UseWine(std::vector<std::string> wine) {
  live_ = LiveRegistry(prefix_, std::move(wine), save_helper_);
  ForgetSnapshot();
}

bool WineRegistry::ServerRunning(bool fresh) {
  // A server that started or ended a moment ago changes nothing for a read: a starting server has just loaded
  // the files, an ending one has just saved them. Only changes ask every time.
  live_.SetWin64(IsWin64());
  const auto now = std::chrono::steady_clock::now();
  if (fresh || !server_checked_ || now - *server_checked_ >= kRecheckAfter) {
    server_running_ = live_.available() && WineserverRunning(prefix_);
    server_checked_ = now;
  }
  return server_running_;
}

bool WineRegistry::Prepare() {
  live_mode_ = false;
  if (!ServerRunning(false)) {
    snapshot_taken_.reset();
    return false;
  }
  const auto now = std::chrono::steady_clock::now();
  if (!snapshot_taken_ || now - *snapshot_taken_ >= options_.snapshot_life) {
    // Wine could not give what its server holds a moment ago: the files are the best that is left, and asking
    // again for every read of a page would only make the page wait.
    if (export_failed_ && now - *export_failed_ < options_.snapshot_life) return false;
    std::optional<LiveRegistry::Snapshot> snapshot = live_.Export();
    if (!snapshot) {
      snapshot_taken_.reset();
      export_failed_ = std::chrono::steady_clock::now();
      return false;
    }
    export_failed_.reset();
    machine_.live = RegFile::Parse(snapshot->machine);
    user_.live = RegFile::Parse(snapshot->user);
    snapshot_taken_ = std::chrono::steady_clock::now();  // reused from when it is there
    ++snapshot_count_;
  }
  live_mode_ = true;
  return true;
}

bool WineRegistry::IsWin64() {
  const auto now = std::chrono::steady_clock::now();
  if (arch_.checked && now - *arch_.checked < kRecheckAfter) return arch_.win64;
  arch_.checked = now;
  std::error_code ec;
  const std::uintmax_t size = fs::file_size(machine_.file, ec);
  if (ec) return false;
  const fs::file_time_type mtime = fs::last_write_time(machine_.file, ec);
  if (arch_.known && size == arch_.size && mtime == arch_.mtime) return arch_.win64;
  // The option lines come first; a few kilobytes hold them.
  const std::optional<std::string> head = ReadRegistryText(machine_.file, 4096);
  arch_.known = head.has_value();
  arch_.size = size;
  arch_.mtime = mtime;
  arch_.win64 = head && IsWin64RegistryText(*head);
  return arch_.win64;
}

std::string WineRegistry::ToHost(std::string_view ansi) const {
  return AnsiToUtf8(ansi, code_page_);
}
std::string WineRegistry::ToAnsi(std::string_view utf8) const {
  return Utf8ToAnsi(utf8, code_page_);
}

std::vector<WineRegistry::Location> WineRegistry::Locate(RegRoot root, std::string_view key) {
  const std::string path = NormalizeKey(ToHost(key));
  const bool win64 = IsWin64();
  std::vector<Location> places;
  switch (root) {
    case RegRoot::kLocalMachine:
      for (std::string& view : MachineKeyViews(path, win64)) places.push_back({&machine_, std::move(view)});
      break;
    case RegRoot::kCurrentUser:
      for (std::string& view : UserKeyViews(path, win64)) places.push_back({&user_, std::move(view)});
      break;
    case RegRoot::kClassesRoot:
      for (Hive* hive : {&user_, &machine_}) {
        for (const std::string& view : ClassesKeyViews(path, win64))
          places.push_back({hive, Join(kClasses, view)});
      }
      break;
  }
  return places;
}

bool WineRegistry::KeyExists(RegRoot root, std::string_view key) {
  Prepare();
  for (const Location& where : Locate(root, key)) {
    if (Current(*where.hive).KeyExists(where.path)) return true;
  }
  return false;
}

std::optional<std::string> WineRegistry::ReadString(RegRoot root, std::string_view key,
                                                    std::string_view name) {
  Prepare();
  const std::string host_name = ToHost(name);
  for (const Location& where : Locate(root, key)) {
    const RegValue* value = Current(*where.hive).FindValue(where.path, host_name);
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
  Prepare();
  std::vector<std::string> names;
  std::set<std::string> seen;
  for (const Location& where : Locate(root, key)) {
    for (const std::string& name : Current(*where.hive).SubKeyNames(where.path)) {
      if (seen.insert(FoldCase(name)).second) names.push_back(ToAnsi(name));
    }
  }
  return names;
}

std::vector<std::string> WineRegistry::ValueNames(RegRoot root, std::string_view key) {
  Prepare();
  std::vector<std::string> names;
  std::set<std::string> seen;
  for (const Location& where : Locate(root, key)) {
    for (const std::string& name : Current(*where.hive).ValueNames(where.path)) {
      if (seen.insert(FoldCase(name)).second) names.push_back(ToAnsi(name));
    }
  }
  return names;
}

bool WineRegistry::RewriteFile(Hive& hive, const std::string& text) {
  if (!WriteHostFileAtomic(hive.file, text)) return false;
  hive.loaded = false;  // parsed again on the next read, from what is really on disk
  arch_.checked.reset();
  return true;
}

bool WineRegistry::ApplyDeletions(
    const std::vector<Location>& targets, const RegeditScript& script,
    const std::function<std::optional<std::string>(const RegFile&, const std::string&)>& change) {
  if (targets.empty()) return false;
  if (live_mode_) {
    if (!live_.Import(script)) return false;
    // The snapshot follows, so that reads until the next one do not see what is gone.
    for (const Location& where : targets) {
      if (const std::optional<std::string> text = change(where.hive->live, where.path))
        where.hive->live = RegFile::Parse(*text);
    }
    return true;
  }
  bool deleted = false;
  for (const Location& where : targets) {
    const std::optional<std::string> text = change(Load(*where.hive), where.path);
    if (text && RewriteFile(*where.hive, *text)) deleted = true;
  }
  // A wineserver that started meanwhile may have read the files before they were rewritten, and would save
  // its copy over them: it gets the same change.
  if (deleted && ServerRunning(true)) {
    live_.Import(script);
    ForgetSnapshot();
  }
  return deleted;
}

bool WineRegistry::DeleteValue(RegRoot root, std::string_view key, std::string_view name) {
  ServerRunning(true);
  Prepare();
  const std::string host_name = ToHost(name);
  std::vector<Location> targets;
  RegeditScript script;
  // Every view that has the value loses it (under HKEY_CLASSES_ROOT the user's value hides the machine's:
  // deleting one must not uncover the other).
  for (Location& where : Locate(root, key)) {
    if (Current(*where.hive).FindValue(where.path, host_name) == nullptr) continue;
    script.DeleteValue(where.hive->root_name, where.path, host_name);
    targets.push_back(std::move(where));
  }
  return ApplyDeletions(targets, script, [&](const RegFile& file, const std::string& path) {
    return file.TextWithoutValue(path, host_name);
  });
}

bool WineRegistry::DeleteKeyIn(RegRoot root, std::string_view key, bool only_without_subkeys) {
  if (NormalizeKey(key).empty()) return false;  // a root is never deleted
  if (only_without_subkeys && HasSubKeys(root, key)) return false;
  ServerRunning(true);
  Prepare();
  std::vector<Location> targets;
  RegeditScript script;
  for (Location& where : Locate(root, key)) {
    if (!Current(*where.hive).KeyExists(where.path)) continue;
    script.DeleteKey(where.hive->root_name, where.path);
    targets.push_back(std::move(where));
  }
  const std::int64_t now = clock_();
  return ApplyDeletions(targets, script, [&](const RegFile& file, const std::string& path) {
    return file.TextWithoutKey(path, now);
  });
}

bool WineRegistry::DeleteKey(RegRoot root, std::string_view key) {
  return DeleteKeyIn(root, key, false);
}

bool WineRegistry::DeleteEmptyKey(RegRoot root, std::string_view key) {
  return DeleteKeyIn(root, key, true);
}

bool WineRegistry::WriteString(RegRoot root, std::string_view key, std::string_view name,
                               std::string_view value, std::optional<std::string_view> new_file_arch) {
  if (root == RegRoot::kClassesRoot) return false;
  Hive& hive = root == RegRoot::kLocalMachine ? machine_ : user_;
  const std::string path = NormalizeKey(ToHost(key));
  if (path.empty()) return false;
  const std::string host_name = ToHost(name);
  const std::string host_value = ToHost(value);
  RegeditScript script;
  script.SetString(hive.root_name, path, host_name, host_value);
  if (ServerRunning(true)) {
    const bool written = live_.Import(script);
    ForgetSnapshot();
    return written;
  }

  std::string text;
  std::error_code ec;
  if (fs::exists(hive.file, ec)) {
    if (!Load(hive).valid()) return false;  // not a registry file: nothing is added to it
    const std::optional<std::string> current = ReadRegistryText(hive.file);
    if (!current) return false;
    text = *current;
  } else if (&hive == &machine_ && new_file_arch) {
    // The header Wine writes, with the architecture Wine would choose: without it, Wine would take the
    // prefix for a 32-bit one.
    text = "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=" +
           std::string(*new_file_arch) + "\n";
  } else {
    return false;
  }
  // A later block of a key adds to (and overrides) the earlier ones, for Wine as for this reader.
  if (!text.empty() && text.back() != '\n') text += '\n';
  text += "\n[" + EscapeRegText(path) + "] " + std::to_string(clock_()) + "\n" +
          (host_name.empty() ? std::string("@") : "\"" + EscapeRegText(host_name) + "\"") + "=\"" +
          EscapeRegText(host_value) + "\"\n";
  if (!RewriteFile(hive, text)) return false;
  if (ServerRunning(true)) live_.Import(script);
  return true;
}

}  // namespace norva::platform::wine
