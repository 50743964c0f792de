#include "platform/code_page.h"

#include <iconv.h>

#include <array>
#include <cstdint>
#include <unordered_map>

namespace norva::platform {
namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr char32_t kNoChar = 0xFFFFFFFF;

// Both directions of one code page, asked of iconv once per byte and then kept. The tables are immutable
// after construction, so conversions need no lock and never share an iconv descriptor between threads.
struct CodePageTables {
  std::array<char32_t, 256> to_unicode{};
  std::unordered_map<char32_t, char> from_unicode;
};

char32_t DecodeUtf8Bytes(const char* bytes, std::size_t size);

CodePageTables BuildTables(const char* iconv_name) {
  CodePageTables tables;
  for (int i = 0; i < 128; ++i) tables.to_unicode[i] = static_cast<char32_t>(i);
  for (int i = 128; i < 256; ++i) tables.to_unicode[i] = kNoChar;
  iconv_t descriptor = iconv_open("UTF-8", iconv_name);
  if (descriptor != reinterpret_cast<iconv_t>(-1)) {
    for (int i = 128; i < 256; ++i) {
      char in = static_cast<char>(i);
      std::array<char, 8> out{};
      char* in_ptr = &in;
      char* out_ptr = out.data();
      std::size_t in_left = 1;
      std::size_t out_left = out.size();
      iconv(descriptor, nullptr, nullptr, nullptr, nullptr);
      if (iconv(descriptor, &in_ptr, &in_left, &out_ptr, &out_left) != static_cast<std::size_t>(-1)) {
        tables.to_unicode[i] = DecodeUtf8Bytes(out.data(), out.size() - out_left);
      }
    }
    iconv_close(descriptor);
  }
  for (int i = 255; i >= 0; --i) {
    if (tables.to_unicode[i] != kNoChar) tables.from_unicode[tables.to_unicode[i]] = static_cast<char>(i);
  }
  return tables;
}

const CodePageTables& TablesFor(CodePage code_page) {
  static const CodePageTables kCentralEuropean = BuildTables("CP1250");
  static const CodePageTables kTurkish = BuildTables("CP1254");
  return code_page == CodePage::kTurkish ? kTurkish : kCentralEuropean;
}

void AppendUtf8(std::string& out, char32_t c) {
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

// Decodes one UTF-8 sequence at the start of text. Sets length to the bytes used; an invalid sequence (bad
// lead or continuation byte, overlong form, surrogate, beyond U+10FFFF, cut short) uses one byte and gives
// kNoChar.
char32_t DecodeUtf8(std::string_view text, std::size_t& length) {
  const auto lead = static_cast<unsigned char>(text[0]);
  length = 1;
  if (lead < 0x80) return lead;
  std::size_t count = 0;
  char32_t c = 0;
  char32_t minimum = 0;
  if ((lead & 0xE0) == 0xC0) {
    count = 2;
    c = lead & 0x1F;
    minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    count = 3;
    c = lead & 0x0F;
    minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    count = 4;
    c = lead & 0x07;
    minimum = 0x10000;
  } else {
    return kNoChar;
  }
  if (text.size() < count) return kNoChar;
  for (std::size_t i = 1; i < count; ++i) {
    const auto next = static_cast<unsigned char>(text[i]);
    if ((next & 0xC0) != 0x80) return kNoChar;
    c = (c << 6) | (next & 0x3F);
  }
  if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return kNoChar;
  length = count;
  return c;
}

char32_t DecodeUtf8Bytes(const char* bytes, std::size_t size) {
  if (size == 0) return kNoChar;
  std::size_t length = 0;
  const char32_t c = DecodeUtf8(std::string_view(bytes, size), length);
  return length == size ? c : kNoChar;
}

}  // namespace

std::string AnsiToUtf8(std::string_view text, CodePage code_page) {
  const CodePageTables& tables = TablesFor(code_page);
  std::string out;
  out.reserve(text.size() * 2);
  for (char byte : text) {
    const char32_t c = tables.to_unicode[static_cast<unsigned char>(byte)];
    AppendUtf8(out, c == kNoChar ? kReplacement : c);
  }
  return out;
}

std::string Utf8ToAnsi(std::string_view text, CodePage code_page) {
  const CodePageTables& tables = TablesFor(code_page);
  std::string out;
  out.reserve(text.size());
  while (!text.empty()) {
    std::size_t length = 0;
    const char32_t c = DecodeUtf8(text, length);
    const auto found = c == kNoChar ? tables.from_unicode.end() : tables.from_unicode.find(c);
    out += found == tables.from_unicode.end() ? '?' : found->second;
    text.remove_prefix(length);
  }
  return out;
}

}  // namespace norva::platform
