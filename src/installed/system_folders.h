// The machine facts that installing, detection and uninstalling need, read once at start.
#pragma once

#include <string>

#include "platform/registry.h"
#include "platform/system_info.h"

namespace norva::installed {

// Folder fields end with a backslash; an unknown folder is empty.
struct SystemFolders {
  std::string OSName;  // "Windows 3.1", "Windows 95", "Windows NT", or empty for another platform id
  std::string SystemDir;
  std::string WindowsDir;
  std::string TempDir;
  std::string ProgramFilesDir;
  std::string CommonDesktopDir;
  std::string CommonProgramsDir;
  std::string UserDesktopDir;
  std::string UserProgramsDir;
};

SystemFolders LoadSystemInfo(platform::SystemInfo& system, platform::Registry& registry);

}  // namespace norva::installed
