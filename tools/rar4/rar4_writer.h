// Writes RAR 4 archives (signature "Rar!\x1A\x07\x00") whose entries are all stored, uncompressed and
// unencrypted, for building sample discs and archive-unpacking tests. Entries keep the order they were added
// in.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "rar4_blocks.h"

namespace norva::tools {

class Rar4Writer {
 public:
  // `name` is the path inside the archive as stored: '\' between folders, no leading '\', bytes in the OEM
  // code page the unpacking side expects (RAR 4 names without the Unicode flag are OEM text).
  // `dos_time` is an FTIME value (see DosTime); `attributes` are Windows attribute bits.
  void AddFolder(std::string name, std::uint32_t dos_time, std::uint32_t attributes = kAttrDirectory);
  void AddFile(std::string name, std::string bytes, std::uint32_t dos_time,
               std::uint32_t attributes = kAttrArchive);

  // Splits the archive into volumes of at most `bytes` bytes each; 0 (the default) writes one archive.
  void SetVolumeSize(std::uint64_t bytes) { volume_size_ = bytes; }

  // The archive as the bytes of each volume (one element without volume splitting). nullopt and a reason in
  // `*error` for an invalid name or a volume size too small to hold a header and one byte of data. Every
  // volume ends inside a split file (libarchive only follows a set there); a size so small that folder or
  // empty-file headers would fill a volume without one fails instead.
  std::optional<std::vector<std::string>> Build(std::string* error) const;

  // Builds and writes the archive. Without splitting it goes to `out` itself; with splitting to
  // "<stem>.part1.rar", "<stem>.part2.rar", ... beside `out` (digits padded to the width of the count, as
  // WinRAR does: part01 ... part12), where <stem> is `out` without its ".rar". Returns the files written in
  // volume order, or nullopt with `*error` set; nothing is written when building fails.
  std::optional<std::vector<std::filesystem::path>> Write(const std::filesystem::path& out,
                                                          std::string* error) const;

 private:
  struct Piece;
  using Volume = std::vector<Piece>;
  struct Entry {
    std::string name;
    bool folder = false;
    std::string bytes;
    std::uint32_t dos_time = 0;
    std::uint32_t attributes = 0;
  };
  // Which entries, or runs of their bytes, go into each volume.
  std::optional<std::vector<Volume>> PlanVolumes(std::string* error) const;

  std::vector<Entry> entries_;
  std::uint64_t volume_size_ = 0;
};

// Name of volume `index` (0-based) of a set of `count` volumes for the archive path `out`.
std::filesystem::path VolumePath(const std::filesystem::path& out, std::size_t index, std::size_t count);

}  // namespace norva::tools
