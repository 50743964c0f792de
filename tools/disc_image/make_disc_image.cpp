// make_disc_image [--audio-seconds N] [--mode2] [--track-at-once] IN.iso OUT.{cue,nrg,mds,ccd}
// Writes the disc of the ISO image IN (its 2048-byte sectors as data track 1) as a BIN/CUE, Nero, Alcohol
// 120% or CloneCD image, chosen by OUT's extension; the data files go beside OUT with its stem.
//   --audio-seconds N  adds an audio track 2 of N seconds (a tone) behind a 2-second pregap
//   --mode2            raw data sectors in Mode 2 Form 1 instead of Mode 1 (not for .nrg)
//   --track-at-once    a Nero image as written track at once (ETN2) instead of disc at once (CUEX, DAOX)
// Prints only errors.
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "disc_image.h"

namespace {

using namespace norva::tools;

bool ParseCount(const std::string& text, std::uint32_t* value) {
  char* end = nullptr;
  const unsigned long parsed = std::strtoul(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || parsed > 60 * 60) return false;
  *value = static_cast<std::uint32_t>(parsed);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  ImageOptions options;
  std::vector<std::string> positional;
  bool usage = false;
  for (int i = 1; i < argc && !usage; ++i) {
    const std::string arg = argv[i];
    if (arg == "--audio-seconds" && i + 1 < argc) {
      usage = !ParseCount(argv[++i], &options.disc.audio_seconds);
    } else if (arg == "--mode2") {
      options.disc.data_mode = DataMode::kMode2Form1;
    } else if (arg == "--track-at-once") {
      options.nrg_layout = NrgLayout::kTrackAtOnce;
    } else if (arg.starts_with("--")) {
      usage = true;
    } else {
      positional.push_back(arg);
    }
  }
  std::optional<ImageFormat> format;
  if (!usage && positional.size() == 2) {
    const std::string extension = std::filesystem::path(positional[1]).extension().string();
    if (!extension.empty()) format = ImageFormatNamed(extension.substr(1));
  }
  if (!format) {
    std::cerr << "usage: make_disc_image [--audio-seconds N] [--mode2] [--track-at-once] IN.iso "
                 "OUT.{cue,nrg,mds,ccd}\n";
    return 2;
  }
  std::string error;
  if (!WriteDiscImage(*format, positional[0], positional[1], options, &error)) {
    std::cerr << "make_disc_image: " << error << "\n";
    return 1;
  }
  return 0;
}
