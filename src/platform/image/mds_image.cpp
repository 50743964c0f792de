// Alcohol 120% descriptors (.mds, version 1): a header, session blocks and 80-byte track blocks whose
// offsets lead into the .mdf, and a file name block naming the .mdf ("*.mdf": the descriptor's own stem).
// All numbers are little-endian.
#include "platform/image/image_files.h"
#include "platform/image/image_formats.h"
#include "platform/utf16_text.h"

namespace norva::platform::image {
namespace fs = std::filesystem;
namespace {

constexpr std::size_t kTrackBlock = 80;

// The data file a track block names; its name as written when it cannot be found.
fs::path DataFileOf(const fs::path& mds, std::string_view bytes, std::string_view track, std::string* name) {
  *name = mds.stem().string() + ".mdf";
  const std::uint64_t name_block = LittleEndian(track, 0x34, 4);
  if (LittleEndian(track, 0x30, 4) != 0 && name_block + 8 <= bytes.size()) {
    const std::uint64_t at = LittleEndian(bytes, name_block, 4);
    const bool wide = LittleEndian(bytes, name_block + 4, 4) != 0;
    std::string written;
    if (wide) {
      std::string units;
      for (std::uint64_t i = at; i + 1 < bytes.size() && (bytes[i] || bytes[i + 1]); i += 2)
        units += bytes.substr(i, 2);
      written = Utf16ToWtf8(units, ByteOrder::kLittleEndian);
    } else {
      for (std::uint64_t i = at; i < bytes.size() && bytes[i]; ++i) written += bytes[i];
    }
    if (written.size() > 1 && written[0] == '*') written = mds.stem().string() + written.substr(1);
    if (!written.empty()) *name = written;
  }
  return FindSibling(mds.parent_path().empty() ? fs::path(".") : mds.parent_path(), *name);
}

}  // namespace

std::optional<TrackLayout> ReadMdsDescriptor(const fs::path& mds, std::string* error) {
  const auto bytes = ReadSmallFile(mds, 16 << 20);
  const std::string damaged = "damaged image: " + mds.string() + ": ";
  if (!bytes || bytes->size() < 0x58 || bytes->compare(0, 16, "MEDIA DESCRIPTOR") != 0) {
    *error = damaged + "it is no Alcohol 120% descriptor";
    return std::nullopt;
  }
  if ((*bytes)[16] != 1) {
    *error = damaged + "descriptors of version " + std::to_string(static_cast<int>((*bytes)[16])) +
             " are not supported";
    return std::nullopt;
  }
  const std::uint64_t session = LittleEndian(*bytes, 0x50, 4);
  if (session + 24 > bytes->size()) {
    *error = damaged + "it has no session";
    return std::nullopt;
  }
  const std::size_t blocks = static_cast<unsigned char>((*bytes)[session + 0x0A]);
  const std::uint64_t tracks_at = LittleEndian(*bytes, session + 0x14, 4);
  // The blocks of a session hold the lead-in entries (points 0xA0..0xA2) besides the tracks.
  std::string_view first, next;
  for (std::size_t i = 0; i < blocks && tracks_at + (i + 1) * kTrackBlock <= bytes->size(); ++i) {
    const std::string_view block = std::string_view(*bytes).substr(tracks_at + i * kTrackBlock, kTrackBlock);
    const unsigned point = static_cast<unsigned char>(block[4]);
    if (point == 1) first = block;
    if (point == 2) next = block;
  }
  if (first.empty()) {
    *error = damaged + "it describes no first track";
    return std::nullopt;
  }
  const unsigned mode = static_cast<unsigned char>(first[0]) & 0x07;
  const bool data = (static_cast<unsigned char>(first[2]) & 0x04) != 0;
  if (mode == 1 || (mode == 0 && !data)) {
    *error = "the first track of " + mds.string() + " is an audio track";
    return std::nullopt;
  }
  TrackLayout layout;
  std::string name;
  layout.file = DataFileOf(mds, *bytes, first, &name);
  if (layout.file.empty()) {
    *error = "the data file " + name + " named by " + mds.string() + " is missing";
    return std::nullopt;
  }
  layout.stored_size = static_cast<std::uint32_t>(LittleEndian(first, 0x10, 2));
  layout.first_byte = LittleEndian(first, 0x28, 8);
  const std::uint64_t extra = LittleEndian(first, 0x0C, 4);
  if (extra != 0 && extra + 8 <= bytes->size()) {
    layout.sector_count = LittleEndian(*bytes, extra + 4, 4);
  } else if (!next.empty() && LittleEndian(next, 0x24, 4) > LittleEndian(first, 0x24, 4)) {
    layout.sector_count = LittleEndian(next, 0x24, 4) - LittleEndian(first, 0x24, 4);
  }
  switch (layout.stored_size) {
    case 2048:
      layout.data_offset = 0;
      break;
    case 2336:
      layout.data_offset = 8;
      break;
    case 2352:
    case 2448:
      layout.data_offset = RawOffsetAt(layout, mode == 2 ? 16 : 24);
      break;
    default:
      *error = damaged + "its first track has sectors of " + std::to_string(layout.stored_size) + " bytes";
      return std::nullopt;
  }
  return layout;
}

}  // namespace norva::platform::image
