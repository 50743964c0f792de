// JPEG decoding through libjpeg-turbo. libjpeg reports fatal errors through a callback that must not return;
// it jumps back to the decoder, which then gives the library's own message as the cause.
#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

#include "headless/headless_image_loader.h"

namespace norva::headless {

using components::ImageLoadResult;

namespace {

// Beyond this many pixels a picture is refused rather than allocated (the largest gallery pictures are a few
// million pixels).
constexpr unsigned long long kMaxPixels = 64ULL * 1024 * 1024;

struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void OnFatalError(j_common_ptr info) {
  auto* errors = reinterpret_cast<ErrorManager*>(info->err);
  (*info->err->format_message)(info, errors->message);
  std::longjmp(errors->jump, 1);
}

// Warnings (a truncated file among them) are fatal here: a half-decoded picture is a broken picture.
void OnMessage(j_common_ptr info, int level) {
  if (level < 0) OnFatalError(info);
}

// Runs the decode; false with `errors.message` filled when libjpeg gave up. Kept apart from objects with
// destructors so that the long jump skips none.
bool Decode(jpeg_decompress_struct& info, ErrorManager& errors, std::string_view bytes,
            ImageLoadResult& result) {
  if (setjmp(errors.jump) != 0) return false;
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()),
               static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  const unsigned long long pixels = static_cast<unsigned long long>(info.output_width) * info.output_height;
  if (pixels == 0 || pixels > kMaxPixels || info.output_components != 3) {
    std::snprintf(errors.message, sizeof errors.message, "unsupported picture size %ux%u", info.output_width,
                  info.output_height);
    return false;
  }
  result.image.width = static_cast<int>(info.output_width);
  result.image.height = static_cast<int>(info.output_height);
  result.image.rgb.resize(pixels * 3);
  const std::size_t stride = static_cast<std::size_t>(info.output_width) * 3;
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = result.image.rgb.data() + stride * info.output_scanline;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  return true;
}

}  // namespace

ImageLoadResult DecodeJpeg(std::string_view bytes) {
  ImageLoadResult result;
  jpeg_decompress_struct info{};
  ErrorManager errors{};
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = OnFatalError;
  errors.base.emit_message = OnMessage;
  const bool ok = Decode(info, errors, bytes, result);
  jpeg_destroy_decompress(&info);
  if (!ok) {
    result.image = {};
    result.error = std::string("JPEG error: ") + errors.message;
  }
  return result;
}

}  // namespace norva::headless
