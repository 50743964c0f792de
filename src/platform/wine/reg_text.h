// The escaped strings of Wine's registry files, decoded to UTF-8.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace norva::platform::wine {

// Decodes the escaped text that starts at `pos` (just after the opening '"' or '[') up to the unescaped
// `delimiter`, and leaves `pos` just after the delimiter. Accepts \a \b \e \f \n \r \t \v, \x with 1-4 hex
// digits (UTF-16 code units, surrogate pairs joined), octal with 1-3 digits, any other escaped character for
// itself, and raw UTF-8. A lone surrogate becomes U+FFFD; invalid raw bytes are dropped. Embedded NULs are
// kept. False when the delimiter is missing.
bool ParseRegString(std::string_view text, std::size_t& pos, char delimiter, std::string* utf8);

// The UTF-8 text of UTF-16LE bytes (string values stored as hex), up to the first NUL unit.
std::string Utf16LeToUtf8(std::string_view bytes);

}  // namespace norva::platform::wine
