// The menu's state, in the parts its objects share. The form owns one of each; every behaviour object is
// given the parts it reads or changes, and nothing else.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "catalog/installed_detector.h"
#include "installed/system_folders.h"
#include "platform/ini_file.h"

namespace norva::menu {

// One entry of the page list.
struct TPage {
  std::string Caption;
  std::uint8_t Kind = 0;
};

// What the screen shows: the page, its list window over the page's items (1-based), and the page-icon
// column.
struct Selection {
  int PageKind = 0;
  int TopIndex = 1;
  int ItemIndex = 1;
  // The selection before a type-ahead or a jump by ten.
  int PrevItemIndex = 0;
  int SelectedIcon = 0;
  int HoverIcon = 0;
  int PageIconCount = 0;
  // Pixels the page-icon column moves per tick.
  int IconScrollStep = 5;
  std::array<TPage, 16> Pages{};  // 1..15
};

// How the menu speaks and looks: the edition, its code page and language, the colour scheme, the titles.
struct Appearance {
  std::string AppTitle = "Norva CD v2";
  std::string Caption;
  int Edition = 0;
  int Language = 0;
  int NightMode = 0;
  int StartHour = 0;
};

// The three switches of the Settings page, as the store keeps them.
struct Settings {
  std::int32_t EnhancedSetting = 1;
  std::int32_t EffectsSetting = 0;
  std::int32_t MusicSetting = 1;
};

// Where the menu reads and writes: the disc, the machine's folders, the store, the catalog and the strings
// file, and the installed detection of the loaded issue.
struct MenuFiles {
  std::string DiscRoot;
  std::string NorvaDir;
  installed::SystemFolders Folders;
  std::unique_ptr<platform::IniFile> StoreIni;
  std::unique_ptr<platform::IniFile> CatalogIni;
  std::unique_ptr<platform::IniFile> StringsIni;
  // Null before the catalog is read.
  catalog::InstalledDetector* Detector = nullptr;
  // The command line's "T": the install procedure shows each install command before running it.
  bool ShowInstallCommands = false;
};

// The small picture and the gallery.
struct PictureState {
  int PictureCount = 0;
  int GalleryIndex = 0;
  bool SmallPictureLoaded = false;
  int PictureHover = 0;  // 1 while the pointer is over the small picture
};

// True while an install or an uninstall runs. Both may wait for a program with the window alive; a second
// install or uninstall is not started meanwhile (two at once could delete a folder the first still uses).
struct Activity {
  bool InstallOrUninstallRunning = false;
};

// Marks an install or uninstall as running for the length of a scope.
class RunningScope {
 public:
  explicit RunningScope(Activity& activity)
      : activity_(activity), before_(activity.InstallOrUninstallRunning) {
    activity_.InstallOrUninstallRunning = true;
  }
  ~RunningScope() { activity_.InstallOrUninstallRunning = before_; }
  RunningScope(const RunningScope&) = delete;
  RunningScope& operator=(const RunningScope&) = delete;

 private:
  Activity& activity_;
  bool before_;
};

}  // namespace norva::menu
