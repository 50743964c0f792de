// The BMP decoder of the front end without a window, on any bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "headless/headless_image_loader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto result = norva::headless::DecodeBmp(std::string_view(reinterpret_cast<const char*>(data), size));
  if (result.ok() && result.image.rgb.size() != static_cast<std::size_t>(result.image.width) *
                                                   static_cast<std::size_t>(result.image.height) * 3) {
    std::abort();
  }
  return 0;
}
