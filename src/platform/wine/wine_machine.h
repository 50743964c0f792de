// The Windows machine of one Wine prefix, with each concern of the platform served by its own object.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/code_page.h"
#include "platform/wine/wine_drives.h"
#include "platform/wine/wine_file_system.h"
#include "platform/wine/wine_registry.h"
#include "platform/wine/wine_system_info.h"

namespace norva::platform::wine {

struct WineMachineOptions {
  std::filesystem::path prefix;               // the prefix folder (see ChoosePrefix)
  std::optional<std::filesystem::path> disc;  // the disc folder when started from the disc
  // Mounted discs that get drive letters (CD drives, as the disc's) for the drive scan to find.
  std::vector<std::filesystem::path> mounted_discs = {};
};

class WineMachine {
 public:
  // Gives the prefix its least layout when it has none, maps the disc to a drive letter and makes that letter
  // a CD drive for Windows programs. nullptr with `error` (when given) set when the layout or the mapping
  // fails.
  static std::unique_ptr<WineMachine> Open(const WineMachineOptions& options, std::string* error);

  WineMachine(const WineMachine&) = delete;
  WineMachine& operator=(const WineMachine&) = delete;

  WineFileSystem& files() { return files_; }
  WineDrives& drives() { return drives_; }
  WineRegistry& registry() { return registry_; }
  WineSystemInfo& system() { return system_; }
  const std::filesystem::path& prefix() const { return prefix_; }
  // The disc's drive letter ('D'..'Z'), 0 when the menu was not started from a disc.
  char disc_letter() const { return disc_letter_; }

  // The code page of every text handed in and out (Windows-1250 until set).
  void SetAnsiCodePage(CodePage code_page);

 private:
  WineMachine(std::filesystem::path prefix, char disc_letter, std::string host_user);
  // Makes `letter` a CD drive in Wine's drive table.
  void RegisterDiscDrive(char letter);

  std::filesystem::path prefix_;
  char disc_letter_;
  WineFileSystem files_;
  WineRegistry registry_;
  WineDrives drives_;
  WineSystemInfo system_;
};

}  // namespace norva::platform::wine
