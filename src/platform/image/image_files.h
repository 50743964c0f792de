// File helpers shared by the image format readers: the files of an image found beside each other the way a
// Windows user names them (letter case ignored), small reads, and the sector header of raw images.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace norva::platform::image {

// `name` in `folder`: the exact name when it exists, else the one name there that matches it without regard
// to ASCII letter case; empty when there is none. `name` may carry a relative path with '/' or '\'.
std::filesystem::path FindSibling(const std::filesystem::path& folder, std::string_view name);

// The file beside `file` with the same stem and extension `extension` (".cue"), found as FindSibling does.
std::filesystem::path FindCompanion(const std::filesystem::path& file, std::string_view extension);

// The extension in lower case (".bin"), empty when there is none.
std::string LowerExtension(const std::filesystem::path& file);

// Up to `length` bytes from `offset`; nullopt when the file cannot be opened or read.
std::optional<std::string> ReadFileRange(const std::filesystem::path& file, std::uint64_t offset,
                                         std::size_t length);
// The whole file when it is at most `max_bytes` long; nullopt otherwise.
std::optional<std::string> ReadSmallFile(const std::filesystem::path& file, std::size_t max_bytes);

// Where the user data starts in the raw sector at `header` (at least 16 bytes): 16 for Mode 1, 24 for Mode 2
// (Form 1); 0 when the bytes do not start with the sync pattern of a data sector.
std::uint32_t RawDataOffset(std::string_view header);

// Big- and little-endian integers from a byte string.
std::uint64_t BigEndian(std::string_view bytes, std::size_t at, std::size_t width);
std::uint64_t LittleEndian(std::string_view bytes, std::size_t at, std::size_t width);

}  // namespace norva::platform::image
