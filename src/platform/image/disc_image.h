// A CD image opened for reading: its files and folders as Windows sees them on the real disc, their data,
// and the disc's label and serial number as Wine reports them. Opens plain ISO images, BIN/CUE, Nero (NRG),
// Alcohol 120% (MDF/MDS), CloneCD (CCD/IMG/SUB) and bare raw images, given either the descriptor or the data
// file. Immutable once open; reads are thread-safe.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "platform/image/data_track.h"
#include "platform/image/disc_tree.h"
#include "platform/image/windows_volume.h"

namespace norva::platform::image {

class DiscImage {
 public:
  // nullptr with `error` set to what a user can act on: "... is not a CD image", "the data file X named by Y
  // is missing", "damaged image: ...", "the first track of X is an audio track".
  static std::unique_ptr<DiscImage> Open(const std::filesystem::path& image, std::string* error);

  const DiscTree& tree() const { return tree_; }
  const WindowsVolumeId& volume_id() const { return volume_id_; }
  const TrackLayout& layout() const { return track_->layout(); }

  // Up to `length` bytes of file `entry` from `offset` into `out`: fewer at the end of the file; -1 when the
  // image cannot be read there.
  std::int64_t Read(std::uint32_t entry, std::uint64_t offset, std::size_t length, char* out) const;
  // The bytes Read would give as one run of the image file, when they are one (a plain image, the range
  // within one extent); `length` is cut at the end of the file.
  std::optional<DataTrack::FileRun> RunOf(std::uint32_t entry, std::uint64_t offset,
                                          std::size_t* length) const;

 private:
  DiscImage() = default;

  std::unique_ptr<DataTrack> track_;
  DiscTree tree_;
  WindowsVolumeId volume_id_;
};

}  // namespace norva::platform::image
