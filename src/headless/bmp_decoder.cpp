// A reader for the Windows bitmaps that the disc's thumbnails are: every size and offset in the file is
// checked against the file's length before it is used.
#include <cstdint>
#include <cstdlib>

#include "headless/headless_image_loader.h"

namespace norva::headless {

using components::ImageLoadResult;

namespace {

constexpr long long kMaxPixels = 64LL * 1024 * 1024;
constexpr std::uint32_t kRgb = 0;
constexpr std::uint32_t kBitFields = 3;

class Bytes {
 public:
  explicit Bytes(std::string_view data) : data_(data) {}
  bool Has(std::size_t offset, std::size_t count) const {
    return offset <= data_.size() && count <= data_.size() - offset;
  }
  std::uint8_t U8(std::size_t at) const { return static_cast<std::uint8_t>(data_[at]); }
  std::uint32_t U16(std::size_t at) const { return U8(at) | (U8(at + 1) << 8); }
  std::uint32_t U32(std::size_t at) const { return U16(at) | (U16(at + 2) << 16); }
  std::int32_t S32(std::size_t at) const { return static_cast<std::int32_t>(U32(at)); }

 private:
  std::string_view data_;
};

ImageLoadResult Failure(std::string why) {
  ImageLoadResult result;
  result.error = "bitmap error: " + std::move(why);
  return result;
}

// The position of the lowest set bit and the width of the run of set bits of a channel mask.
struct Channel {
  int shift = 0;
  int bits = 0;
};

Channel FromMask(std::uint32_t mask) {
  Channel channel;
  if (mask == 0) return channel;
  while ((mask & 1) == 0) {
    mask >>= 1;
    ++channel.shift;
  }
  while ((mask & 1) != 0 && channel.bits < 32) {
    mask >>= 1;
    ++channel.bits;
  }
  return channel;
}

std::uint8_t Scale(std::uint32_t pixel, Channel channel) {
  if (channel.bits == 0) return 0;
  const std::uint64_t max = (1ULL << channel.bits) - 1;
  const std::uint64_t value = (pixel >> channel.shift) & max;
  return static_cast<std::uint8_t>((value * 255 + max / 2) / max);
}

}  // namespace

ImageLoadResult DecodeBmp(std::string_view data) {
  const Bytes bytes(data);
  if (!bytes.Has(0, 18) || data.substr(0, 2) != "BM") return Failure("not a bitmap file");
  const std::uint32_t pixel_offset = bytes.U32(10);
  const std::uint32_t header_size = bytes.U32(14);
  const bool core = header_size == 12;
  if (!core && header_size < 40) return Failure("unknown header");
  if (!bytes.Has(14, header_size)) return Failure("the file is cut short");

  long long width, height;
  std::uint32_t bit_count, compression = kRgb, palette_size = 0;
  if (core) {
    width = bytes.U16(18);
    height = static_cast<std::int16_t>(bytes.U16(20));
    bit_count = bytes.U16(24);
  } else {
    width = bytes.S32(18);
    height = bytes.S32(22);
    bit_count = bytes.U16(28);
    compression = bytes.U32(30);
    palette_size = bytes.U32(46);
  }
  const bool top_down = height < 0;
  height = std::llabs(height);
  if (width <= 0 || height <= 0 || width * height > kMaxPixels) return Failure("unsupported picture size");
  if (bit_count != 1 && bit_count != 4 && bit_count != 8 && bit_count != 24 && bit_count != 32) {
    return Failure("unsupported pixel format");
  }
  if (compression != kRgb && !(compression == kBitFields && bit_count == 32)) {
    return Failure("compressed bitmaps are not supported");
  }

  // Channel masks: the default 8-bit channels, or the bit fields after the 40-byte header (inside a longer
  // header, or as three masks after a short one).
  Channel red{16, 8}, green{8, 8}, blue{0, 8};
  std::size_t palette_at = 14 + header_size;
  if (compression == kBitFields) {
    if (!bytes.Has(54, 12)) return Failure("the file is cut short");
    red = FromMask(bytes.U32(54));
    green = FromMask(bytes.U32(58));
    blue = FromMask(bytes.U32(62));
    if (header_size == 40) palette_at += 12;
  }

  const std::size_t entry_size = core ? 3 : 4;
  std::size_t colours = 0;
  if (bit_count <= 8) {
    colours = palette_size == 0 ? (std::size_t{1} << bit_count) : palette_size;
    if (colours > (std::size_t{1} << bit_count)) return Failure("palette too large");
    if (!bytes.Has(palette_at, colours * entry_size)) return Failure("the file is cut short");
  }

  const std::size_t stride = ((static_cast<std::size_t>(width) * bit_count + 31) / 32) * 4;
  if (!bytes.Has(pixel_offset, stride * static_cast<std::size_t>(height))) {
    return Failure("the file is cut short");
  }

  ImageLoadResult result;
  result.image.width = static_cast<int>(width);
  result.image.height = static_cast<int>(height);
  result.image.rgb.resize(static_cast<std::size_t>(width * height) * 3);
  for (long long y = 0; y < height; ++y) {
    const std::size_t row = pixel_offset + stride * static_cast<std::size_t>(top_down ? y : height - 1 - y);
    std::uint8_t* out = result.image.rgb.data() + static_cast<std::size_t>(y * width) * 3;
    for (long long x = 0; x < width; ++x, out += 3) {
      if (bit_count <= 8) {
        const std::size_t bit = static_cast<std::size_t>(x) * bit_count;
        const std::uint32_t index =
            (bytes.U8(row + bit / 8) >> (8 - bit_count - bit % 8)) & ((1u << bit_count) - 1);
        // An index past a short palette shows black, as the window system draws it.
        if (index >= colours) {
          out[0] = out[1] = out[2] = 0;
          continue;
        }
        const std::size_t entry = palette_at + index * entry_size;
        out[0] = bytes.U8(entry + 2);
        out[1] = bytes.U8(entry + 1);
        out[2] = bytes.U8(entry);
      } else if (bit_count == 24) {
        const std::size_t at = row + static_cast<std::size_t>(x) * 3;
        out[0] = bytes.U8(at + 2);
        out[1] = bytes.U8(at + 1);
        out[2] = bytes.U8(at);
      } else {
        const std::uint32_t pixel = bytes.U32(row + static_cast<std::size_t>(x) * 4);
        out[0] = Scale(pixel, red);
        out[1] = Scale(pixel, green);
        out[2] = Scale(pixel, blue);
      }
    }
  }
  return result;
}

}  // namespace norva::headless
