#include "install/lnk_writer.h"

#include <fstream>
#include <vector>

namespace norva::test {
namespace {

void PutU16(std::string& out, std::uint32_t value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>((value >> 8) & 0xFF);
}

void PutU32(std::string& out, std::uint32_t value) {
  PutU16(out, value & 0xFFFF);
  PutU16(out, value >> 16);
}

void SetU32(std::string& out, std::size_t offset, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::string Ansi(const std::string& utf8, platform::CodePage code_page) {
  return platform::Utf8ToAnsi(utf8, code_page);
}

std::vector<std::string> SplitPath(const std::string& path) {
  std::vector<std::string> parts;
  std::string part;
  for (char c : path) {
    if (c == '\\') {
      if (!part.empty()) parts.push_back(part);
      part.clear();
    } else {
      part += c;
    }
  }
  if (!part.empty()) parts.push_back(part);
  return parts;
}

// My Computer, the drive, then one file entry per component (the last one a file); Unicode long names go
// into a file-entry extension block as Windows XP writes them.
std::string IdList(const LnkSpec& link) {
  std::string items;
  items += std::string("\x14\x00\x1F\x50", 4);
  items += std::string("\xE0\x4F\xD0\x20\xEA\x3A\x69\x10\xA2\xD8\x08\x00\x2B\x30\x30\x9D", 16);
  const std::vector<std::string> parts = SplitPath(link.target);
  std::string drive = parts.empty() ? std::string("C:") : parts[0];
  drive += '\\';
  std::string volume = "\x2F" + drive;
  volume.resize(23, '\0');
  PutU16(items, static_cast<std::uint32_t>(volume.size() + 2));
  items += volume;
  for (std::size_t i = 1; i < parts.size(); ++i) {
    std::string item;
    item += i + 1 == parts.size() ? '\x32' : '\x31';
    item += '\0';
    PutU32(item, 0);  // size
    PutU32(item, 0);  // date and time
    PutU16(item, i + 1 == parts.size() ? 0x20 : 0x10);
    item += Ansi(parts[i], link.code_page);
    item += '\0';
    if ((item.size() + 2) % 2 != 0) item += '\0';
    if (link.unicode) {
      const std::size_t ext_start = item.size() + 2;
      std::string ext;
      PutU16(ext, 0);  // size, set below
      PutU16(ext, 3);
      PutU32(ext, 0xBEEF0004);
      PutU32(ext, 0);
      PutU32(ext, 0);
      PutU16(ext, 20);  // where the long name starts
      PutU16(ext, 0);
      ext += Utf16Le(parts[i]);
      PutU16(ext, 0);
      PutU16(ext, static_cast<std::uint32_t>(ext_start));
      ext[0] = static_cast<char>(ext.size() & 0xFF);
      ext[1] = static_cast<char>(ext.size() >> 8);
      item += ext;
    }
    PutU16(items, static_cast<std::uint32_t>(item.size() + 2));
    items += item;
  }
  PutU16(items, 0);
  std::string out;
  PutU16(out, static_cast<std::uint32_t>(items.size()));
  return out + items;
}

std::string LinkInfo(const LnkSpec& link) {
  const bool unicode = link.unicode;
  const std::uint32_t header_size = unicode ? 0x24 : 0x1C;
  std::string volume;
  PutU32(volume, 0x11);  // size
  PutU32(volume, 3);     // fixed drive
  PutU32(volume, 0x12345678);
  PutU32(volume, 0x10);  // label offset
  volume += '\0';
  std::string body;
  const std::uint32_t volume_offset = header_size;
  const std::uint32_t base_offset = volume_offset + static_cast<std::uint32_t>(volume.size());
  const std::string base = Ansi(link.target, link.code_page) + '\0';
  const std::uint32_t suffix_offset = base_offset + static_cast<std::uint32_t>(base.size());
  body = volume + base + '\0';
  std::uint32_t base_unicode_offset = 0;
  std::uint32_t suffix_unicode_offset = 0;
  if (unicode) {
    if ((header_size + body.size()) % 2 != 0) body += '\0';
    base_unicode_offset = header_size + static_cast<std::uint32_t>(body.size());
    body += Utf16Le(link.target) + std::string(2, '\0');
    suffix_unicode_offset = header_size + static_cast<std::uint32_t>(body.size());
    body += std::string(2, '\0');
  }
  std::string info;
  PutU32(info, 0);  // size, set below
  PutU32(info, header_size);
  PutU32(info, 1);  // volume id and local base path
  PutU32(info, volume_offset);
  PutU32(info, base_offset);
  PutU32(info, 0);  // no network link
  PutU32(info, suffix_offset);
  if (unicode) {
    PutU32(info, base_unicode_offset);
    PutU32(info, suffix_unicode_offset);
  }
  info += body;
  SetU32(info, 0, static_cast<std::uint32_t>(info.size()));
  return info;
}

void PutString(std::string& out, const std::string& utf8, const LnkSpec& link) {
  if (link.unicode) {
    const std::string wide = Utf16Le(utf8);
    PutU16(out, static_cast<std::uint32_t>(wide.size() / 2));
    out += wide;
  } else {
    const std::string narrow = Ansi(utf8, link.code_page);
    PutU16(out, static_cast<std::uint32_t>(narrow.size()));
    out += narrow;
  }
}

std::string EnvironmentBlock(const LnkSpec& link) {
  std::string block;
  PutU32(block, 0x314);
  PutU32(block, 0xA0000001);
  std::string ansi = Ansi(link.target, link.code_page);
  ansi.resize(260, '\0');
  std::string wide = Utf16Le(link.target);
  wide.resize(520, '\0');
  return block + ansi + wide;
}

}  // namespace

std::string Utf16Le(const std::string& utf8) {
  std::string out;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t c = length == 1 ? lead : lead & (0xFF >> (length + 1));
    for (int k = 1; k < length && i + k < utf8.size(); ++k) c = (c << 6) | (utf8[i + k] & 0x3F);
    i += length;
    if (c >= 0x10000) {
      c -= 0x10000;
      PutU16(out, 0xD800 + (c >> 10));
      PutU16(out, 0xDC00 + (c & 0x3FF));
    } else {
      PutU16(out, c);
    }
  }
  return out;
}

std::string WriteShellLink(const LnkSpec& link) {
  std::uint32_t flags = 0;
  if (link.id_list) flags |= 0x1;
  if (link.link_info) flags |= 0x2;
  if (!link.description.empty()) flags |= 0x4;
  if (!link.relative_path.empty()) flags |= 0x8;
  if (!link.working_dir.empty()) flags |= 0x10;
  if (!link.arguments.empty()) flags |= 0x20;
  if (!link.icon_location.empty()) flags |= 0x40;
  if (link.unicode) flags |= 0x80;
  if (link.environment_target) flags |= 0x200;

  std::string out;
  PutU32(out, 0x4C);
  out += std::string("\x01\x14\x02\x00\x00\x00\x00\x00\xC0\x00\x00\x00\x00\x00\x00\x46", 16);
  PutU32(out, flags);
  PutU32(out, 0x20);             // attributes: archive
  out += std::string(24, '\0');  // creation, access and write times
  PutU32(out, 0);                // file size
  PutU32(out, static_cast<std::uint32_t>(link.icon_index));
  PutU32(out, link.show_command);
  PutU16(out, link.hot_key);
  out += std::string(10, '\0');
  if (link.id_list) out += IdList(link);
  if (link.link_info) out += LinkInfo(link);
  if (!link.description.empty()) PutString(out, link.description, link);
  if (!link.relative_path.empty()) PutString(out, link.relative_path, link);
  if (!link.working_dir.empty()) PutString(out, link.working_dir, link);
  if (!link.arguments.empty()) PutString(out, link.arguments, link);
  if (!link.icon_location.empty()) PutString(out, link.icon_location, link);
  if (link.environment_target) out += EnvironmentBlock(link);
  PutU32(out, 0);  // end of the extra data
  return out;
}

bool WriteShellLinkFile(const std::filesystem::path& file, const LnkSpec& link) {
  std::error_code error;
  std::filesystem::create_directories(file.parent_path(), error);
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  const std::string bytes = WriteShellLink(link);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace norva::test
