// Facts about the Windows machine of a Wine prefix: an NT-family system in C:\windows whose user is an
// administrator, with the environment a Windows program started there would see.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/code_page.h"
#include "platform/registry.h"
#include "platform/system_info.h"

namespace norva::platform::wine {

class WineSystemInfo : public SystemInfo {
 public:
  // `registry` (not owned, outlives this object) is the prefix's registry. `disc_letter` is the disc's drive
  // when the menu was started from the disc, 0 when it runs as a copy on C:. `host_user` is the host's user
  // name (UTF-8), which Wine gives to the Windows user too.
  WineSystemInfo(std::filesystem::path prefix, Registry& registry, char disc_letter, std::string host_user);

  void SetAnsiCodePage(CodePage code_page) { code_page_ = code_page; }

  int PlatformId() override { return 2; }
  std::string WindowsDirectory() override { return "C:\\windows"; }
  std::string SystemDirectory() override { return "C:\\windows\\system32"; }
  // Names match without regard to letter case. Values come from the prefix's registry (the system's and
  // then the user's Environment keys, %VARIABLES% expanded) over the variables every Windows process has;
  // TMP and TEMP fall back to C:\windows\temp.
  std::optional<std::string> GetEnv(std::string_view name) override;
  bool IsAdmin() override { return true; }  // Wine runs its user as an administrator
  std::string ProgramPath() override;

 private:
  using Environment = std::vector<std::pair<std::string, std::string>>;
  Environment BuildEnvironment();
  std::string UserName();
  std::string ProfileDirectory(const Environment& base);

  std::filesystem::path prefix_;
  Registry& registry_;
  char disc_letter_;
  std::string host_user_;
  CodePage code_page_ = CodePage::kCentralEuropean;
};

}  // namespace norva::platform::wine
