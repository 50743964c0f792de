// The folders and files of a disc as Windows shows them, with a hashed name index built once, so that a
// lookup in a folder of thousands of files costs one hash probe.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace norva::platform::image {

enum class EntryKind : std::uint8_t { kFile, kFolder };

// Where a file's data lies on the track: `size` bytes from sector `sector`.
struct FileExtent {
  std::uint64_t sector = 0;
  std::uint64_t size = 0;
};

struct DiscEntry {
  std::string name;  // UTF-8; empty for the root
  EntryKind kind = EntryKind::kFile;
  bool hidden = false;            // the disc's hidden flag
  std::uint32_t parent = 0;       // the root is its own parent
  std::uint32_t first_child = 0;  // folders: their entries are [first_child, first_child + child_count)
  std::uint32_t child_count = 0;
  std::uint64_t size = 0;          // bytes: a file's data, a folder's records
  std::int64_t modified = 0;       // seconds since the epoch (UTC)
  std::uint32_t first_extent = 0;  // into the tree's extents; a file has one or more, a folder one
  std::uint32_t extent_count = 0;
};

class DiscTree {
 public:
  static constexpr std::uint32_t kRoot = 0;

  // Building: entries are appended folder by folder (each folder's entries together), then indexed once.
  std::uint32_t Add(DiscEntry entry);
  void AddExtent(std::uint32_t entry, FileExtent extent);
  DiscEntry& Mutable(std::uint32_t index) { return entries_[index]; }
  void BuildIndex();

  std::size_t size() const { return entries_.size(); }
  const DiscEntry& entry(std::uint32_t index) const { return entries_[index]; }
  std::span<const FileExtent> ExtentsOf(std::uint32_t index) const;
  // The entry named exactly `name` in `folder`.
  std::optional<std::uint32_t> Lookup(std::uint32_t folder, std::string_view name) const;

 private:
  struct Key {
    std::uint32_t folder;
    std::string_view name;
    bool operator==(const Key&) const = default;
  };
  struct KeyHash {
    std::size_t operator()(const Key& key) const {
      return std::hash<std::string_view>()(key.name) * 31 + key.folder;
    }
  };

  std::vector<DiscEntry> entries_;
  std::vector<FileExtent> extents_;
  // Keys view the entries' names, which no longer move once the index is built.
  std::unordered_map<Key, std::uint32_t, KeyHash> index_;
};

}  // namespace norva::platform::image
