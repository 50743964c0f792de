#include "headless/headless_image_loader.h"

#include <fstream>
#include <iterator>

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
  std::ifstream in(host_path, std::ios::binary);
  if (!in) return Failure("cannot open the file");
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return Failure("cannot read the file");
  if (StartsWith(bytes, "BM")) return DecodeBmp(bytes);
  if (StartsWith(bytes, "\xFF\xD8")) return DecodeJpeg(bytes);
  return Failure(bytes.empty() ? "the file is empty" : "not a JPEG or bitmap picture");
}

}  // namespace norva::headless
