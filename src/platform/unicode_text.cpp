#include "platform/unicode_text.h"

namespace norva::platform {
namespace {

char32_t UpperOf(char32_t c) {
  if (c >= U'a' && c <= U'z') return c - 0x20;
  if (c < 0x80) return c;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20;
  if (c == 0xFF) return 0x178;
  if (c == 0x131) return U'I';  // dotless i folds as Windows does, onto plain I
  if (c == 0x17F) return U'S';
  // Latin Extended-A pairs: upper case on even code points here, on odd ones in the two shifted runs.
  if ((c >= 0x100 && c <= 0x12F) || (c >= 0x132 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) {
    return c & ~char32_t{1};
  }
  if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) {
    return (c % 2 == 0) ? c - 1 : c;
  }
  return c;
}

}  // namespace

char32_t FoldCodePoint(char32_t c) {
  return UpperOf(c);
}

void AppendWtf8(std::string& out, char32_t c) {
  if (c > 0x10FFFF) c = 0xFFFD;
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

void AppendUtf8(std::string& out, char32_t c) {
  AppendWtf8(out, IsSurrogate(c) ? 0xFFFD : c);
}

char32_t NextWtf8(std::string_view text, std::size_t& pos) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(pos);
  if (lead < 0x80) {
    ++pos;
    return lead;
  }
  std::size_t length = 0;
  char32_t c = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    c = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    c = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    c = lead & 0x07;
  } else {
    ++pos;
    return kInvalidUtf8;
  }
  if (pos + length > text.size()) {
    ++pos;
    return kInvalidUtf8;
  }
  for (std::size_t i = 1; i < length; ++i) {
    const unsigned char next = byte(pos + i);
    if ((next & 0xC0) != 0x80) {
      ++pos;
      return kInvalidUtf8;
    }
    c = (c << 6) | (next & 0x3F);
  }
  // Overlong forms and values past U+10FFFF are not characters.
  const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
  if (c < least[length] || c > 0x10FFFF) {
    ++pos;
    return kInvalidUtf8;
  }
  pos += length;
  return c;
}

char32_t NextUtf8(std::string_view text, std::size_t& pos) {
  const std::size_t start = pos;
  const char32_t c = NextWtf8(text, pos);
  if (!IsSurrogate(c)) return c;
  pos = start + 1;
  return kInvalidUtf8;
}

std::string FoldCase(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const std::size_t start = pos;
    const char32_t c = NextUtf8(utf8, pos);
    if (c == kInvalidUtf8) {
      out += utf8[start];
    } else {
      AppendUtf8(out, UpperOf(c));
    }
  }
  return out;
}

bool EqualNoCase(std::string_view a_utf8, std::string_view b_utf8) {
  return FoldCase(a_utf8) == FoldCase(b_utf8);
}

}  // namespace norva::platform
