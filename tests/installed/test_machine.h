// A scratch Windows machine for the detection tests: a Wine prefix in a temporary folder with a disc mapped
// to D:, the real Wine backend over it, the machine folders, the open store norva.ini, and helpers that put
// registry values and files where installers would. Windows programs run through the fake runner (shell
// scripts).
#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "installed/system_folders.h"
#include "platform/platform.h"
#include "platform/wine/wine_ini_files.h"
#include "platform/wine/wine_machine.h"
#include "platform/wine/wine_processes.h"
#include "platform/wine/wine_shell.h"
#include "support/reg_hive.h"
#include "support/temp_dir.h"

namespace norva::test {

class TestMachine {
 public:
  TestMachine();

  platform::Platform& Platform() { return *platform_; }
  installed::SystemFolders& Folders() { return folders_; }
  platform::IniFile& Store() { return *store_; }
  platform::wine::WineMachine& Machine() { return *machine_; }
  // The host path of a DOS path on drive C: or the disc D:.
  std::filesystem::path HostOf(std::string_view dos_path) const;
  const std::filesystem::path& Prefix() const { return dir_.path(); }

  // Sets a string value in system.reg (HKEY_LOCAL_MACHINE) or user.reg (HKEY_CURRENT_USER) and rewrites the
  // file in Wine's text format. Key paths as the menu writes them: "SOFTWARE\Vendor\Game".
  void SetRegistry(platform::RegRoot root, std::string_view key, std::string_view name,
                   std::string_view value);

  // Writes a file at a DOS path of drive C: or the disc D: (creating its folders).
  void WriteFile(std::string_view dos_path, std::string_view bytes);
  void RemoveFile(std::string_view dos_path);
  // The store's whole text.
  std::string StoreText();

 private:
  void WriteHive(platform::RegRoot root);

  TempDir dir_;
  std::unique_ptr<platform::wine::WineMachine> machine_;
  std::unique_ptr<platform::wine::WineIniFiles> ini_;
  std::unique_ptr<platform::wine::WineShell> shell_;
  std::unique_ptr<platform::wine::WineProcesses> processes_;
  std::unique_ptr<platform::Platform> platform_;
  installed::SystemFolders folders_;
  std::unique_ptr<platform::IniFile> store_;
  // Per root: key -> (value name -> value), written out whole each time.
  std::map<platform::RegRoot, RegHive> hives_;
};

}  // namespace norva::test
