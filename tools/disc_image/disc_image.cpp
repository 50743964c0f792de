#include "disc_image.h"

#include "image_file.h"

namespace norva::tools {

std::optional<ImageFormat> ImageFormatNamed(std::string_view name) {
  if (name == "cue") return ImageFormat::kBinCue;
  if (name == "nrg") return ImageFormat::kNrg;
  if (name == "mds") return ImageFormat::kMds;
  if (name == "ccd") return ImageFormat::kCcd;
  return std::nullopt;
}

std::optional<std::vector<std::filesystem::path>> WriteDiscImage(ImageFormat format,
                                                                 const std::filesystem::path& iso,
                                                                 const std::filesystem::path& out,
                                                                 const ImageOptions& options,
                                                                 std::string* error) {
  if (format == ImageFormat::kNrg && options.disc.data_mode != DataMode::kMode1) {
    *error = "Nero images are written with Mode 1 data only";
    return std::nullopt;
  }
  const std::unique_ptr<Disc> disc = Disc::Open(iso, options.disc, error);
  if (!disc) return std::nullopt;
  std::vector<std::filesystem::path> written;
  bool ok = false;
  switch (format) {
    case ImageFormat::kBinCue:
      ok = WriteBinCue(*disc, out, &written, error);
      break;
    case ImageFormat::kNrg:
      ok = WriteNrg(*disc, options.nrg_layout, out, &written, error);
      break;
    case ImageFormat::kMds:
      ok = WriteMds(*disc, out, &written, error);
      break;
    case ImageFormat::kCcd:
      ok = WriteCcd(*disc, out, &written, error);
      break;
  }
  if (!ok) return std::nullopt;
  return written;
}

}  // namespace norva::tools
