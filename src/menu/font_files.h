// The disc's two font files, in its NORVA folder: the window loads them for the process while the menu runs.
#pragma once

#include <string_view>

namespace norva::menu {

inline constexpr std::string_view kFontFiles[] = {"bb.jpg", "bc.jpg"};

}  // namespace norva::menu
