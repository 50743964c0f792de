// Installed-program detection: decides for one catalog item whether it is installed on this machine and
// where, from the install store, the uninstall registry, application registry values, Start-menu shortcuts,
// private INI and text files, and finally the presence of the item's program file; then brings the store up
// to date.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "catalog/installed_detector.h"
#include "catalog/records.h"
#include "install/shell_linker.h"
#include "installed/install_store.h"
#include "installed/system_folders.h"
#include "platform/code_page.h"
#include "platform/ini_file.h"
#include "platform/platform.h"

namespace norva::installed {

// The answer of the presence test.
struct RunFileMatch {
  bool found = false;
  // For a GameName list ("A.EXE:Normal;B.EXE:3D", "START.EXE:SETUP.EXE"): the whole entry that was found,
  // label included. Empty otherwise.
  std::string alternative;
};

// Runs on the user-interface thread only. Everything passed in is borrowed and must outlive the detector.
class Detector : public catalog::InstalledDetector {
 public:
  // `store` is the open norva.ini; `disc_root` the disc's drive without backslash ("D:"); `issue_code` the
  // inserted issue ("0206"); `code_page` the edition's ANSI code page (texts read from shortcut files).
  Detector(platform::Platform& platform, const SystemFolders& folders, platform::IniFile& store,
           std::string disc_root, std::string issue_code, platform::CodePage code_page);

  // Detects one item in place: InstalledDir, the state bytes NotInstalled, Runnable and Installed, and (kept
  // across calls) UnInstallName and RegUninstall; writes or deletes the item's store entries.
  void CheckDemo(catalog::TDemos& item) override;

  // Whether the item's program file lies in its InstalledDir.
  RunFileMatch FindRunFile(const catalog::TDemos& item);

  // The item's folder recorded under the inserted issue (or in a legacy store); empty when none.
  std::string ReadStoredDir(std::string_view name) { return store_.ReadStoredDir(name); }

  InstallStore& Store() { return store_; }

 private:
  void ExpandUninstallerPrefix(catalog::TDemos& item);
  void ApplyInstallType(catalog::TDemos& item);
  void DetectTestFile(catalog::TDemos& item);
  void DetectSierraDir(catalog::TDemos& item);
  void UpdatePresence(catalog::TDemos& item);

  // The folder detection methods, one per DirDetect value (dir_detect.cpp).
  void DetectDir(catalog::TDemos& item);
  std::string AppPathFromRegistry(platform::RegRoot root, const catalog::TDemos& item);
  void DetectFromShortcut(catalog::TDemos& item);
  // Reads a shortcut file into `link`; false (and `link` cleared) when it cannot be read.
  bool ReadShortcut(std::string_view link_path, install::TLinkInfo& link);
  std::string PrivateIniValue(std::string_view param);
  // The absolute DOS path of a file that detection reads for the catalog, when a Windows program of the disc
  // could name it: "." and ".." resolved, on a drive of the machine (never one that shows the host's own
  // files). nullopt otherwise.
  std::optional<std::string> ReadablePath(std::string_view path);
  void DetectFromTextFile(catalog::TDemos& item);

  // "UninstallString" of the item's uninstall registry key; empty when the key or value is missing.
  std::string ReadUninstallString(std::string_view reg_uninstall);
  // Reads "UninstallString" into UnInstallName only while that is empty.
  void FillUninstallerOnce(catalog::TDemos& item);
  std::string WorkingDirOf(std::string_view command);

  platform::Platform& platform_;
  const SystemFolders& folders_;
  std::string disc_root_;
  platform::CodePage code_page_;
  InstallStore store_;
};

}  // namespace norva::installed
