#include "headless/headless_image_loader.h"

#include "platform/wine/host_file.h"

namespace norva::headless {

using components::ImageLoadResult;

namespace {

ImageLoadResult Failure(std::string why) {
  ImageLoadResult result;
  result.error = std::move(why);
  return result;
}

bool StartsWith(std::string_view bytes, std::string_view magic) {
  return bytes.substr(0, magic.size()) == magic;
}

}  // namespace

ImageLoadResult HeadlessImageLoader::Load(const std::string& host_path) {
  // Only a regular file is opened, and without blocking: a FIFO or device named as a picture fails here.
  const auto content = platform::wine::ReadHostFile(host_path, components::kMaxPictureBytes);
  if (!content || !content->stamp.exists) return Failure("cannot open the file");
  return DecodePicture(content->bytes);
}

ImageLoadResult DecodePicture(std::string_view bytes) {
  if (StartsWith(bytes, "BM")) return DecodeBmp(bytes);
  if (StartsWith(bytes, "\xFF\xD8")) return DecodeJpeg(bytes);
  return Failure(bytes.empty() ? "the file is empty" : "not a JPEG or bitmap picture");
}

}  // namespace norva::headless
