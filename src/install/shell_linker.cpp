#include "install/shell_linker.h"

#include <optional>

#include "install/link_bytes.h"
#include "install/link_id_list.h"
#include "strings/ucase.h"

namespace norva::install {
namespace {

// {00021401-0000-0000-C000-000000000046} as stored.
constexpr std::string_view kShellLinkClsid{"\x01\x14\x02\x00\x00\x00\x00\x00\xC0\x00\x00\x00\x00\x00\x00\x46",
                                           16};
constexpr std::uint32_t kHeaderSize = 0x4C;

constexpr std::uint32_t kHasLinkTargetIdList = 0x1;
constexpr std::uint32_t kHasLinkInfo = 0x2;
constexpr std::uint32_t kHasName = 0x4;
constexpr std::uint32_t kHasRelativePath = 0x8;
constexpr std::uint32_t kHasWorkingDir = 0x10;
constexpr std::uint32_t kHasArguments = 0x20;
constexpr std::uint32_t kHasIconLocation = 0x40;
constexpr std::uint32_t kIsUnicode = 0x80;
constexpr std::uint32_t kForceNoLinkInfo = 0x100;

constexpr std::uint32_t kEnvironmentBlock = 0xA0000001;
constexpr std::uint32_t kIconEnvironmentBlock = 0xA0000007;
constexpr std::uint32_t kEnvironmentBlockSize = 0x314;

// The window-system buffers of a shell link hold 260 characters with the terminating zero.
constexpr std::size_t kMaxText = 259;

std::string Fit(std::string text) {
  const auto zero = text.find('\0');
  if (zero != std::string::npos) text.resize(zero);
  if (text.size() > kMaxText) text.resize(kMaxText);
  return text;
}

std::string JoinSuffix(std::string base, const std::string& suffix) {
  if (suffix.empty()) return base;
  if (!base.empty() && base.back() != '\\') base += '\\';
  return base + suffix;
}

// The target paths a link-info structure offers, each already in the ANSI code page.
struct LinkInfoPaths {
  std::string local_unicode;
  std::string local_ansi;
  std::string network;
};

// A zero-terminated text at `offset` inside `area`; empty when the offset lies outside.
std::string AnsiAt(const LinkBytes& area, std::uint32_t offset) {
  const auto rest = offset == 0 ? std::nullopt : area.From(offset);
  return rest ? std::string(AnsiZ(*rest)) : std::string();
}

std::string UnicodeAt(const LinkBytes& area, std::uint32_t offset, platform::CodePage code_page) {
  const auto rest = offset == 0 ? std::nullopt : area.From(offset);
  return rest ? Utf16ZToAnsi(*rest, code_page) : std::string();
}

std::string NetworkPath(const LinkBytes& info, std::uint32_t offset, const std::string& suffix,
                        platform::CodePage code_page) {
  const auto size = info.U32(offset);
  const auto area = size && *size >= 0x14 ? info.Slice(offset, *size) : std::nullopt;
  if (!area) return {};
  const LinkBytes link(*area);
  const std::uint32_t flags = link.U32(4).value_or(0);
  const std::uint32_t net_name_offset = link.U32(8).value_or(0);
  const std::uint32_t device_offset = link.U32(12).value_or(0);
  std::string net_name = AnsiAt(link, net_name_offset);
  std::string device = (flags & 0x1) ? AnsiAt(link, device_offset) : std::string();
  if (net_name_offset > 0x14) {
    if (auto wide = UnicodeAt(link, link.U32(0x14).value_or(0), code_page); !wide.empty()) {
      net_name = std::move(wide);
    }
    if (flags & 0x1) {
      if (auto wide = UnicodeAt(link, link.U32(0x18).value_or(0), code_page); !wide.empty()) {
        device = std::move(wide);
      }
    }
  }
  // A mapped drive reads as its drive letter, as the machine that runs the target sees it.
  const std::string& base = device.empty() ? net_name : device;
  return base.empty() ? std::string() : JoinSuffix(base, suffix);
}

LinkInfoPaths ReadLinkInfo(const LinkBytes& info, platform::CodePage code_page) {
  LinkInfoPaths paths;
  const std::uint32_t header_size = info.U32(4).value_or(0);
  const std::uint32_t flags = info.U32(8).value_or(0);
  if (header_size < 0x1C) return paths;
  const std::string suffix_ansi = AnsiAt(info, info.U32(0x18).value_or(0));
  std::string suffix = suffix_ansi;
  const bool has_unicode = header_size >= 0x24;
  if (has_unicode) {
    if (auto wide = UnicodeAt(info, info.U32(0x20).value_or(0), code_page); !wide.empty()) suffix = wide;
  }
  if (flags & 0x1) {
    if (auto base = AnsiAt(info, info.U32(0x10).value_or(0)); !base.empty()) {
      paths.local_ansi = JoinSuffix(std::move(base), suffix_ansi);
    }
    if (has_unicode) {
      if (auto base = UnicodeAt(info, info.U32(0x1C).value_or(0), code_page); !base.empty()) {
        paths.local_unicode = JoinSuffix(std::move(base), suffix);
      }
    }
  }
  if (flags & 0x2) paths.network = NetworkPath(info, info.U32(0x14).value_or(0), suffix, code_page);
  return paths;
}

// A target from an environment-variable block (Unicode copy first), empty when the block is absent.
struct ExtraData {
  std::string environment_target;
  std::string icon_target;
};

std::string BlockTarget(const LinkBytes& block, platform::CodePage code_page) {
  if (auto wide = Utf16ZToAnsi(block.Slice(268, 520).value_or(""), code_page); !wide.empty()) return wide;
  return std::string(AnsiZ(block.Slice(8, 260).value_or("")));
}

// Walks the extra-data blocks; a block whose size does not fit ends the walk, keeping what was read.
ExtraData ReadExtraData(const LinkBytes& bytes, std::size_t offset, platform::CodePage code_page) {
  ExtraData extra;
  while (true) {
    const auto size = bytes.U32(offset);
    if (!size || *size < 8) break;
    const auto block = bytes.Slice(offset, *size);
    if (!block) break;
    const LinkBytes data(*block);
    const std::uint32_t signature = data.U32(4).value_or(0);
    if (*size >= kEnvironmentBlockSize) {
      if (signature == kEnvironmentBlock) extra.environment_target = BlockTarget(data, code_page);
      if (signature == kIconEnvironmentBlock) extra.icon_target = BlockTarget(data, code_page);
    }
    offset += *size;
  }
  return extra;
}

std::uint8_t ShowStateOf(std::uint32_t show_command) {
  if (show_command == 2 || show_command == 7) return 1;  // minimised, minimised without activation
  if (show_command == 3) return 2;                       // maximised
  return 0;
}

// Reads the header, item list, link info and string data; false when any of them does not fit the bytes.
bool Parse(const LinkBytes& bytes, platform::CodePage code_page, TLinkInfo& out) {
  if (bytes.U32(0) != kHeaderSize || bytes.Slice(4, 16) != kShellLinkClsid) return false;
  if (bytes.size() < kHeaderSize) return false;
  const std::uint32_t flags = *bytes.U32(0x14);
  out.IconIndex = static_cast<std::int32_t>(*bytes.U32(0x38));
  out.ShowState = ShowStateOf(*bytes.U32(0x3C));
  out.HotKey = *bytes.U16(0x40);

  std::size_t offset = kHeaderSize;
  std::optional<IdListPath> id_list_path;
  if (flags & kHasLinkTargetIdList) {
    const auto size = bytes.U16(offset);
    const auto items = size ? bytes.Slice(offset + 2, *size) : std::nullopt;
    if (!items) return false;
    out.IDList = std::string(*items);
    out.HasIDList = true;
    id_list_path = ResolveIdListPath(*items, code_page);
    offset += 2 + *size;
  }

  LinkInfoPaths link_info;
  if (flags & kHasLinkInfo) {
    const auto size = bytes.U32(offset);
    const auto area = size && *size >= 0x1C ? bytes.Slice(offset, *size) : std::nullopt;
    if (!area) return false;
    if (!(flags & kForceNoLinkInfo)) link_info = ReadLinkInfo(LinkBytes(*area), code_page);
    offset += *size;
  }

  const bool unicode = (flags & kIsUnicode) != 0;
  auto read_string = [&](std::uint32_t flag, std::string& into) {
    if (!(flags & flag)) return true;
    const auto count = bytes.U16(offset);
    const auto text = count ? bytes.Slice(offset + 2, *count * (unicode ? 2u : 1u)) : std::nullopt;
    if (!text) return false;
    into = unicode ? Utf16ZToAnsi(*text, code_page) : std::string(AnsiZ(*text));
    offset += 2 + text->size();
    return true;
  };
  std::string relative_path;
  std::string icon_location;
  if (!read_string(kHasName, out.Description) || !read_string(kHasRelativePath, relative_path) ||
      !read_string(kHasWorkingDir, out.WorkingDirectory) || !read_string(kHasArguments, out.Arguments) ||
      !read_string(kHasIconLocation, icon_location)) {
    return false;
  }
  const ExtraData extra = ReadExtraData(bytes, offset, code_page);

  // Texts stored as UTF-16 are exact; an ANSI path was written in the code page of the machine that made
  // the link (some tools even put UTF-8 there), so an item list spelled in UTF-16 is preferred to it.
  const bool id_list_unicode = id_list_path && id_list_path->unicode_names;
  if (!link_info.local_unicode.empty()) {
    out.Path = link_info.local_unicode;
  } else if (id_list_unicode) {
    out.Path = id_list_path->path;
  } else if (!link_info.local_ansi.empty()) {
    out.Path = link_info.local_ansi;
  } else if (!link_info.network.empty()) {
    out.Path = link_info.network;
  } else if (!extra.environment_target.empty()) {
    out.Path = extra.environment_target;
  } else if (id_list_path) {
    out.Path = id_list_path->path;
  }
  out.Path = Fit(std::move(out.Path));
  if (icon_location.empty()) icon_location = extra.icon_target;
  out.IconLocation = icon_location.empty() ? out.Path : Fit(std::move(icon_location));
  out.WorkingDirectory = Fit(std::move(out.WorkingDirectory));
  out.Arguments = Fit(std::move(out.Arguments));
  out.Description = Fit(std::move(out.Description));
  return !out.Path.empty();
}

bool SameName(std::string_view a, std::string_view b) {
  return strings::UCase(a) == strings::UCase(b);
}

}  // namespace

bool ParseShellLink(std::string_view bytes, platform::CodePage code_page, TLinkInfo& out) {
  out = TLinkInfo{};
  if (Parse(LinkBytes(bytes), code_page, out)) return true;
  out = TLinkInfo{};
  return false;
}

bool GetLinkInfo(platform::FileSystem& files, std::string_view link_path, platform::CodePage code_page,
                 TLinkInfo& out) {
  out = TLinkInfo{};
  // The size is checked in the folder listing first, so that a huge file is never read whole.
  const auto slash = link_path.find_last_of("\\/");
  if (slash == std::string_view::npos || slash + 1 == link_path.size()) return false;
  const std::string folder(link_path.substr(0, slash == 2 && link_path[1] == ':' ? 3 : slash));
  const std::string_view name = link_path.substr(slash + 1);
  const auto entries = files.ListDir(folder);
  if (!entries) return false;
  bool fits = false;
  for (const platform::DirEntry& entry : *entries) {
    if (SameName(entry.name, name)) {
      fits = !entry.is_dir && entry.size <= kMaxShellLinkSize;
      break;
    }
  }
  if (!fits) return false;
  const auto bytes = files.ReadFile(link_path);
  if (!bytes || bytes->size() > kMaxShellLinkSize) return false;
  return ParseShellLink(*bytes, code_page, out);
}

}  // namespace norva::install
