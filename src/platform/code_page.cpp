#include "platform/code_page.h"

#include "platform/unicode_text.h"

#include <iconv.h>

#include <array>
#include <cstdint>
#include <unordered_map>

namespace norva::platform {
namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr char32_t kNoChar = kInvalidUtf8;

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

char32_t DecodeUtf8Bytes(const char* bytes, std::size_t size) {
  if (size == 0) return kNoChar;
  std::size_t pos = 0;
  const char32_t c = NextUtf8(std::string_view(bytes, size), pos);
  return pos == size ? c : kNoChar;
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
  for (std::size_t pos = 0; pos < text.size();) {
    // Both code pages keep ASCII as it is; names are mostly ASCII and tree walks convert every one.
    if (static_cast<unsigned char>(text[pos]) < 0x80) {
      out += text[pos++];
      continue;
    }
    const char32_t c = NextUtf8(text, pos);
    const auto found = c == kInvalidUtf8 ? tables.from_unicode.end() : tables.from_unicode.find(c);
    out += found == tables.from_unicode.end() ? '?' : found->second;
  }
  return out;
}

}  // namespace norva::platform
