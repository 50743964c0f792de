// Bounds-checked little-endian reading of shortcut file bytes, and the text conversions the shortcut reader
// needs. Every read outside the viewed bytes fails instead of reading past them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/code_page.h"

namespace norva::install {

class LinkBytes {
 public:
  explicit LinkBytes(std::string_view bytes) : bytes_(bytes) {}

  std::size_t size() const { return bytes_.size(); }
  std::string_view view() const { return bytes_; }

  std::optional<std::uint8_t> U8(std::size_t offset) const;
  std::optional<std::uint16_t> U16(std::size_t offset) const;
  std::optional<std::uint32_t> U32(std::size_t offset) const;
  // The `length` bytes at `offset`, or nullopt when they do not all lie inside.
  std::optional<std::string_view> Slice(std::size_t offset, std::size_t length) const;
  // The bytes from `offset` to the end, or nullopt when `offset` lies beyond the end.
  std::optional<std::string_view> From(std::size_t offset) const;

 private:
  std::string_view bytes_;
};

// The single-byte text at the start of `bytes` up to its first zero byte (or the end).
std::string_view AnsiZ(std::string_view bytes);
// The UTF-16LE text at the start of `bytes` up to its first zero unit (or the end; an odd last byte is
// ignored), converted to UTF-8. Unpaired surrogates become U+FFFD.
std::string Utf16ZToUtf8(std::string_view bytes);
// UTF-16LE text converted to the ANSI code page, cut at its first zero unit.
std::string Utf16ZToAnsi(std::string_view bytes, platform::CodePage code_page);

}  // namespace norva::install
