// An item's pictures as the detail panel and the gallery load them: the thumbnail and every gallery picture
// must exist, decode, and have a size the panel shows whole.
#pragma once

#include <string_view>

#include "check/check_run.h"

namespace norva::check {

// The small picture's box and the gallery's (the whole menu panel), in pixels.
inline constexpr int kThumbnailWidth = 243;
inline constexpr int kThumbnailHeight = 151;
inline constexpr int kGalleryWidth = 638;
inline constexpr int kGalleryHeight = 482;

// `name` is the record's Picture field; "NUL" and an empty name are no picture.
void CheckPictures(CheckRun& run, std::string_view section, std::string_view name);

}  // namespace norva::check
