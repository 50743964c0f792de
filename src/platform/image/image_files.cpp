#include "platform/image/image_files.h"

#include <algorithm>
#include <fstream>
#include <system_error>

namespace norva::platform::image {
namespace fs = std::filesystem;
namespace {

char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

}  // namespace

fs::path FindSibling(const fs::path& folder, std::string_view name) {
  std::string relative(name);
  std::replace(relative.begin(), relative.end(), '\\', '/');
  std::error_code ignored;
  fs::path found = folder;
  std::string_view rest = relative;
  while (!rest.empty()) {
    const std::size_t slash = rest.find('/');
    const std::string_view part = rest.substr(0, slash);
    rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
    if (part.empty() || part == ".") continue;
    if (fs::exists(found / part, ignored)) {
      found /= part;
      continue;
    }
    fs::path match;
    for (const auto& entry : fs::directory_iterator(found, ignored)) {
      if (EqualNoCase(entry.path().filename().string(), part)) {
        match = entry.path();
        break;
      }
    }
    if (match.empty()) return {};
    found = match;
  }
  return found == folder ? fs::path() : found;
}

fs::path FindCompanion(const fs::path& file, std::string_view extension) {
  return FindSibling(file.parent_path().empty() ? fs::path(".") : file.parent_path(),
                     file.stem().string() + std::string(extension));
}

std::string LowerExtension(const fs::path& file) {
  std::string extension = file.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(), LowerAscii);
  return extension;
}

std::optional<std::string> ReadFileRange(const fs::path& file, std::uint64_t offset, std::size_t length) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  in.seekg(static_cast<std::streamoff>(offset));
  if (!in) return std::nullopt;
  std::string bytes(length, '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(length));
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  return bytes;
}

std::optional<std::string> ReadSmallFile(const fs::path& file, std::size_t max_bytes) {
  std::error_code error;
  const auto size = fs::file_size(file, error);
  if (error || size > max_bytes) return std::nullopt;
  return ReadFileRange(file, 0, static_cast<std::size_t>(size));
}

std::uint32_t RawDataOffset(std::string_view header) {
  static constexpr char kSync[12] = {0, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 0};
  if (header.size() < 16 || header.substr(0, 12) != std::string_view(kSync, 12)) return 0;
  switch (header[15]) {
    case 1:
      return 16;
    case 2:
      return 24;
    default:
      return 0;
  }
}

std::uint64_t BigEndian(std::string_view bytes, std::size_t at, std::size_t width) {
  std::uint64_t value = 0;
  for (std::size_t i = 0; i < width && at + i < bytes.size(); ++i)
    value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

std::uint64_t LittleEndian(std::string_view bytes, std::size_t at, std::size_t width) {
  std::uint64_t value = 0;
  for (std::size_t i = width; i-- > 0;)
    if (at + i < bytes.size()) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

}  // namespace norva::platform::image
