// Writes valid shortcut (.lnk) files for tests: the shapes that setup programs leave in the Programs
// folders (Unicode or ANSI texts, with or without a link info, an item list, an environment target).
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "platform/code_page.h"

namespace norva::test {

struct LnkSpec {
  // All texts are UTF-8; ANSI copies are written in `code_page`.
  std::string target;  // a DOS path such as "C:\\Games\\Game\\GAME.EXE"
  std::string working_dir;
  std::string arguments;
  std::string description;
  std::string icon_location;
  std::string relative_path;
  std::int32_t icon_index = 0;
  std::uint16_t hot_key = 0;
  std::uint32_t show_command = 1;  // 1 normal, 3 maximised, 7 minimised without activation

  bool unicode = true;              // string data (and a Unicode copy of the link info path) as UTF-16
  bool link_info = true;            // a link info holding `target` as its local base path
  bool id_list = false;             // an item list My Computer, drive, then one item per path component
  bool environment_target = false;  // `target` in an environment-variable block
  platform::CodePage code_page = platform::CodePage::kCentralEuropean;
};

// The bytes of a shortcut file as `link` describes it.
std::string WriteShellLink(const LnkSpec& link);

// Writes the shortcut to a host file, creating its parent folders. False when the file cannot be written.
bool WriteShellLinkFile(const std::filesystem::path& file, const LnkSpec& link);

// UTF-8 text as UTF-16LE bytes, without a terminator.
std::string Utf16Le(const std::string& utf8);

}  // namespace norva::test
