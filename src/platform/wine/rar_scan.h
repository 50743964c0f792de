// A walk over the block headers of a RAR archive (RAR 4 or RAR 5, plain or self-extracting), volume by
// volume, without reading the data. It finds the rest of a volume set, tells whether a volume is missing,
// and gives what the headers record of each entry (size and CRC32), which libarchive does not hand out: it
// does not check the CRC of stored entries, so the extraction checks it against these values.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace norva::platform::wine {

struct RarScanEntry {
  std::uint64_t unpacked_size = 0;
  bool size_known = true;
  std::optional<std::uint32_t> crc;  // CRC32 of the whole unpacked data, when the headers record it
  bool directory = false;
  bool encrypted = false;  // the entry's data is encrypted
};

struct RarScan {
  // The headers could be walked to their end (or to the end of the file) in every volume found.
  bool walked = false;
  // The headers are encrypted: nothing but the main header can be read.
  bool headers_encrypted = false;
  // The set, the given file first. One element for an archive that is not a volume set.
  std::vector<std::filesystem::path> volumes;
  // The last volume found says that more follow, but the next one is not there.
  bool missing_volume = false;
  // A header or data area runs past the end of the file, or a RAR 5 volume lacks its end header: the file
  // was cut short.
  bool truncated = false;
  // File and folder entries in archive order (pieces of a split entry are one entry).
  std::vector<RarScanEntry> entries;
};

// Walks the archive at `first` and the volumes that follow it ("x.part2.rar" after "x.part1.rar", "x.r00"
// after "x.rar"; names matched without regard to letter case). Never throws; a file that is no RAR archive
// gives walked == false.
RarScan ScanRarSet(const std::filesystem::path& first);

// The name of the volume that follows `name` in a set ("game.part09.rar" -> "game.part10.rar",
// "game.rar" -> "game.r00", "game.r99" -> "game.s00"); nothing when the name follows neither scheme.
std::optional<std::string> NextVolumeName(const std::string& name);

}  // namespace norva::platform::wine
