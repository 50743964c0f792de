// The main window of the menu: the menu's state, its controls, and the start-up, catalog load and end of the
// program. The behaviour of the screen is split into cohesive objects that this form wires together.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "catalog/catalog.h"
#include "catalog/installed_detector.h"
#include "components/clock.h"
#include "components/window.h"
#include "install/launcher.h"
#include "installed/detection.h"
#include "installed/system_folders.h"
#include "menu/host.h"
#include "menu/main_controls.h"
#include "platform/platform.h"
#include "strings/messages.h"

namespace norva::components {
class ImageLoader;
}

namespace norva::menu {

class DetailPanel;
class Pages;
class PageScreens;
class ItemList;
class ListInput;
class KeyFocus;
class IconColumn;
class Pictures;
class Music;
class SettingsPage;
class WindowEffects;
class InstalledPage;
class Actions;
class Installer;
class Uninstaller;

// One entry of the page list.
struct TPage {
  std::string Caption;
  std::uint8_t Kind = 0;
};

class MainForm {
 public:
  // The form uses, and does not own, the machine, the front end and the clock. Installed detection is the
  // form's own, made for each catalog load; a `detector` given here (by tests) is used instead.
  MainForm(platform::Platform& platform, Host& host, components::Clock& clock,
           catalog::InstalledDetector* detector);
  ~MainForm();
  MainForm(const MainForm&) = delete;
  MainForm& operator=(const MainForm&) = delete;

  // The start-up sequence: system facts, store, disc, fonts, settings. Ends the program (Terminated()) when
  // no disc is found.
  void FormCreate();
  // The first show: the catalog load. Ends the program when the catalog is missing.
  void FormShow();
  // Releases what the run registered: music, fonts, window shape.
  void FormDestroy();

  // The application gained or lost activation.
  void ApplicationActivate();
  void ApplicationDeActivate();

  void ExitButtonClick();
  void ExitSpotClick();
  void DebugLabel1Click();
  void DebugLabel2Click();

  // Empties the detail panel.
  void SetOff();
  // The Turkish edition's labels get the Turkish character set.
  void ChangeCharsets();
  // Item texts back to normal weight.
  void Unbold();

  bool Terminated() const { return terminated_; }
  int ExitCode() const { return exit_code_; }

  const MainControls& controls() const { return controls_; }
  MainControls& controls() { return controls_; }
  components::Window& window() { return window_; }
  const components::Window& window() const { return window_; }
  const catalog::Catalog& catalog() const { return catalog_; }
  // The setters of the detail panel and detection update records in place.
  catalog::Catalog& catalog() { return catalog_; }
  Host& host() { return host_; }
  // Installed detection of the loaded issue; null before the catalog is read.
  catalog::InstalledDetector* detector() { return detector_ ? detector_ : own_detector_.get(); }

  // Told the edition's code page once the catalog is read (the machine's texts follow it).
  std::function<void(platform::CodePage)> OnAnsiCodePage;

  DetailPanel& panel() { return *panel_; }
  Pictures& pictures() { return *pictures_; }
  menu::Pages& pages() { return *pages_; }  // qualified: `Pages` is also the page list
  PageScreens& page_screens() { return *page_screens_; }
  ItemList& item_list() { return *item_list_; }
  ListInput& list_input() { return *list_input_; }
  KeyFocus& key_focus() { return *key_focus_; }
  const KeyFocus& key_focus() const { return *key_focus_; }
  IconColumn& icon_column() { return *icon_column_; }
  // The front end's picture decoder; not owned, must outlive the form. Null: pictures are only checked for
  // being there, not decoded.
  void SetImageLoader(components::ImageLoader* loader) { image_loader_ = loader; }
  components::ImageLoader* image_loader() const { return image_loader_; }
  const platform::Platform& platform() const { return platform_; }
  const strings::Messages& messages() const { return messages_; }
  WindowEffects& effects() { return *effects_; }
  SettingsPage& settings() { return *settings_; }
  Music& music() { return *music_; }
  const Music& music() const { return *music_; }
  InstalledPage& installed_page() { return *installed_page_; }
  Actions& actions() { return *actions_; }
  Installer& installer() { return *installer_; }
  // Starting programs and documents on this machine, from this disc (made on demand: it keeps no state).
  // Launches that fail for a reason of the machine are told in a message box.
  install::Launcher launcher();
  Uninstaller& uninstaller() { return *uninstaller_; }

