// The picture decoder of the front end without a window. It decodes for real (JPEG through libjpeg-turbo,
// uncompressed Windows bitmaps with its own reader), so a broken or missing picture fails the same way with
// and without a window.
#pragma once

#include <string>
#include <string_view>

#include "components/image_loader.h"

namespace norva::headless {

class HeadlessImageLoader : public components::ImageLoader {
 public:
  components::ImageLoadResult Load(const std::string& host_path) override;
};

// A picture file's bytes decoded as Load decodes them, the kind told by the first bytes.
components::ImageLoadResult DecodePicture(std::string_view bytes);

// The decoders on bytes in memory, for the loader and its tests.
components::ImageLoadResult DecodeJpeg(std::string_view bytes);
// Windows bitmaps with a core (12-byte) or info (40-byte or longer) header, 1, 4, 8, 24 or 32 bits per pixel,
// uncompressed (32-bit pictures also with bit fields), rows stored bottom-up or top-down.
components::ImageLoadResult DecodeBmp(std::string_view bytes);

}  // namespace norva::headless
