// CloneCD images: the raw sectors of every track in the .img, 96 bytes of subchannel for each of them in the
// .sub (P and Q, deinterleaved, as CloneCD stores them; R to W empty), and the .ccd: an INI text with the
// disc's full TOC (points A0, A1, A2 and one per track) and each track's mode and index points.
#include <cstdio>

#include "image_file.h"

namespace norva::tools {
namespace {

constexpr std::uint8_t kAdr = 1;

std::uint8_t Control(const Track& track) {
  return track.kind == TrackKind::kAudio ? 0 : 4;
}

std::int64_t MsfToLba(const Msf& msf) {
  return (static_cast<std::int64_t>(msf.minutes) * 60 + msf.seconds) * 75 + msf.frames - kLeadInSectors;
}

std::string Hex(unsigned value) {
  char text[8];
  std::snprintf(text, sizeof text, "0x%02x", value);
  return text;
}

std::string Entry(int index, unsigned point, std::uint8_t control, const Msf& p) {
  std::string s = "[Entry " + std::to_string(index) + "]\r\n";
  s += "Session=1\r\nPoint=" + Hex(point) + "\r\nADR=" + Hex(kAdr) + "\r\nControl=" + Hex(control) + "\r\n";
  s += "TrackNo=0\r\nAMin=0\r\nASec=0\r\nAFrame=0\r\nALBA=-150\r\nZero=0\r\n";
  s += "PMin=" + std::to_string(p.minutes) + "\r\nPSec=" + std::to_string(p.seconds) +
       "\r\nPFrame=" + std::to_string(p.frames) + "\r\nPLBA=" + std::to_string(MsfToLba(p)) + "\r\n";
  return s;
}

std::uint16_t Crc16(const std::uint8_t* bytes, std::size_t size) {
  std::uint16_t crc = 0;
  for (std::size_t i = 0; i < size; ++i) {
    crc ^= static_cast<std::uint16_t>(bytes[i] << 8);
    for (int bit = 0; bit < 8; ++bit)
      crc = static_cast<std::uint16_t>((crc & 0x8000) ? (crc << 1) ^ 0x1021 : crc << 1);
  }
  return static_cast<std::uint16_t>(~crc);
}

void PutMsf(std::uint8_t* at, const Msf& msf) {
  at[0] = ToBcd(msf.minutes);
  at[1] = ToBcd(msf.seconds);
  at[2] = ToBcd(msf.frames);
}

}  // namespace

// The subchannel of sector `lba`: P set through a track's pregap; Q in mode 1 (position): track, index, the
// time within the track (counting down to index 1 in the pregap), the disc time, and the CRC.
std::string Subchannel(const Disc& disc, std::uint32_t lba) {
  std::string sub(kSubchannelSize, '\0');
  auto* s = reinterpret_cast<std::uint8_t*>(sub.data());
  const Track& track = disc.TrackAt(lba);
  const bool pregap = lba < track.start;
  if (pregap) std::fill(s, s + 12, 0xFF);
  std::uint8_t* q = s + 12;
  q[0] = static_cast<std::uint8_t>(Control(track) << 4 | kAdr);
  q[1] = ToBcd(static_cast<std::uint8_t>(track.number));
  q[2] = pregap ? 0 : 1;
  const std::uint32_t relative = pregap ? track.start - lba : lba - track.start;
  PutMsf(q + 3, LbaToMsf(static_cast<std::int64_t>(relative) - kLeadInSectors));
  PutMsf(q + 7, LbaToMsf(lba));
  const std::uint16_t crc = Crc16(q, 10);
  q[10] = static_cast<std::uint8_t>(crc >> 8);
  q[11] = static_cast<std::uint8_t>(crc & 0xFF);
  return sub;
}

bool WriteCcd(Disc& disc, const std::filesystem::path& ccd, std::vector<std::filesystem::path>* written,
              std::string* error) {
  std::filesystem::path img = ccd;
  img.replace_extension(".img");
  std::filesystem::path sub = ccd;
  sub.replace_extension(".sub");
  ImageFile image;
  if (!image.Open(img, error) || !AppendSectors(disc, 0, disc.Leadout(), SectorForm::kRaw, &image, error) ||
      !image.Close(error))
    return false;
  ImageFile subchannel;
  if (!subchannel.Open(sub, error)) return false;
  for (std::uint32_t lba = 0; lba < disc.Leadout(); ++lba) subchannel.Append(Subchannel(disc, lba));
  if (!subchannel.Close(error)) return false;

  const std::vector<Track>& tracks = disc.tracks();
  const bool xa = disc.data_mode() == DataMode::kMode2Form1;
  std::string text = "[CloneCD]\r\nVersion=3\r\n[Disc]\r\nTocEntries=" + std::to_string(tracks.size() + 3) +
                     "\r\nSessions=1\r\nDataTracksScrambled=0\r\nCDTextLength=0\r\n";
  text += std::string("[Session 1]\r\nPreGapMode=") + (xa ? "2" : "1") + "\r\nPreGapSubC=0\r\n";
  text += Entry(0, 0xA0, Control(tracks.front()), Msf{1, static_cast<std::uint8_t>(xa ? 0x20 : 0), 0});
  text += Entry(1, 0xA1, Control(tracks.back()), Msf{static_cast<std::uint8_t>(tracks.size()), 0, 0});
  text += Entry(2, 0xA2, Control(tracks.back()), LbaToMsf(disc.Leadout()));
  for (const Track& track : tracks)
    text +=
        Entry(2 + track.number, static_cast<unsigned>(track.number), Control(track), LbaToMsf(track.start));
  for (const Track& track : tracks) {
    const char* mode = track.kind == TrackKind::kAudio ? "0" : (xa ? "2" : "1");
    text += "[TRACK " + std::to_string(track.number) + "]\r\nMODE=" + mode + "\r\n";
    if (track.pregap > 0) text += "INDEX 0=" + std::to_string(track.PregapStart()) + "\r\n";
    text += "INDEX 1=" + std::to_string(track.start) + "\r\n";
  }
  if (!WriteWholeFile(ccd, text, error)) return false;
  *written = {ccd, img, sub};
  return true;
}

}  // namespace norva::tools
