#include "disc.h"

#include <cmath>
#include <numbers>

namespace norva::tools {

namespace fs = std::filesystem;

std::unique_ptr<Disc> Disc::Open(const fs::path& iso, const DiscOptions& options, std::string* error) {
  std::error_code ec;
  const std::uintmax_t size = fs::file_size(iso, ec);
  if (ec) {
    *error = iso.string() + ": " + ec.message();
    return nullptr;
  }
  if (size == 0 || size % kUserDataSize != 0) {
    *error = iso.string() + ": not a whole number of 2048-byte sectors";
    return nullptr;
  }
  std::unique_ptr<Disc> disc(new Disc);
  disc->options_ = options;
  disc->iso_.open(iso, std::ios::binary);
  if (!disc->iso_) {
    *error = "cannot open " + iso.string();
    return nullptr;
  }
  Track data;
  data.length = static_cast<std::uint32_t>(size / kUserDataSize);
  disc->tracks_.push_back(data);
  if (options.audio_seconds > 0) {
    Track audio;
    audio.number = 2;
    audio.kind = TrackKind::kAudio;
    audio.pregap = kAudioPregap;
    audio.start = data.End() + kAudioPregap;
    audio.length = options.audio_seconds * kSectorsPerSecond;
    disc->tracks_.push_back(audio);
  }
  return disc;
}

const Track& Disc::TrackAt(std::uint32_t lba) const {
  for (const Track& track : tracks_)
    if (lba < track.End()) return track;
  return tracks_.back();
}

bool Disc::ReadUser(std::uint32_t lba, std::string* out, std::string* error) {
  if (lba >= Leadout()) {
    *error = "sector " + std::to_string(lba) + " lies beyond the lead-out";
    return false;
  }
  const Track& track = TrackAt(lba);
  if (track.kind == TrackKind::kAudio) {
    *out = lba < track.start ? std::string(kRawSectorSize, '\0') : ToneSector(lba - track.start);
    return true;
  }
  out->assign(kUserDataSize, '\0');
  iso_.seekg(static_cast<std::streamoff>(lba) * kUserDataSize);
  if (!iso_.read(out->data(), kUserDataSize)) {
    *error = "cannot read sector " + std::to_string(lba) + " of the ISO";
    return false;
  }
  return true;
}

bool Disc::ReadRaw(std::uint32_t lba, std::string* out, std::string* error) {
  std::string user;
  if (!ReadUser(lba, &user, error)) return false;
  *out = TrackAt(lba).kind == TrackKind::kAudio ? std::move(user)
                                                : EncodeDataSector(options_.data_mode, lba, user);
  return true;
}

std::string ToneSector(std::uint32_t index) {
  constexpr int kFrames = kRawSectorSize / 4;
  std::string samples(kRawSectorSize, '\0');
  for (int i = 0; i < kFrames; ++i) {
    const double t = static_cast<double>(index * kFrames + i) / 44100.0;
    const auto value =
        static_cast<std::int16_t>(std::lround(8000.0 * std::sin(2 * std::numbers::pi * 440.0 * t)));
    const auto bits = static_cast<std::uint16_t>(value);
    for (int channel = 0; channel < 2; ++channel) {
      samples[4 * i + 2 * channel] = static_cast<char>(bits & 0xFF);
      samples[4 * i + 2 * channel + 1] = static_cast<char>(bits >> 8);
    }
  }
  return samples;
}

}  // namespace norva::tools
