// One of Wine's registry files (system.reg, user.reg) indexed for lookups, and the text of deletions that
// drop exactly the lines of a key or value and keep the rest of the file as it was.
//
// A prefix with a .NET runtime has a system.reg of more than 20 MB, and the menu asks it for a handful of
// values. So parsing only finds the key lines and indexes each key block by a hash of its folded path; a
// block's values are parsed the first time they are asked for, and the folded paths of all blocks (for
// subkey lists, keys implied by their subkeys, and key deletions) are built the first time one of those is
// asked for. Lookups are not safe from several threads at once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
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
  std::size_t begin =
      0;  // bytes [begin, end) of the file: its lines, continuation lines and line ends included
  std::size_t end = 0;
};

class RegFile {
 public:
  // A text without the "WINE REGISTRY Version 2" first line is no registry file and reads as an empty hive.
  static RegFile Parse(std::string_view text);
  // The same, keeping `text` itself rather than a copy.
  static RegFile Adopt(std::string text);
  // The file read from the host (a regular file only, opened without blocking); a missing or unreadable
  // file, and one of 4 GB or more, is an empty hive.
  static RegFile ReadFrom(const std::filesystem::path& file);

  bool valid() const { return valid_; }

  // Paths are UTF-8 with '\' between components and no leading or trailing '\'; "" is the branch itself.
  // Names match without regard to letter case. A key exists when it has a block or lies above one.
  bool KeyExists(std::string_view path) const;
  // The last definition wins when a key appears in several blocks (Wine merges them on loading). The value
  // lives as long as this object.
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
  // One key line and the lines after it up to the next key line.
  struct Block {
    std::uint32_t begin = 0;       // the key line's first byte
    std::uint32_t path_begin = 0;  // the escaped path, just after '['
    std::uint32_t end = 0;         // where the next key line starts, or the end of the text
    bool broken = false;           // an unreadable key line: its values belong to no key
    std::uint64_t hash = 0;        // of the folded path (PathHash)
  };

  void Index();
  // The blocks of the key, in file order.
  std::vector<std::uint32_t> BlocksOf(std::string_view path) const;
  // The block's path, decoded, with empty components dropped; nullopt for a broken key line.
  std::optional<std::string> PathOf(const Block& block) const;
  std::string_view RawPathOf(const Block& block) const;
  const std::vector<RegValue>& ValuesOf(std::uint32_t block) const;
  // FoldCase of every block's path ("" for broken ones, which `broken` tells apart).
  const std::vector<std::string>& FoldedPaths() const;

  bool valid_ = false;
  std::string text_;
  std::vector<Block> blocks_;
  std::vector<std::uint32_t> slots_;  // open addressing by hash: block index + 1, 0 for a free slot
  mutable std::unordered_map<std::uint32_t, std::vector<RegValue>> values_;
  mutable std::vector<std::string> folded_paths_;
  mutable bool folded_paths_built_ = false;
};

// The values of one key block, from the text after its key line (reg_file_values.cpp). `offset` is where
// `lines` starts in the file.
std::vector<RegValue> ParseRegValues(std::string_view lines, std::size_t offset);

}  // namespace norva::platform::wine
