// Writes the disc of an ISO image (see disc.h) in the image formats cover discs are kept in: BIN/CUE, Nero
// NRG (version 2), Alcohol 120% MDF/MDS and CloneCD CCD/IMG/SUB. For building test discs only.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "disc.h"

namespace norva::tools {

enum class ImageFormat { kBinCue, kNrg, kMds, kCcd };

// Nero writes a disc-at-once image (CUEX and DAOX chunks; track 1's 2-second pregap stored in front of its
// data) or a track-at-once one (an ETN2 chunk; no pregap stored).
enum class NrgLayout { kDiscAtOnce, kTrackAtOnce };

struct ImageOptions {
  DiscOptions disc;
  NrgLayout nrg_layout = NrgLayout::kDiscAtOnce;
};

// "cue", "nrg", "mds", "ccd"; nullopt for any other name.
std::optional<ImageFormat> ImageFormatNamed(std::string_view name);

// Writes the image of `iso` whose main file is `out`. BIN/CUE: `out` is the .cue, the sectors go to the .bin
// of the same stem; NRG: `out` holds everything; MDS: the .mds with the .mdf beside it; CCD: the .ccd with
// the .img and .sub. Returns the files written, main file first, or nullopt with `*error` set (Nero images
// here hold Mode 1 data only).
std::optional<std::vector<std::filesystem::path>> WriteDiscImage(ImageFormat format,
                                                                 const std::filesystem::path& iso,
                                                                 const std::filesystem::path& out,
                                                                 const ImageOptions& options,
                                                                 std::string* error);

}  // namespace norva::tools
