#include "installed/system_folders.h"

#include <string_view>

#include "installed/path_text.h"

namespace norva::installed {
namespace {

using norva::installed::PostFixDir;
using platform::RegRoot;

constexpr std::string_view kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\explorer\\Shell Folders";

std::string ReadFolder(platform::Registry& registry, RegRoot root, std::string_view name) {
  return PostFixDir(registry.ReadString(root, kShellFolders, name).value_or(""));
}

std::string FirstNonEmpty(std::string first, std::string second) {
  return first.empty() ? second : first;
}

}  // namespace

SystemFolders LoadSystemInfo(platform::SystemInfo& system, platform::Registry& registry) {
  SystemFolders f;
  switch (system.PlatformId()) {
    case 0:
      f.OSName = "Windows 3.1";
      break;
    case 1:
      f.OSName = "Windows 95";
      break;
    case 2:
      f.OSName = "Windows NT";
      break;
    default:
      break;
  }
  f.SystemDir = PostFixDir(system.SystemDirectory());
  f.WindowsDir = PostFixDir(system.WindowsDirectory());
  f.TempDir = PostFixDir(system.GetEnv("TMP").value_or(""));
  // Only the drive letter of the Windows folder is taken; an empty Windows folder gives no drive at all.
  f.ProgramFilesDir = f.WindowsDir.empty() ? std::string() : f.WindowsDir.substr(0, 1) + ":\\Program Files\\";

  f.CommonDesktopDir = FirstNonEmpty(ReadFolder(registry, RegRoot::kLocalMachine, "Common Desktop"),
                                     ReadFolder(registry, RegRoot::kLocalMachine, "Desktop"));
  f.CommonProgramsDir = FirstNonEmpty(ReadFolder(registry, RegRoot::kLocalMachine, "Common Programs"),
                                      ReadFolder(registry, RegRoot::kLocalMachine, "Programs"));
  f.UserDesktopDir = ReadFolder(registry, RegRoot::kCurrentUser, "Desktop");
  f.UserProgramsDir = ReadFolder(registry, RegRoot::kCurrentUser, "Programs");

  if (f.UserProgramsDir.empty()) f.UserProgramsDir = f.WindowsDir + "\\Start Menu\\Programs\\";
  if (f.UserDesktopDir.empty()) f.UserDesktopDir = f.WindowsDir + "\\Desktop\\";
  return f;
}

}  // namespace norva::installed
