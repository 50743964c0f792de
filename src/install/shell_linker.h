// Reading shortcut (.lnk) files: the facts that detection and uninstall need about a shortcut's target.
// The files are read from their binary format; nothing here creates or changes a shortcut.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/code_page.h"
#include "platform/file_system.h"

namespace norva::install {

// The facts read from one shortcut file. Texts are in the ANSI code page asked for, at most 259 characters
// each (cut at the first zero character).
struct TLinkInfo {
  std::string Path;        // target path (environment variables left unexpanded)
  std::string IDList;      // the target's raw shell item list as stored (without its size field)
  bool HasIDList = false;  // the file carries an item list (it may be the empty list)
  std::string WorkingDirectory;
  std::string Arguments;
  std::string Description;
  std::string IconLocation;  // equals Path when the shortcut names no icon
  std::int32_t IconIndex = 0;
  std::uint16_t HotKey = 0;    // low byte virtual key, high byte modifiers
  std::uint8_t ShowState = 0;  // 0 normal, 1 minimised, 2 maximised
};

// Shortcut files larger than this are refused unread.
inline constexpr std::uint64_t kMaxShellLinkSize = 1024 * 1024;

// Parses the bytes of a shortcut file. Texts stored as UTF-16 are converted to `code_page`; ANSI texts are
// taken as they are. False, with `out` cleared, when the bytes are not a shell link or name no target
// path. Never reads outside `bytes`, whatever sizes the file claims.
bool ParseShellLink(std::string_view bytes, platform::CodePage code_page, TLinkInfo& out);

// Reads the shortcut at the full DOS path `link_path` ("C:\\...\\Game.lnk") through `files` and parses it.
// False, with `out` cleared, when the file is missing, a folder, larger than kMaxShellLinkSize, unreadable or
// not a usable shortcut.
bool GetLinkInfo(platform::FileSystem& files, std::string_view link_path, platform::CodePage code_page,
                 TLinkInfo& out);

}  // namespace norva::install
