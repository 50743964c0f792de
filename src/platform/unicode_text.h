// UTF-8 helpers for host file names and registry texts: decoding, encoding and the case folding that
// Windows applies when it compares names.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace norva::platform {

// Appends the UTF-8 form of a code point; surrogates and values above U+10FFFF become U+FFFD.
void AppendUtf8(std::string& out, char32_t code_point);

// Decodes the code point at `pos` and advances `pos` past it. An invalid or truncated sequence yields
// 0xFFFFFFFF and advances by one byte, so that callers can skip or keep the raw byte.
char32_t NextUtf8(std::string_view text, std::size_t& pos);
inline constexpr char32_t kInvalidUtf8 = 0xFFFFFFFF;

// The same for WTF-8, UTF-8 that also carries lone surrogates (in their three-byte form): the text of a
// damaged UTF-16 file, kept as it was.
void AppendWtf8(std::string& out, char32_t code_point);
char32_t NextWtf8(std::string_view text, std::size_t& pos);
constexpr bool IsSurrogate(char32_t c) {
  return c >= 0xD800 && c <= 0xDFFF;
}

// The upper-case form used to compare names without regard to letter case (ASCII, Latin-1 and Latin
// Extended-A, which covers the letters of both ANSI code pages). Invalid bytes are kept as they are.
std::string FoldCase(std::string_view utf8);
// The upper-case form of one code point under the same rules.
char32_t FoldCodePoint(char32_t c);
bool EqualNoCase(std::string_view a_utf8, std::string_view b_utf8);

}  // namespace norva::platform
