// The whole Windows machine of one Wine prefix, assembled: machine, INI files, shell and processes sharing
// one launch log, handed to the menu as one platform::Platform. Every front end and test builds the machine
// here.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/wine/libarchive_archives.h"
#include "platform/wine/wine_ini_files.h"
#include "platform/wine/wine_machine.h"
#include "platform/wine/wine_processes.h"
#include "platform/wine/wine_shell.h"

namespace norva::platform::wine {

struct WinePlatformOptions {
  std::filesystem::path prefix;
  std::optional<std::filesystem::path> disc;  // started from the disc in this folder
  std::optional<std::string> runner;          // --runner CMD
  std::optional<std::string> opener;          // --opener CMD
  // Without a window nothing starts unless a runner or opener was named: launches are only logged.
  bool record_only_by_default = false;
  std::vector<std::filesystem::path> mounted_discs =
      {};  // mounted discs to give drive letters (see WineMachine)
};

class WinePlatform {
 public:
  // nullptr with `error` set when the prefix or the disc mapping cannot be made.
  static std::unique_ptr<WinePlatform> Open(const WinePlatformOptions& options, std::string* error);

  WinePlatform(const WinePlatform&) = delete;
  WinePlatform& operator=(const WinePlatform&) = delete;

  Platform& platform() { return platform_; }
  WineMachine& machine() { return *machine_; }
  WineShell& shell() { return shell_; }
  WineProcesses& processes() { return processes_; }

 private:
  WinePlatform(std::unique_ptr<WineMachine> machine, const WinePlatformOptions& options);

  std::unique_ptr<WineMachine> machine_;
  WineIniFiles ini_;
  WineShell shell_;
  WineProcesses processes_;
  LibArchiveArchives archives_;
  Platform platform_;
};

}  // namespace norva::platform::wine
