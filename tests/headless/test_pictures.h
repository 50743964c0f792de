// Small real picture files made in memory for tests: JPEG through libjpeg, Windows bitmaps by hand.
#pragma once

#include <cstdint>
#include <string>

namespace norva::test {

// A baseline JPEG of `width` × `height` pixels filled with one colour.
std::string MakeJpeg(int width, int height, std::uint8_t red = 200, std::uint8_t green = 100,
                     std::uint8_t blue = 50);
// An uncompressed 24-bit bitmap, rows stored bottom-up; pixel (x, y) has red x, green y, blue 7.
std::string MakeBmp24(int width, int height);

}  // namespace norva::test
