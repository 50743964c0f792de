// The registry of the Windows machine. Keys are opened without being created; paths are backslash-separated
// and match without regard to case. Texts are in the ANSI code page.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace norva::platform {

enum class RegRoot { kLocalMachine, kCurrentUser, kClassesRoot };

class Registry {
 public:
  virtual ~Registry() = default;
  virtual bool KeyExists(RegRoot root, std::string_view key) = 0;
  // A string value (REG_SZ or REG_EXPAND_SZ, unexpanded); nullopt when the key or value is missing or is not
  // a string. An empty name reads the key's default value.
  virtual std::optional<std::string> ReadString(RegRoot root, std::string_view key,
                                                std::string_view name) = 0;
  virtual bool HasSubKeys(RegRoot root, std::string_view key) = 0;
  virtual std::vector<std::string> SubKeyNames(RegRoot root, std::string_view key) = 0;
  virtual std::vector<std::string> ValueNames(RegRoot root, std::string_view key) = 0;
  virtual bool DeleteValue(RegRoot root, std::string_view key, std::string_view name) = 0;
  // Deletes the key with all its subkeys.
  virtual bool DeleteKey(RegRoot root, std::string_view key) = 0;
  // Deletes the key only when it has no subkeys.
  virtual bool DeleteEmptyKey(RegRoot root, std::string_view key) = 0;
};

}  // namespace norva::platform
