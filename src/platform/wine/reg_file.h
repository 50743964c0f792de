// One of Wine's registry files (system.reg, user.reg) indexed for lookups, and the text of deletions that
// drop exactly the lines of a key or value and keep the rest of the file as it was.
//
// A prefix with a .NET runtime has a system.reg of more than 20 MB, and the menu asks it for a handful of
// values. So a file read from the host is not kept in memory: one pass over it in pieces finds the key
// lines and indexes each key block by a hash of its folded path (reg_path_hash.h), and the file stays open. A
// block's values are read and parsed the first time they are asked for. Subkey lists, keys implied by their
// subkeys, and deletions need every key: the first of those reads the whole text. Lookups are not safe from
// several threads at once. Move-only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/wine/host_file.h"

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
  // The file on the host (a regular file only, opened without blocking), read in pieces and kept open; a
  // missing or unreadable file, and one of 4 GB or more, is an empty hive. Should the file be written in
  // place while it is open (renaming a new file over it is harmless), deletions refuse to work from it.
  static RegFile ReadFrom(const std::filesystem::path& file);

  RegFile() = default;
  RegFile(RegFile&&) = default;
  RegFile& operator=(RegFile&&) = default;

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
  // One key line and the lines after it up to the next key line; positions are bytes of the file.
  struct Block {
    std::uint32_t begin = 0;       // the key line's first byte
    std::uint32_t path_begin = 0;  // the escaped path, just after '['
    std::uint32_t line_end = 0;    // the key line's '\n', or the end of the text
    std::uint32_t end = 0;         // where the next key line starts, or the end of the text
    std::uint32_t next = 0;        // the block before it with the same hash: its index + 1, or 0
    bool broken = false;           // an unreadable key line: its values belong to no key
    std::uint64_t hash = 0;        // of the folded path
  };

  // Indexes the key lines among complete lines that start at byte `offset` of the file.
  void IndexLines(std::string_view lines, std::size_t offset);
  void IndexStream(OpenHostFile& file);
  void BuildSlots();
  // Bytes [begin, end) of the file: a view of the text when it is held, else read into `scratch`.
  std::string_view Bytes(std::size_t begin, std::size_t end, std::string& scratch) const;
  // The whole text, read once when the file is not held; false when the file was written in place since it
  // was indexed.
  bool HoldText() const;
  // The blocks of the key, in file order.
  std::vector<std::uint32_t> BlocksOf(std::string_view path) const;
  // The block's path, decoded, with empty components dropped; nullopt for a broken key line.
  std::optional<std::string> PathOf(const Block& block) const;
  // The key line from its '[' on, without the line end.
  std::string_view KeyLineOf(const Block& block, std::string& scratch) const;
  const std::vector<RegValue>& ValuesOf(std::uint32_t block) const;
  // FoldCase of every block's path ("" for broken ones, which `broken` tells apart).
  const std::vector<std::string>& FoldedPaths() const;

  bool valid_ = false;
  std::optional<OpenHostFile> file_;  // none when the text was given
  std::uint64_t size_ = 0;
  mutable std::string text_;
  mutable bool text_held_ = false;
  std::vector<Block> blocks_;
  // Open addressing by hash: the index + 1 of the last block with that hash (the others follow through
  // Block::next, so that a key written in many blocks costs one slot), 0 for a free slot.
  std::vector<std::uint32_t> slots_;
  mutable std::unordered_map<std::uint32_t, std::vector<RegValue>> values_;
  mutable std::vector<std::string> folded_paths_;
  mutable bool folded_paths_built_ = false;
};

// The values of one key block, from the text after its key line (reg_file_values.cpp). `offset` is where
// `lines` starts in the file.
std::vector<RegValue> ParseRegValues(std::string_view lines, std::size_t offset);

}  // namespace norva::platform::wine
