#include "platform/image/disc_image.h"

#include <algorithm>

#include "platform/image/image_formats.h"
#include "platform/image/iso_tree_reader.h"

namespace norva::platform::image {

std::unique_ptr<DiscImage> DiscImage::Open(const std::filesystem::path& image, std::string* error) {
  const auto layout = LocateDataTrack(image, error);
  if (!layout) return nullptr;
  std::unique_ptr<DiscImage> disc(new DiscImage);
  disc->track_ = DataTrack::Open(*layout, error);
  if (!disc->track_) return nullptr;
  const auto volume = FindIsoVolume(*disc->track_, image.string(), error);
  if (!volume || !ReadIsoTree(*disc->track_, *volume, image.string(), &disc->tree_, error)) return nullptr;
  disc->volume_id_ = ReadWindowsVolumeId(*disc->track_);
  return disc;
}

std::int64_t DiscImage::Read(std::uint32_t entry, std::uint64_t offset, std::size_t length, char* out) const {
  std::size_t done = 0;
  std::uint64_t extent_start = 0;  // the file offset where the current extent begins
  for (const FileExtent& extent : tree_.ExtentsOf(entry)) {
    if (done == length) break;
    const std::uint64_t position = offset + done;
    if (position < extent_start + extent.size) {
      const std::uint64_t within = position - extent_start;
      const std::size_t take =
          static_cast<std::size_t>(std::min<std::uint64_t>(length - done, extent.size - within));
      bool failed = false;
      const std::size_t got = track_->Read(extent.sector * kSectorSize + within, take, out + done, &failed);
      if (failed || got < take) return -1;
      done += got;
    }
    extent_start += extent.size;
  }
  return static_cast<std::int64_t>(done);
}

std::optional<DataTrack::FileRun> DiscImage::RunOf(std::uint32_t entry, std::uint64_t offset,
                                                   std::size_t* length) const {
  const auto extents = tree_.ExtentsOf(entry);
  if (extents.size() != 1 || offset >= extents[0].size) return std::nullopt;
  *length = static_cast<std::size_t>(std::min<std::uint64_t>(*length, extents[0].size - offset));
  return track_->RunOf(extents[0].sector * kSectorSize + offset, *length);
}

}  // namespace norva::platform::image
