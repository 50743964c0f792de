// Alcohol 120% images: the raw sectors of every track in the .mdf, and the little-endian "MEDIA DESCRIPTOR"
// 1.3 in the .mds: header, one session block, a block per TOC point (A0, A1, A2, then each track), an extra
// block (pregap, length) per track, and the footer naming the data file "*.mdf" (the .mds's own stem).
#include "image_file.h"

namespace norva::tools {
namespace {

constexpr std::uint32_t kHeaderSize = 88;
constexpr std::uint32_t kSessionSize = 24;
constexpr std::uint32_t kTrackBlockSize = 80;
constexpr std::uint32_t kExtraSize = 8;
constexpr std::uint32_t kFooterSize = 16;
constexpr std::uint8_t kModeAudio = 0xA9;
constexpr std::uint8_t kModeMode1 = 0xAA;
constexpr std::uint8_t kModeMode2Form1 = 0xEC;
constexpr std::uint8_t kModeNone = 0x00;

std::uint8_t AdrControl(const Track& track) {
  return track.kind == TrackKind::kAudio ? 0x10 : 0x14;
}

// One TOC point. `msf` is the point's PMIN/PSEC/PFRAME (binary, as the .mds keeps them).
std::string TrackBlock(std::uint8_t mode, std::uint8_t adr_control, std::uint8_t point, const Msf& msf) {
  std::string block;
  block.push_back(static_cast<char>(mode));
  block.push_back('\0');  // no subchannel in the .mdf
  block.push_back(static_cast<char>(adr_control));
  block.push_back('\0');  // TNO
  block.push_back(static_cast<char>(point));
  block.append(4, '\0');  // MIN, SEC, FRAME, ZERO
  block.push_back(static_cast<char>(msf.minutes));
  block.push_back(static_cast<char>(msf.seconds));
  block.push_back(static_cast<char>(msf.frames));
  block.resize(kTrackBlockSize, '\0');
  return block;
}

void PutAt(std::string* block, std::size_t at, std::uint64_t value, int bytes) {
  std::string le;
  PutLe(&le, value, bytes);
  block->replace(at, le.size(), le);
}

}  // namespace

bool WriteMds(Disc& disc, const std::filesystem::path& mds, std::vector<std::filesystem::path>* written,
              std::string* error) {
  std::filesystem::path mdf = mds;
  mdf.replace_extension(".mdf");
  ImageFile file;
  if (!file.Open(mdf, error) || !AppendSectors(disc, 0, disc.Leadout(), SectorForm::kRaw, &file, error) ||
      !file.Close(error))
    return false;

  const std::vector<Track>& tracks = disc.tracks();
  const auto count = static_cast<std::uint32_t>(tracks.size());
  const std::uint32_t track_blocks = kHeaderSize + kSessionSize;
  const std::uint32_t extras = track_blocks + (count + 3) * kTrackBlockSize;
  const std::uint32_t footer = extras + count * kExtraSize;

  std::string out = "MEDIA DESCRIPTOR";
  out += "\x01\x03";
  PutLe(&out, 0, 2);  // medium: CD-ROM
  PutLe(&out, 1, 2);  // sessions
  PutLe(&out, 2, 2);  // set by Alcohol in every image; Daemon Tools looks for it
  out.resize(80, '\0');
  PutLe(&out, kHeaderSize, 4);  // session blocks
  PutLe(&out, 0, 4);            // no DPM data

  PutLe(&out, static_cast<std::uint32_t>(-static_cast<std::int32_t>(kLeadInSectors)), 4);
  PutLe(&out, disc.Leadout(), 4);
  PutLe(&out, 1, 2);  // session number
  out.push_back(static_cast<char>(count + 3));
  out.push_back(3);  // of which not tracks: A0, A1, A2
  PutLe(&out, 1, 2);
  PutLe(&out, count, 2);
  PutLe(&out, 0, 4);
  PutLe(&out, track_blocks, 4);

  const bool xa = disc.data_mode() == DataMode::kMode2Form1;
  out += TrackBlock(kModeNone, AdrControl(tracks.front()), 0xA0,
                    Msf{1, static_cast<std::uint8_t>(xa ? 0x20 : 0), 0});
  out += TrackBlock(kModeNone, AdrControl(tracks.back()), 0xA1, Msf{static_cast<std::uint8_t>(count), 0, 0});
  out += TrackBlock(kModeNone, AdrControl(tracks.front()), 0xA2, LbaToMsf(disc.Leadout()));
  for (const Track& track : tracks) {
    const std::uint8_t mode =
        track.kind == TrackKind::kAudio ? kModeAudio : (xa ? kModeMode2Form1 : kModeMode1);
    std::string block =
        TrackBlock(mode, AdrControl(track), static_cast<std::uint8_t>(track.number), LbaToMsf(track.start));
    PutAt(&block, 12, extras + (track.number - 1) * kExtraSize, 4);
    PutAt(&block, 16, kRawSectorSize, 2);
    block[18] = 0x02;  // as Alcohol sets it for every CD track
    PutAt(&block, 36, track.start, 4);
    PutAt(&block, 40, static_cast<std::uint64_t>(track.start) * kRawSectorSize, 8);
    PutAt(&block, 48, 1, 4);  // one data file
    PutAt(&block, 52, footer, 4);
    out += block;
  }
  for (const Track& track : tracks) {
    // Track 1's pregap is the lead-in gap, which the .mdf does not hold.
    PutLe(&out, track.number == 1 ? kLeadInSectors : track.pregap, 4);
    PutLe(&out, track.length, 4);
  }
  PutLe(&out, footer + kFooterSize, 4);  // the file name follows the footer
  PutLe(&out, 0, 4);                     // one byte a character
  out.resize(footer + kFooterSize, '\0');
  out += "*.mdf";
  out.push_back('\0');
  if (!WriteWholeFile(mds, out, error)) return false;
  *written = {mds, mdf};
  return true;
}

}  // namespace norva::tools
