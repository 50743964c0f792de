// BIN/CUE: the raw sectors of every track in one .bin, and a cue sheet whose times count from the start of
// that file (minutes:seconds:frames, 75 frames a second).
#include <cstdio>

#include "image_file.h"

namespace norva::tools {
namespace {

std::string CueTime(std::uint32_t sectors) {
  char text[16];
  std::snprintf(text, sizeof text, "%02u:%02u:%02u", sectors / (60 * 75), sectors / 75 % 60, sectors % 75);
  return text;
}

std::string TrackType(const Disc& disc, const Track& track) {
  if (track.kind == TrackKind::kAudio) return "AUDIO";
  return disc.data_mode() == DataMode::kMode1 ? "MODE1/2352" : "MODE2/2352";
}

}  // namespace

bool WriteBinCue(Disc& disc, const std::filesystem::path& cue, std::vector<std::filesystem::path>* written,
                 std::string* error) {
  std::filesystem::path bin = cue;
  bin.replace_extension(".bin");
  ImageFile file;
  if (!file.Open(bin, error) || !AppendSectors(disc, 0, disc.Leadout(), SectorForm::kRaw, &file, error) ||
      !file.Close(error))
    return false;

  // CRLF, as the Windows programs that made cover-disc images wrote them.
  std::string sheet = "FILE \"" + bin.filename().string() + "\" BINARY\r\n";
  for (const Track& track : disc.tracks()) {
    char number[8];
    std::snprintf(number, sizeof number, "%02d", track.number);
    sheet += std::string("  TRACK ") + number + " " + TrackType(disc, track) + "\r\n";
    if (track.pregap > 0) sheet += "    INDEX 00 " + CueTime(track.PregapStart()) + "\r\n";
    sheet += "    INDEX 01 " + CueTime(track.start) + "\r\n";
  }
  if (!WriteWholeFile(cue, sheet, error)) return false;
  *written = {cue, bin};
  return true;
}

}  // namespace norva::tools