  // State, under the names of the window design.
  std::string AppTitle = "Norva CD v2";
  std::string Caption;
  std::string DiscRoot;
  std::string NorvaDir;
  installed::SystemFolders Folders;
  std::int32_t EnhancedSetting = 1;
  std::int32_t EffectsSetting = 0;
  std::int32_t MusicSetting = 1;
  int Edition = 0;
  int Language = 0;
  int NightMode = 0;
  int StartHour = 0;

  int PageKind = 0;
  int TopIndex = 1;
  int ItemIndex = 1;
  int SelectedIcon = 0;
  int HoverIcon = 0;
  int PageIconCount = 0;
  // The selection before a type-ahead or a jump by ten.
  int PrevItemIndex = 0;
  // Pixels the page-icon column moves per tick.
  int IconScrollStep = 5;
  std::array<TPage, 16> Pages{};  // 1..15
  int PictureCount = 0;
  int GalleryIndex = 0;
  bool SmallPictureLoaded = false;
  int PictureHover = 0;  // 1 while the pointer is over the small picture
  bool MusicReady = false;
  int CurrentTune = 0;  // 1 or 2 once a tune was set up
  // True while an install or an uninstall runs. Both may wait for a program with the window alive; a second
  // install or uninstall is not started meanwhile (two at once could delete a folder the first still uses).
  bool InstallOrUninstallRunning = false;
  // The command line's "T": the install procedure shows each install command before running it.
  bool ShowInstallCommands = false;

  // The Installed page's list: every program recorded in the store by any issue.
  catalog::Slots<catalog::TDemos, 50> InstalledList{};
  int InstalledCount = 0;

  std::unique_ptr<platform::IniFile> StoreIni;
  std::unique_ptr<platform::IniFile> CatalogIni;
  std::unique_ptr<platform::IniFile> StringsIni;

 private:
  void LoadData();
  void ReadSettings();
  void RegisterFonts();
  void UnregisterFonts();
  void SetTitle();
  void WireHandlers();
  // Ends the run with an error box (no disc, no catalog).
  void Fail(std::string_view text);

  platform::Platform& platform_;
  Host& host_;
  components::Clock& clock_;
  catalog::InstalledDetector* detector_;
  std::unique_ptr<installed::Detector> own_detector_;
  components::ImageLoader* image_loader_ = nullptr;
  components::Window window_;
  MainControls controls_;
  catalog::Catalog catalog_;
  strings::Messages messages_;
  std::vector<std::string> registered_fonts_;
  std::unique_ptr<DetailPanel> panel_;
  std::unique_ptr<Pictures> pictures_;
  std::unique_ptr<menu::Pages> pages_;
  std::unique_ptr<PageScreens> page_screens_;
  std::unique_ptr<ItemList> item_list_;
  std::unique_ptr<ListInput> list_input_;
  std::unique_ptr<KeyFocus> key_focus_;
  std::unique_ptr<IconColumn> icon_column_;
  bool terminated_ = false;
  int exit_code_ = 0;
  std::unique_ptr<WindowEffects> effects_;
  std::unique_ptr<SettingsPage> settings_;
  std::unique_ptr<Music> music_;
  std::unique_ptr<InstalledPage> installed_page_;
  std::unique_ptr<Actions> actions_;
  std::unique_ptr<Installer> installer_;
  std::unique_ptr<Uninstaller> uninstaller_;
};

}  // namespace norva::menu
