// Facts about the Windows machine and the running menu.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace norva::platform {

class SystemInfo {
 public:
  virtual ~SystemInfo() = default;
  // GetVersionEx's platform id: 0 Win32s, 1 Windows 95 family, 2 Windows NT family.
  virtual int PlatformId() = 0;
  // As GetWindowsDirectory / GetSystemDirectory: "C:\windows", "C:\windows\system32" (no trailing backslash).
  virtual std::string WindowsDirectory() = 0;
  virtual std::string SystemDirectory() = 0;
  // An environment variable of the Windows machine; nullopt when unset.
  virtual std::optional<std::string> GetEnv(std::string_view name) = 0;
  // Membership of the Administrators group (S-1-5-32-544).
  virtual bool IsAdmin() = 0;
  // The DOS path of the menu's own program, e.g. "D:\NORVA.EXE".
  virtual std::string ProgramPath() = 0;
};

}  // namespace norva::platform
