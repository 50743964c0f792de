// Which reader an image goes to: the descriptors by their extension, a data file by its Nero footer or the
// descriptor beside it, anything else by its first sectors.
#include <system_error>

#include "platform/image/image_files.h"
#include "platform/image/image_formats.h"

namespace norva::platform::image {
namespace fs = std::filesystem;
namespace {

bool SameFile(const fs::path& a, const fs::path& b) {
  std::error_code ignored;
  return fs::equivalent(a, b, ignored);
}

// The layout a descriptor beside `data` gives for that very file; nullopt when there is none, it cannot be
// read or it describes another file (then the data file is probed as a bare image).
std::optional<TrackLayout> FromCompanion(const fs::path& data, std::string* error) {
  const std::string extension = LowerExtension(data);
  std::optional<TrackLayout> layout;
  std::string companion_error;
  if (extension == ".mdf") {
    if (const fs::path mds = FindCompanion(data, ".mds"); !mds.empty())
      layout = ReadMdsDescriptor(mds, &companion_error);
  } else if (extension == ".img") {
    if (const fs::path ccd = FindCompanion(data, ".ccd"); !ccd.empty())
      layout = ReadCcdDescriptor(ccd, data, &companion_error);
  }
  if (!layout && (extension == ".bin" || extension == ".img")) {
    if (const fs::path cue = FindCompanion(data, ".cue"); !cue.empty())
      layout = ReadCueSheet(cue, &companion_error);
  }
  if (layout && !SameFile(layout->file, data)) layout.reset();
  // An audio first track is what the disc is, whatever the data file looks like.
  if (!layout && companion_error.find("audio track") != std::string::npos) *error = companion_error;
  return layout;
}

}  // namespace

std::uint32_t RawOffsetAt(const TrackLayout& layout, std::uint32_t fallback) {
  const auto header = ReadFileRange(layout.file, layout.first_byte, 16);
  const std::uint32_t offset = header ? RawDataOffset(*header) : 0;
  return offset != 0 ? offset : fallback;
}

std::optional<TrackLayout> ProbeImage(const fs::path& file) {
  const auto start = ReadFileRange(file, 0, 2448 + 16);
  if (!start) return std::nullopt;
  TrackLayout layout;
  layout.file = file;
  if (const std::uint32_t offset = RawDataOffset(*start)) {
    layout.data_offset = offset;
    const bool with_subchannel =
        RawDataOffset(start->substr(std::min<std::size_t>(start->size(), 2448))) != 0 &&
        RawDataOffset(start->substr(std::min<std::size_t>(start->size(), 2352))) == 0;
    layout.stored_size = with_subchannel ? 2448 : 2352;
    return layout;
  }
  // A plain image: a volume descriptor (ISO 9660 "CD001", or a UDF volume recognition one) in sector 16.
  const auto descriptor = ReadFileRange(file, 16 * kSectorSize, 6);
  if (descriptor && descriptor->size() == 6) {
    const std::string id = descriptor->substr(1, 5);
    if (id == "CD001" || id == "BEA01" || id == "NSR02" || id == "NSR03") return layout;
  }
  return std::nullopt;
}

std::optional<TrackLayout> LocateDataTrack(const fs::path& image, std::string* error) {
  error->clear();
  std::error_code status_error;
  const auto status = fs::status(image, status_error);
  if (!fs::exists(status)) {
    *error = "the image " + image.string() + " does not exist";
    return std::nullopt;
  }
  if (!fs::is_regular_file(status)) {
    *error = image.string() + " is not a disc image file";
    return std::nullopt;
  }
  const std::string extension = LowerExtension(image);
  if (extension == ".cue") return ReadCueSheet(image, error);
  if (extension == ".mds") {
    auto layout = ReadMdsDescriptor(image, error);
    // An unreadable descriptor leaves the .mdf, which may well be a raw or plain image by itself.
    if (!layout && error->starts_with("damaged image"))
      if (const fs::path mdf = FindCompanion(image, ".mdf"); !mdf.empty())
        if (auto probed = ProbeImage(mdf)) return probed;
    return layout;
  }
  if (extension == ".ccd" || extension == ".sub") {
    const fs::path ccd = extension == ".ccd" ? image : FindCompanion(image, ".ccd");
    const fs::path img = FindCompanion(image, ".img");
    if (ccd.empty()) {
      *error = "the descriptor " + image.stem().string() + ".ccd of " + image.string() + " is missing";
      return std::nullopt;
    }
    auto layout = ReadCcdDescriptor(ccd, img, error);
    if (!layout && error->starts_with("damaged image") && !img.empty())
      if (auto probed = ProbeImage(img)) return probed;
    return layout;
  }
  if (auto nero = ReadNrgImage(image, error); nero || !error->empty()) return nero;
  if (auto described = FromCompanion(image, error)) return described;
  if (!error->empty()) return std::nullopt;
  if (auto probed = ProbeImage(image)) return probed;
  *error = image.string() + " is not a CD image";
  return std::nullopt;
}

}  // namespace norva::platform::image
