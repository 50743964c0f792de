// Decoding of the picture files that the menu loads at run time (thumbnails, page illustrations, gallery
// pictures): Windows bitmaps (.bmp) and JPEG files (.jpg). Each front end brings its own loader; the menu
// uses it to learn whether a file is a picture it can show, and how big it is, before it puts the file into
// an image list.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace norva::components {

// Picture files larger than this are refused unread (the largest gallery pictures are a few megabytes).
inline constexpr std::uint64_t kMaxPictureBytes = 64ULL * 1024 * 1024;

// A decoded picture: `width` × `height` pixels, three bytes (red, green, blue) per pixel, rows from the top.
struct DecodedImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;
};

// The outcome of one load: on success `error` is empty; on failure `image` is empty and `error` says why
// ("cannot open the file", "not a JPEG file", ...), in plain ASCII.
struct ImageLoadResult {
  DecodedImage image;
  std::string error;

  bool ok() const { return error.empty(); }
};

class ImageLoader {
 public:
  virtual ~ImageLoader() = default;

  // Reads and decodes the host file at `host_path` (UTF-8). The kind is taken from the file's content, not
  // from its name, so a .jpg that holds a bitmap still loads. Only a regular file of at most kMaxPictureBytes
  // is read, and opening it never blocks (a FIFO or device fails as a file that cannot be opened).
  virtual ImageLoadResult Load(const std::string& host_path) = 0;
};

}  // namespace norva::components
