#include "platform/image/windows_volume.h"

#include <array>
#include <optional>

#include "platform/image/image_files.h"
#include "platform/unicode_text.h"

namespace norva::platform::image {
namespace {

using Block = std::string;

std::optional<Block> ReadBlock(const DataTrack& track, std::int64_t sector) {
  // Negative sectors count from the end of the disc, as Wine's reads from the end of the device do.
  if (sector < 0) sector += static_cast<std::int64_t>(track.sector_count());
  Block block(kSectorSize, '\0');
  if (sector < 0 || !track.ReadSector(static_cast<std::uint64_t>(sector), block.data())) return std::nullopt;
  return block;
}

bool Tagged(const Block& block, unsigned tag) {
  return static_cast<unsigned char>(block[0]) == (tag & 0xFF) &&
         static_cast<unsigned char>(block[1]) == tag >> 8;
}

// The primary volume descriptor of a UDF volume, through the first anchor found at 256, the last sector, 257
// from the end or 512; the search ends at the first location that cannot be read.
std::optional<Block> UdfPrimaryDescriptor(const DataTrack& track) {
  for (const std::int64_t location : {256, -1, -257, 512}) {
    const auto anchor = ReadBlock(track, location);
    if (!anchor) return std::nullopt;
    if (!Tagged(*anchor, 2)) continue;
    auto primary = ReadBlock(track, static_cast<std::int64_t>(LittleEndian(*anchor, 20, 4)));
    if (!primary || !Tagged(*primary, 1) || ((*primary)[24] != 8 && (*primary)[24] != 16))
      return std::nullopt;
    return primary;
  }
  return std::nullopt;
}

// The volume identifier, a 32-byte dstring at 24. Wine takes one character more than the string holds (its
// length byte counts the compression byte too), then drops trailing blanks (8-bit) and ends at a NUL.
std::string UdfLabel(const Block& primary) {
  const std::size_t length = static_cast<unsigned char>(primary[55]);
  std::u32string label;
  if (primary[24] == 8) {
    for (std::size_t i = 0; i < length; ++i) label += static_cast<unsigned char>(primary[25 + i]);
    while (!label.empty() && label.back() == U' ') label.pop_back();
  } else {
    for (std::size_t i = 0; i < length + 1; i += 2)
      label += static_cast<char32_t>(BigEndian(primary, 25 + i, 2));
  }
  std::string utf8;
  for (const char32_t c : label) {
    if (c == 0) break;
    AppendUtf8(utf8, c);
  }
  return utf8;
}

// The file set descriptor: the first block tagged 256 in the partition that the descriptor sequence after
// the primary descriptor gives; sector 257 when it is not found.
std::int64_t UdfFileSetSector(const DataTrack& track) {
  constexpr std::int64_t kDefault = 257;
  const auto primary = UdfPrimaryDescriptor(track);
  if (!primary) return kDefault;
  std::optional<Block> partition;
  for (auto sector = static_cast<std::int64_t>(LittleEndian(*primary, 12, 4)) + 1;; ++sector) {
    partition = ReadBlock(track, sector);
    if (!partition || Tagged(*partition, 8)) return kDefault;
    if (Tagged(*partition, 5)) break;
  }
  const auto start = static_cast<std::int64_t>(LittleEndian(*partition, 188, 4));
  const auto length = static_cast<std::int64_t>(LittleEndian(*partition, 192, 4));
  for (std::int64_t sector = start; sector < start + length; ++sector) {
    const auto block = ReadBlock(track, sector);
    if (!block) return kDefault;
    if (Tagged(*block, 256)) return sector;
  }
  return kDefault;
}

// Sectors 16..19: the descriptor of the highest type before the terminator, when it is an ISO 9660 one.
// (Wine shifts its reads by 8 bytes on High Sierra discs, "ROM" at byte 11, and then finds no ISO 9660
// identifier: such a disc gets no label.)
std::optional<Block> BestIsoDescriptor(const DataTrack& track) {
  unsigned best_type = 0;
  std::optional<Block> best;
  for (std::int64_t sector = 16; sector <= 19; ++sector) {
    auto block = ReadBlock(track, sector);
    if (!block) break;
    if (block->compare(11, 3, "ROM") == 0) return std::nullopt;
    const unsigned type = static_cast<unsigned char>((*block)[0]);
    if (type == 0xFF) break;
    if (type > best_type) best_type = type, best = std::move(block);
  }
  if (!best || best->compare(1, 5, "CD001") != 0) return std::nullopt;
  return best;
}

}  // namespace

std::string DescriptorLabel(std::string_view descriptor) {
  std::u32string label;
  const unsigned level = static_cast<unsigned char>(descriptor[90]);
  if (descriptor[88] == 0x25 && descriptor[89] == 0x2F && (level == 0x40 || level == 0x43 || level == 0x45)) {
    for (std::size_t i = 0; i < 16; ++i) label += static_cast<char32_t>(BigEndian(descriptor, 40 + 2 * i, 2));
  } else {
    for (std::size_t i = 0; i < 32; ++i) label += static_cast<unsigned char>(descriptor[40 + i]);
  }
  while (!label.empty() && label.back() == U' ') label.pop_back();
  std::string utf8;
  for (const char32_t c : label) {
    if (c == 0) break;
    AppendUtf8(utf8, c);
  }
  return utf8;
}

std::uint32_t BlockSerial(std::string_view block, bool udf) {
  std::array<std::uint8_t, 4> sum{};
  for (std::size_t i = 0; i + 3 < block.size() && i < kSectorSize; i += 4)
    for (std::size_t k = 0; k < 4; ++k)
      sum[k] = static_cast<std::uint8_t>(sum[k] + static_cast<unsigned char>(block[i + k]));
  if (udf)
    return std::uint32_t{sum[3]} << 24 | std::uint32_t{sum[2]} << 16 | std::uint32_t{sum[1]} << 8 | sum[0];
  return std::uint32_t{sum[0]} << 24 | std::uint32_t{sum[1]} << 16 | std::uint32_t{sum[2]} << 8 | sum[3];
}

WindowsVolumeId ReadWindowsVolumeId(const DataTrack& track) {
  WindowsVolumeId id;
  for (std::int64_t sector = 16; sector < 32; ++sector) {
    const auto block = ReadBlock(track, sector);
    if (block && block->compare(1, 5, "BEA01") == 0) {
      if (const auto primary = UdfPrimaryDescriptor(track)) id.label = UdfLabel(*primary);
      if (const auto file_set = ReadBlock(track, UdfFileSetSector(track)))
        id.serial = BlockSerial(*file_set, true);
      return id;
    }
  }
  if (const auto descriptor = BestIsoDescriptor(track)) {
    id.label = DescriptorLabel(*descriptor);
    id.serial = BlockSerial(*descriptor, false);
  }
  return id;
}

}  // namespace norva::platform::image
