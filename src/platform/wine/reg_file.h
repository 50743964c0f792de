// One of Wine's registry files (system.reg, user.reg) parsed into key blocks that remember which lines of the
// file hold them, so that a deletion can drop exactly those lines and keep the rest of the text as it was.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace norva::platform::wine {

inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kRegMultiSz = 7;

struct RegValue {
  std::string name;  // UTF-8; empty for the key's default value ("@")
  std::uint32_t type = 0;
  // REG_SZ and REG_EXPAND_SZ: the UTF-8 text (also when the file holds it as hex(1)/hex(2) UTF-16 bytes).
  // REG_MULTI_SZ written as str(7): UTF-8 text with its NULs. Everything else: the raw bytes.
  std::string data;
  std::size_t first_line = 0;  // lines [first_line, end_line) of the file, continuation lines included
  std::size_t end_line = 0;
};

struct RegKeyBlock {
  std::string path;            // UTF-8, components separated by '\'; relative to the file's branch
  std::string raw_path;        // the escaped text between '[' and ']' as the file has it
  bool broken = false;         // an unreadable key line: its values belong to no key
  std::size_t first_line = 0;  // the key line up to the next key line (or the end of the file)
  std::size_t end_line = 0;
  std::vector<RegValue> values;
};

class RegFile {
 public:
  // A text without the "WINE REGISTRY Version 2" first line is no registry file and reads as an empty hive.
  static RegFile Parse(std::string_view text);

  bool valid() const { return valid_; }
  const std::vector<RegKeyBlock>& keys() const { return keys_; }

  // Paths are UTF-8 with '\' between components and no leading or trailing '\'; "" is the branch itself.
  // Names match without regard to letter case. A key exists when it has a block or lies above one.
  bool KeyExists(std::string_view path) const;
  // The last definition wins when a key appears in several blocks (Wine merges them on loading).
  const RegValue* FindValue(std::string_view path, std::string_view name) const;
  std::vector<std::string> SubKeyNames(std::string_view path) const;
  std::vector<std::string> ValueNames(std::string_view path) const;

  // The file's text after the change, or nullopt when there is nothing to delete. Lines that the change does
  // not concern are kept byte for byte.
  std::optional<std::string> TextWithoutValue(std::string_view path, std::string_view name) const;
  // Drops the key's blocks and those of all its subkeys. A parent that would vanish with them (it had no
  // block of its own and no other subkeys) gets an empty block, written with the modification time
  // `unix_seconds`, so that deleting a key never deletes its parent.
  std::optional<std::string> TextWithoutKey(std::string_view path, std::int64_t unix_seconds) const;

 private:
  bool valid_ = false;
  std::vector<std::string> lines_;  // each with its own line ending
  std::vector<RegKeyBlock> keys_;
  std::vector<std::string> folded_paths_;  // FoldCase of each block's path
};

}  // namespace norva::platform::wine
