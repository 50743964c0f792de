// The ISO 9660 file system of a data track, read the way Windows reads a CD: the Joliet folder tree when the
// disc has a Joliet descriptor (Rock Ridge is for Unix readers and is left alone), else the ISO 9660 tree
// with the ";1" version and a file name's trailing "." removed.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/image/data_track.h"
#include "platform/image/disc_tree.h"

namespace norva::platform::image {

struct IsoVolume {
  bool joliet = false;
  std::uint64_t root_sector = 0;
  std::uint64_t root_size = 0;       // bytes of the root folder's records
  std::uint64_t volume_sectors = 0;  // the volume space size the primary descriptor gives
};

// The descriptors from sector 16 on. nullopt with `error` set when the track holds no ISO 9660 volume (a UDF
// volume without one is named as such); `image` names the image in the message.
std::optional<IsoVolume> FindIsoVolume(const DataTrack& track, const std::string& image, std::string* error);

// The whole folder tree, indexed. False with `error` set when a folder cannot be read or its records are
// broken, or when the image ends before data that the file system places on it (a truncated image).
bool ReadIsoTree(const DataTrack& track, const IsoVolume& volume, const std::string& image, DiscTree* tree,
                 std::string* error);

}  // namespace norva::platform::image
