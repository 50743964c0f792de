#include "install/link_id_list.h"

#include <vector>

#include "install/link_bytes.h"

namespace norva::install {
namespace {

// {20D04FE0-3AEA-1069-A2D8-08002B30309D} as stored.
constexpr std::string_view kMyComputer{"\xE0\x4F\xD0\x20\xEA\x3A\x69\x10\xA2\xD8\x08\x00\x2B\x30\x30\x9D",
                                       16};
constexpr std::uint32_t kFileEntryExtension = 0xBEEF0004;
constexpr std::size_t kFileEntryNameOffset = 12;

bool IsRootMyComputer(const LinkBytes& item) {
  const auto type = item.U8(0);
  const auto clsid = item.Slice(2, 16);
  return type && *type == 0x1F && clsid && *clsid == kMyComputer;
}

// "C:\" from a volume item, or nullopt.
std::optional<std::string> VolumeName(const LinkBytes& item) {
  const auto type = item.U8(0);
  const auto rest = item.From(1);
  if (!type || (*type & 0x70) != 0x20 || !rest) return std::nullopt;
  std::string name(AnsiZ(*rest));
  if (name.size() < 2 || name[1] != ':') return std::nullopt;
  if (name.back() != '\\') name += '\\';
  return name;
}

// The long name kept in a file entry's extension block, as UTF-16 bytes, when there is one.
std::optional<std::string_view> ExtensionLongName(const LinkBytes& item, std::size_t search_from) {
  for (std::size_t start = search_from; start + 8 <= item.size(); ++start) {
    if (item.U32(start + 4) != kFileEntryExtension) continue;
    const auto size = item.U16(start);
    const auto version = item.U16(start + 2);
    const auto block = size ? item.Slice(start, *size) : std::nullopt;
    if (!block || !version) return std::nullopt;
    const LinkBytes ext(*block);
    // The block records where its long name starts; older blocks without that field use fixed places.
    std::size_t name_offset = ext.U16(16).value_or(0);
    if (name_offset < 18 || name_offset >= ext.size()) {
      name_offset = *version >= 9 ? 46 : *version == 8 ? 42 : *version == 7 ? 38 : 20;
    }
    return ext.From(name_offset);
  }
  return std::nullopt;
}

struct ItemName {
  std::string text;  // ANSI code page
  bool from_unicode = false;
};

std::optional<ItemName> FileEntryName(const LinkBytes& item, platform::CodePage code_page) {
  const auto type = item.U8(0);
  const auto stored = item.From(kFileEntryNameOffset);
  if (!type || (*type & 0x70) != 0x30 || !stored) return std::nullopt;
  const bool unicode_primary = (*type & 0x04) != 0;
  std::size_t name_end = kFileEntryNameOffset;
  ItemName name;
  if (unicode_primary) {
    name.text = Utf16ZToAnsi(*stored, code_page);
    name.from_unicode = true;
    name_end += 2;
  } else {
    name.text = std::string(AnsiZ(*stored));
    name_end += name.text.size() + 1;
  }
  if (const auto long_name = ExtensionLongName(item, name_end)) {
    std::string text = Utf16ZToAnsi(*long_name, code_page);
    if (!text.empty()) name = ItemName{std::move(text), true};
  }
  if (name.text.empty()) return std::nullopt;
  return name;
}

}  // namespace

std::optional<IdListPath> ResolveIdListPath(std::string_view items, platform::CodePage code_page) {
  const LinkBytes list(items);
  std::vector<LinkBytes> parts;
  for (std::size_t offset = 0;;) {
    const auto size = list.U16(offset);
    if (!size) return std::nullopt;  // no terminator before the end
    if (*size == 0) break;
    const auto item = *size >= 2 ? list.Slice(offset + 2, *size - 2) : std::nullopt;
    if (!item) return std::nullopt;
    parts.emplace_back(*item);
    offset += *size;
  }
  if (parts.size() < 2 || !IsRootMyComputer(parts[0])) return std::nullopt;
  auto volume = VolumeName(parts[1]);
  if (!volume) return std::nullopt;
  IdListPath result{std::move(*volume), true};
  for (std::size_t i = 2; i < parts.size(); ++i) {
    const auto name = FileEntryName(parts[i], code_page);
    if (!name) return std::nullopt;
    if (i > 2) result.path += '\\';
    result.path += name->text;
    result.unicode_names = result.unicode_names && name->from_unicode;
  }
  return result;
}

}  // namespace norva::install
