// The readers of the disc image formats: each finds where the first track lies and how its sectors are
// stored. They answer nullopt with `error` set to a text a user can act on (a missing data file, a damaged
// descriptor, an audio first track).
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "platform/image/data_track.h"

namespace norva::platform::image {

// A CUE sheet (.cue) and the data files it names.
std::optional<TrackLayout> ReadCueSheet(const std::filesystem::path& cue, std::string* error);

// A Nero image (.nrg): its chunks sit at the end of the file. nullopt with `error` empty when the file has no
// Nero footer at all.
std::optional<TrackLayout> ReadNrgImage(const std::filesystem::path& nrg, std::string* error);

// An Alcohol 120% descriptor (.mds) and the .mdf it describes.
std::optional<TrackLayout> ReadMdsDescriptor(const std::filesystem::path& mds, std::string* error);

// A CloneCD descriptor (.ccd) and its raw sector file (.img).
std::optional<TrackLayout> ReadCcdDescriptor(const std::filesystem::path& ccd,
                                             const std::filesystem::path& img, std::string* error);

// An image without a descriptor: raw 2352-byte sectors that start with the sync pattern, or plain 2048-byte
// sectors with an ISO 9660 or UDF volume. nullopt when it is neither.
std::optional<TrackLayout> ProbeImage(const std::filesystem::path& file);

// The user data offset of the raw sectors at `first_byte` of the layout's file, read from the first sector's
// header; `fallback` when that header is no data sector header (a damaged first sector).
std::uint32_t RawOffsetAt(const TrackLayout& layout, std::uint32_t fallback);

// Any image: a descriptor, a data file whose descriptor lies beside it, or a bare image.
std::optional<TrackLayout> LocateDataTrack(const std::filesystem::path& image, std::string* error);

}  // namespace norva::platform::image
