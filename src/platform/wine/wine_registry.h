// The registry of the Windows machine read from and written to the prefix's files: system.reg is
// HKEY_LOCAL_MACHINE, user.reg is HKEY_CURRENT_USER, HKEY_CLASSES_ROOT is both Software\Classes merged (the
// user's first). Each file is parsed once and again whenever its size or modification time changes; a missing
// file is an empty hive. Keys are never created.
//
// A running wineserver holds its own copy of the registry and overwrites these files when it saves; callers
// make sure that none runs for the prefix before they read or delete.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/code_page.h"
#include "platform/registry.h"
#include "platform/wine/reg_file.h"

namespace norva::platform::wine {

class WineRegistry : public Registry {
 public:
  explicit WineRegistry(std::filesystem::path prefix);

  // The code page of the key paths, names and values handed in and out (Windows-1250 until set).
  void SetAnsiCodePage(CodePage code_page) { code_page_ = code_page; }
  // The clock for the modification time of key blocks written by deletions (Unix seconds); the system clock
  // until replaced.
  void SetClock(std::function<std::int64_t()> unix_seconds) { clock_ = std::move(unix_seconds); }

  bool KeyExists(RegRoot root, std::string_view key) override;
  std::optional<std::string> ReadString(RegRoot root, std::string_view key, std::string_view name) override;
  bool HasSubKeys(RegRoot root, std::string_view key) override;
  std::vector<std::string> SubKeyNames(RegRoot root, std::string_view key) override;
  std::vector<std::string> ValueNames(RegRoot root, std::string_view key) override;
  bool DeleteValue(RegRoot root, std::string_view key, std::string_view name) override;
  bool DeleteKey(RegRoot root, std::string_view key) override;
  bool DeleteEmptyKey(RegRoot root, std::string_view key) override;

 private:
  struct Hive {
    std::filesystem::path file;
    bool loaded = false;
    std::uintmax_t size = 0;
    std::filesystem::file_time_type mtime;
    RegFile parsed;
  };
  // One place to look: a hive and a UTF-8 key path inside it.
  struct Location {
    Hive* hive;
    std::string path;
  };

  const RegFile& Load(Hive& hive);
  std::vector<Location> Locate(RegRoot root, std::string_view key);
  std::string ToHost(std::string_view ansi) const;
  std::string ToAnsi(std::string_view utf8) const;
  bool Rewrite(Hive& hive, const std::string& text);
  bool DeleteKeyIn(RegRoot root, std::string_view key, bool only_without_subkeys);

  Hive machine_;
  Hive user_;
  CodePage code_page_ = CodePage::kCentralEuropean;
  std::function<std::int64_t()> clock_;
};

}  // namespace norva::platform::wine
