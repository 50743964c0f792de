// The registry of the Windows machine of a Wine prefix: system.reg is HKEY_LOCAL_MACHINE, user.reg is
// HKEY_CURRENT_USER, HKEY_CLASSES_ROOT is both Software\Classes merged (the user's first). Keys are never
// created by the menu's reads and deletions.
//
// What Wine sees is what is read and changed. With no wineserver running for the prefix, the files are
// parsed (again whenever their size or modification time changes; a missing file is an empty hive) and
// deletions rewrite them atomically. While a wineserver runs, it holds the registry and the files are stale:
// reads then come from a snapshot that Wine itself gives (one call for both roots, reused for a short while,
// so that a page's detection costs one call; see LiveRegistry), and changes go through Wine's regedit.
//
// On a 64-bit prefix (#arch=win64) keys are read as the 32-bit menu reads them on 64-bit Windows: the 32-bit
// view first (Software\Wow6432Node, Software\Classes\Wow6432Node), then the key a 64-bit installer wrote.
// Deletions act in every view where the key or value was found, so that a read after the deletion does not
// find the other view's copy.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/code_page.h"
#include "platform/registry.h"
#include "platform/wine/live_registry.h"
#include "platform/wine/reg_file.h"

namespace norva::platform::wine {

struct WineRegistryOptions {
  // The command that runs Windows programs in the prefix, for the way through a running wineserver; unset:
  // "wine" on the PATH.
  std::optional<std::vector<std::string>> wine;
  // The host path of norva-regsave.exe; unset: DefaultRegistrySaveHelper(); empty: Wine's own tools only.
  std::optional<std::filesystem::path> save_helper;
  // How long a snapshot of a running server's registry is reused.
  std::chrono::milliseconds snapshot_life{1000};
};

class WineRegistry : public Registry {
 public:
  explicit WineRegistry(std::filesystem::path prefix, WineRegistryOptions options = {});

  // The code page of the key paths, names and values handed in and out (Windows-1250 until set).
  void SetAnsiCodePage(CodePage code_page) { code_page_ = code_page; }
  // The clock for the modification time of key blocks written into the files (Unix seconds); the system
  // clock until replaced.
  void SetClock(std::function<std::int64_t()> unix_seconds) { clock_ = std::move(unix_seconds); }

  bool KeyExists(RegRoot root, std::string_view key) override;
  std::optional<std::string> ReadString(RegRoot root, std::string_view key, std::string_view name) override;
  bool HasSubKeys(RegRoot root, std::string_view key) override;
  std::vector<std::string> SubKeyNames(RegRoot root, std::string_view key) override;
  std::vector<std::string> ValueNames(RegRoot root, std::string_view key) override;
  bool DeleteValue(RegRoot root, std::string_view key, std::string_view name) override;
  bool DeleteKey(RegRoot root, std::string_view key) override;
  bool DeleteEmptyKey(RegRoot root, std::string_view key) override;

  // Sets a string value of HKEY_LOCAL_MACHINE or HKEY_CURRENT_USER exactly at `key` (no view applies),
  // creating the key. A missing machine file is created with the header of a prefix of `new_file_arch`
  // ("win32" or "win64"); without it, a missing file makes the write fail.
  bool WriteString(RegRoot root, std::string_view key, std::string_view name, std::string_view value,
                   std::optional<std::string_view> new_file_arch = std::nullopt);

  // The command that runs Windows programs, for the way through a running server: the same Wine as the
  // server's, when the menu was told which Wine to run programs with.
  void UseWine(std::vector<std::string> wine);

  // The next read looks at the server again and takes a new snapshot of its registry (a program has changed
  // it, or has ended).
  void ForgetSnapshot() {
    snapshot_taken_.reset();
    server_checked_.reset();
  }
  // How many snapshots were taken so far (one Wine call each).
  int snapshots_taken() const { return snapshot_count_; }
  // Whether the prefix is 64-bit, as its machine file says.
  bool IsWin64();

  LiveRegistry& live() { return live_; }

 private:
  struct Hive {
    std::filesystem::path file;
    std::string_view root_name;  // as Wine's tools name it
    bool loaded = false;
    std::uintmax_t size = 0;
    std::filesystem::file_time_type mtime;
    RegFile parsed;  // the file
    RegFile live;    // the running server's snapshot
  };
  // One place to look: a hive and a UTF-8 key path inside it.
  struct Location {
    Hive* hive;
    std::string path;
  };

  // Whether a wineserver runs for the prefix (and Wine is there to ask it); `fresh` looks again now.
  bool ServerRunning(bool fresh);
  // Decides where this operation reads: true when through a snapshot of the running server.
  bool Prepare();
  const RegFile& Current(Hive& hive) { return live_mode_ ? hive.live : Load(hive); }
  const RegFile& Load(Hive& hive);
  std::vector<Location> Locate(RegRoot root, std::string_view key);
  std::string ToHost(std::string_view ansi) const;
  std::string ToAnsi(std::string_view utf8) const;
  // Carries out deletions found in the current hives: `change(hive, path)` gives a hive's new text or
  // nullopt.
  bool ApplyDeletions(
      const std::vector<Location>& targets, const RegeditScript& script,
      const std::function<std::optional<std::string>(const RegFile&, const std::string&)>& change);
  bool RewriteFile(Hive& hive, const std::string& text);
  bool DeleteKeyIn(RegRoot root, std::string_view key, bool only_without_subkeys);

  std::filesystem::path prefix_;
  WineRegistryOptions options_;
  std::filesystem::path save_helper_;
  LiveRegistry live_;
  Hive machine_;
  Hive user_;
  bool live_mode_ = false;
  std::optional<std::chrono::steady_clock::time_point> snapshot_taken_;
  std::optional<std::chrono::steady_clock::time_point> export_failed_;
  int snapshot_count_ = 0;
  std::optional<std::chrono::steady_clock::time_point> server_checked_;
  bool server_running_ = false;
  struct {
    std::optional<std::chrono::steady_clock::time_point> checked;
    bool known = false;
    std::uintmax_t size = 0;
    std::filesystem::file_time_type mtime;
    bool win64 = false;
  } arch_;
  CodePage code_page_ = CodePage::kCentralEuropean;
  std::function<std::int64_t()> clock_;
};

}  // namespace norva::platform::wine
