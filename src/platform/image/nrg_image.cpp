// Nero images: the track data first, then chunks (CUEX/CUES, DAOX/DAOI, ETN2/ETNF, SINF, END!) whose start
// the footer gives: "NER5" and a 64-bit offset in the last 12 bytes, or "NERO" and a 32-bit one in the
// last 8. All numbers are big-endian.
#include <system_error>

#include "platform/image/image_files.h"
#include "platform/image/image_formats.h"

namespace norva::platform::image {
namespace fs = std::filesystem;
namespace {

constexpr std::size_t kMaxChunkArea = 16 << 20;

struct NeroMode {
  bool audio = false;
  bool known = false;
  std::uint32_t stored = 0;
  std::uint32_t offset = 0;
};

// Nero's track mode codes.
NeroMode ModeOf(unsigned code) {
  switch (code) {
    case 0x00:
      return {false, true, 2048, 0};  // Mode 1
    case 0x02:
      return {false, true, 2048, 0};  // Mode 2 Form 1, user data only
    case 0x03:
      return {false, true, 2336, 8};  // Mode 2
    case 0x05:
      return {false, true, 2352, 16};  // Mode 1, raw
    case 0x06:
      return {false, true, 2352, 24};  // Mode 2, raw
    case 0x07:
      return {true, true, 2352, 0};  // audio
    case 0x0F:
      return {false, true, 2448, 16};  // Mode 1, raw with subchannel
    case 0x10:
      return {true, true, 2448, 0};  // audio with subchannel
    case 0x11:
      return {false, true, 2448, 24};  // Mode 2, raw with subchannel
    default:
      return {};
  }
}

}  // namespace

std::optional<TrackLayout> ReadNrgImage(const fs::path& nrg, std::string* error) {
  error->clear();
  std::error_code size_error;
  const std::uint64_t size = fs::file_size(nrg, size_error);
  if (size_error || size < 12) return std::nullopt;
  const auto tail = ReadFileRange(nrg, size - 12, 12);
  if (!tail || tail->size() != 12) return std::nullopt;
  std::uint64_t chunks_at = 0;
  std::uint64_t footer_at = 0;
  if (tail->compare(0, 4, "NER5") == 0) {
    chunks_at = BigEndian(*tail, 4, 8), footer_at = size - 12;
  } else if (tail->compare(4, 4, "NERO") == 0) {
    chunks_at = BigEndian(*tail, 8, 4), footer_at = size - 8;
  } else {
    return std::nullopt;
  }
  const std::string damaged = "damaged image: " + nrg.string() + ": ";
  if (chunks_at >= footer_at || footer_at - chunks_at > kMaxChunkArea) {
    *error = damaged + "its footer points outside the file";
    return std::nullopt;
  }
  const auto area = ReadFileRange(nrg, chunks_at, static_cast<std::size_t>(footer_at - chunks_at));
  if (!area) {
    *error = "cannot read " + nrg.string();
    return std::nullopt;
  }
  std::size_t at = 0;
  while (at + 8 <= area->size()) {
    const std::string id = area->substr(at, 4);
    const std::size_t length = static_cast<std::size_t>(BigEndian(*area, at + 4, 4));
    if (id == "END!") break;
    if (length > area->size() - at - 8) break;
    const std::string_view chunk = std::string_view(*area).substr(at + 8, length);
    at += 8 + length;
    TrackLayout layout;
    layout.file = nrg;
    NeroMode mode;
    if (id == "DAOX" || id == "DAOI") {
      // A 22-byte header (size, catalog number, TOC type, first and last track), then one entry a track.
      const bool wide = id == "DAOX";
      const std::size_t entry = wide ? 42 : 30;
      if (chunk.size() < 22 + entry) continue;
      const std::string_view track = chunk.substr(22, entry);
      mode = ModeOf(static_cast<unsigned char>(track[14]));
      const std::size_t width = wide ? 8 : 4;
      const std::uint32_t stored = static_cast<std::uint32_t>(BigEndian(track, 12, 2));
      const std::uint64_t start = BigEndian(track, 18 + width, width);
      const std::uint64_t end = BigEndian(track, 18 + 2 * width, width);
      if (mode.known && stored != 0) mode.stored = stored;
      layout.first_byte = start;
      if (mode.stored != 0 && end > start) layout.sector_count = (end - start) / mode.stored;
    } else if (id == "ETN2" || id == "ETNF") {
      // Track-at-once: offset, length, mode and start address, one entry a track.
      const bool wide = id == "ETN2";
      const std::size_t width = wide ? 8 : 4;
      if (chunk.size() < (wide ? 32u : 20u)) continue;
      mode = ModeOf(static_cast<unsigned>(BigEndian(chunk, 2 * width, 4)));
      layout.first_byte = BigEndian(chunk, 0, width);
      if (mode.stored != 0) layout.sector_count = BigEndian(chunk, width, width) / mode.stored;
    } else {
      continue;
    }
    if (!mode.known) {
      *error = damaged + "its first track has a track mode this reader does not know";
      return std::nullopt;
    }
    if (mode.audio) {
      *error = "the first track of " + nrg.string() + " is an audio track";
      return std::nullopt;
    }
    layout.stored_size = mode.stored;
    layout.data_offset = mode.stored == 2048 ? 0 : RawOffsetAt(layout, mode.offset);
    return layout;
  }
  *error = damaged + "it describes no track";
  return std::nullopt;
}

}  // namespace norva::platform::image
