// The disc an image describes: an ISO 9660 image's 2048-byte sectors as data track 1 and, when asked for, a
// short audio track 2 (a tone) behind the usual 2-second pregap, as on a mixed-mode cover disc.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "cd_sector.h"

namespace norva::tools {

enum class TrackKind { kData, kAudio };

struct Track {
  int number = 1;
  TrackKind kind = TrackKind::kData;
  std::uint32_t pregap = 0;  // sectors of index 0 just before `start`, held in the image (none for track 1)
  std::uint32_t start = 0;   // LBA of index 1
  std::uint32_t length = 0;  // sectors from index 1 to the next track's pregap or the lead-out

  std::uint32_t PregapStart() const { return start - pregap; }
  std::uint32_t End() const { return start + length; }
};

struct DiscOptions {
  DataMode data_mode = DataMode::kMode1;
  std::uint32_t audio_seconds = 0;  // 0 leaves the audio track out
};

inline constexpr std::uint32_t kAudioPregap = 150;
inline constexpr std::uint32_t kSectorsPerSecond = 75;

class Disc {
 public:
  // nullptr and `*error` when the ISO cannot be read or is not a whole number of 2048-byte sectors.
  static std::unique_ptr<Disc> Open(const std::filesystem::path& iso, const DiscOptions& options,
                                    std::string* error);

  const std::vector<Track>& tracks() const { return tracks_; }
  DataMode data_mode() const { return options_.data_mode; }
  bool HasAudio() const { return tracks_.size() > 1; }
  // LBA of the lead-out: the image holds sectors 0 .. Leadout() - 1.
  std::uint32_t Leadout() const { return tracks_.back().End(); }
  // The track whose pregap or body holds `lba`.
  const Track& TrackAt(std::uint32_t lba) const;

  // The user bytes of sector `lba`: 2048 of a data sector, 2352 of an audio one (silence in the pregap).
  bool ReadUser(std::uint32_t lba, std::string* out, std::string* error);
  // The 2352 bytes of sector `lba` as a drive reads them raw.
  bool ReadRaw(std::uint32_t lba, std::string* out, std::string* error);

 private:
  Disc() = default;

  DiscOptions options_;
  std::ifstream iso_;
  std::vector<Track> tracks_;
};

// Audio samples of sector `index` of a tone (440 Hz, 16-bit little-endian stereo at 44.1 kHz, 588 frames a
// sector), counted from the start of the tone.
std::string ToneSector(std::uint32_t index);

}  // namespace norva::tools
