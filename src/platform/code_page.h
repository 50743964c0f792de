// The two ANSI code pages the menu's texts come in, and their conversion at the display and host-file
// borders.
#pragma once

#include <string>
#include <string_view>

namespace norva::platform {

enum class CodePage { kCentralEuropean = 1250, kTurkish = 1254 };

// Bytes without a character in the code page become U+FFFD.
std::string AnsiToUtf8(std::string_view text, CodePage code_page);
// Characters without a byte in the code page become '?'.
std::string Utf8ToAnsi(std::string_view text, CodePage code_page);

}  // namespace norva::platform
