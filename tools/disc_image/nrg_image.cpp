// Nero images, version 2: the tracks' sectors (2048 bytes of data, 2352 of audio), then a chain of
// big-endian chunks, then the footer "NER5" with the 64-bit offset of the first chunk.
#include "image_file.h"

namespace norva::tools {
namespace {

constexpr std::uint8_t kDataControl = 0x41;   // control 4 (data), ADR 1, as Nero's cue entries give it
constexpr std::uint8_t kAudioControl = 0x01;  // control 0 (two-channel audio), ADR 1
constexpr std::uint8_t kLeadOutTrack = 0xAA;

std::uint32_t SectorSize(const Track& track) {
  return track.kind == TrackKind::kAudio ? kRawSectorSize : kUserDataSize;
}

void AppendChunk(std::string* chain, const char* id, const std::string& body) {
  chain->append(id, 4);
  PutBe(chain, body.size(), 4);
  *chain += body;
}

void CueEntry(std::string* body, std::uint8_t control, std::uint8_t track, std::uint8_t index,
              std::int64_t lba) {
  body->push_back(static_cast<char>(control));
  body->push_back(static_cast<char>(track));
  body->push_back(static_cast<char>(index));
  body->push_back('\0');
  PutBe(body, static_cast<std::uint32_t>(static_cast<std::int32_t>(lba)), 4);
}

std::uint8_t Control(const Track& track) {
  return track.kind == TrackKind::kAudio ? kAudioControl : kDataControl;
}

// Where each track's index 0, index 1 and end lie in the file.
struct Placement {
  std::uint64_t index0 = 0;
  std::uint64_t index1 = 0;
  std::uint64_t end = 0;
};

std::string DiscAtOnceChunks(const Disc& disc, const std::vector<Placement>& places) {
  const std::vector<Track>& tracks = disc.tracks();
  std::string cues;
  CueEntry(&cues, Control(tracks.front()), 0, 0, -static_cast<std::int64_t>(kLeadInSectors));
  for (const Track& track : tracks) {
    // Track 1's index 0 is the lead-in gap before LBA 0.
    const std::int64_t index0 = track.number == 1 ? -static_cast<std::int64_t>(kLeadInSectors)
                                                  : static_cast<std::int64_t>(track.PregapStart());
    CueEntry(&cues, Control(track), ToBcd(static_cast<std::uint8_t>(track.number)), 0, index0);
    CueEntry(&cues, Control(track), ToBcd(static_cast<std::uint8_t>(track.number)), 1, track.start);
  }
  CueEntry(&cues, Control(tracks.back()), kLeadOutTrack, 1, disc.Leadout());

  std::string dao;
  PutBe(&dao, 22 + 42 * tracks.size(), 4);
  dao.append(14, '\0');  // no UPC
  PutBe(&dao, 0, 2);     // TOC type: CD-DA / CD-ROM
  dao.push_back(1);
  dao.push_back(static_cast<char>(tracks.size()));
  for (std::size_t i = 0; i < tracks.size(); ++i) {
    dao.append(12, '\0');  // no ISRC
    PutBe(&dao, SectorSize(tracks[i]), 2);
    dao.push_back(tracks[i].kind == TrackKind::kAudio ? 0x07 : 0x00);  // mode: audio / Mode 1 data
    dao.append("\0\0\x01", 3);
    PutBe(&dao, places[i].index0, 8);
    PutBe(&dao, places[i].index1, 8);
    PutBe(&dao, places[i].end, 8);
  }
  std::string chain;
  AppendChunk(&chain, "CUEX", cues);
  AppendChunk(&chain, "DAOX", dao);
  return chain;
}

std::string TrackAtOnceChunks(const Disc& disc, const std::vector<Placement>& places) {
  std::string entries;
  std::uint32_t gaps = 0;
  for (std::size_t i = 0; i < disc.tracks().size(); ++i) {
    const Track& track = disc.tracks()[i];
    PutBe(&entries, places[i].index1, 8);
    PutBe(&entries, places[i].end - places[i].index1, 8);
    PutBe(&entries, track.kind == TrackKind::kAudio ? 7 : 0, 4);
    // The start as Nero counts it: without the 2-second gap that precedes each track after the first.
    gaps += track.pregap;
    PutBe(&entries, track.start - gaps, 4);
    PutBe(&entries, 0, 4);
    PutBe(&entries, track.length, 4);
  }
  std::string chain;
  AppendChunk(&chain, "ETN2", entries);
  return chain;
}

}  // namespace

bool WriteNrg(Disc& disc, NrgLayout layout, const std::filesystem::path& nrg,
              std::vector<std::filesystem::path>* written, std::string* error) {
  ImageFile file;
  if (!file.Open(nrg, error)) return false;
  std::vector<Placement> places;
  for (const Track& track : disc.tracks()) {
    Placement place;
    place.index0 = file.size();
    if (layout == NrgLayout::kDiscAtOnce) {
      if (track.number == 1)
        file.Append(std::string(static_cast<std::size_t>(kLeadInSectors) * SectorSize(track), '\0'));
      else if (!AppendSectors(disc, track.PregapStart(), track.start, SectorForm::kUser, &file, error))
        return false;
    }
    place.index1 = file.size();
    if (!AppendSectors(disc, track.start, track.End(), SectorForm::kUser, &file, error)) return false;
    place.end = file.size();
    places.push_back(place);
  }
  const std::uint64_t first_chunk = file.size();
  std::string chain =
      layout == NrgLayout::kDiscAtOnce ? DiscAtOnceChunks(disc, places) : TrackAtOnceChunks(disc, places);
  std::string count;
  PutBe(&count, disc.tracks().size(), 4);  // tracks in the one session
  AppendChunk(&chain, "SINF", count);
  std::string media;
  PutBe(&media, 1, 4);  // CD
  AppendChunk(&chain, "MTYP", media);
  AppendChunk(&chain, "END!", "");
  chain += "NER5";
  PutBe(&chain, first_chunk, 8);
  file.Append(chain);
  if (!file.Close(error)) return false;
  *written = {nrg};
  return true;
}

}  // namespace norva::tools
