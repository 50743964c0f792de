// The main window of the menu: it owns the menu's state (in its typed parts), its controls and its behaviour
// objects, and does the start-up, the catalog load and the end of the program. The behaviour of the screen
// is split into cohesive objects; the form gives each the state and the services it uses and wires them
// together.
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
#include "menu/host.h"
#include "menu/main_controls.h"
#include "menu/menu_services.h"
#include "menu/menu_state.h"
#include "menu/page_kinds.h"
#include "menu/page_view.h"
#include "menu/redetection.h"
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
class Launchers;
class PageIcons;

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

  // Told the edition's code page once the catalog is read (the machine's texts follow it).
  std::function<void(platform::CodePage)> OnAnsiCodePage;

  // The state, in its parts.
  Selection& selection() { return selection_; }
  const Selection& selection() const { return selection_; }
  Appearance& look() { return look_; }
  const Appearance& look() const { return look_; }
  Settings& settings() { return settings_; }
  const Settings& settings() const { return settings_; }
  MenuFiles& files() { return files_; }
  const MenuFiles& files() const { return files_; }
  InstalledRows& installed_rows() { return installed_rows_; }
  const InstalledRows& installed_rows() const { return installed_rows_; }
  PictureState& picture_state() { return picture_state_; }
  const PictureState& picture_state() const { return picture_state_; }
  Activity& activity() { return activity_; }
  const catalog::Catalog& catalog() const { return catalog_; }
  // The setters of the detail panel and detection update records in place.
  catalog::Catalog& catalog() { return catalog_; }
  // Installed detection of the loaded issue; null before the catalog is read.
  catalog::InstalledDetector* detector() { return files_.Detector; }

  const MainControls& controls() const { return controls_; }
  MainControls& controls() { return controls_; }
  components::Window& window() { return window_; }
  const components::Window& window() const { return window_; }
  Host& host() { return host_; }
  const platform::Platform& platform() const { return platform_; }
  const strings::Messages& messages() const { return messages_; }
  Services services() { return {platform_, host_, messages_}; }
  // The front end's picture decoder; not owned, must outlive the form. Null: pictures are only checked for
  // being there, not decoded.
  void SetImageLoader(components::ImageLoader* loader);
  components::ImageLoader* image_loader() const;

  // The behaviour objects.
  DetailPanel& panel() { return *panel_; }
  Pictures& pictures() { return *pictures_; }
  menu::Pages& pages() { return *pages_; }
  PageScreens& page_screens() { return *page_screens_; }
  ItemList& item_list() { return *item_list_; }
  ListInput& list_input() { return *list_input_; }
  KeyFocus& key_focus() { return *key_focus_; }
  const KeyFocus& key_focus() const { return *key_focus_; }
  IconColumn& icon_column() { return *icon_column_; }
  WindowEffects& effects() { return *effects_; }
  SettingsPage& settings_page() { return *settings_page_; }
  Music& music() { return *music_; }
  const Music& music() const { return *music_; }
  InstalledPage& installed_page() { return *installed_page_; }
  Actions& actions() { return *actions_; }
  Installer& installer() { return *installer_; }
  Uninstaller& uninstaller() { return *uninstaller_; }
  PageView& view() { return view_; }
  PageIcons& page_icons() { return *page_icons_; }
  Redetection& redetection() { return redetection_; }
  // Starting programs and documents on this machine, from this disc (made on demand: it keeps no state).
  // Launches that fail for a reason of the machine are told in a message box.
  install::Launcher launcher();

 private:
  void LoadData();
  void ReadSettings();
  void RegisterFonts();
  void UnregisterFonts();
  void SetTitle();
  void WireHandlers();
  // Makes the behaviour objects, each given the state and the services it uses.
  void Assemble();
  // Ends the run with an error box (no disc, no catalog).
  void Fail(std::string_view text);

  platform::Platform& platform_;
  Host& host_;
  components::Clock& clock_;
  catalog::InstalledDetector* given_detector_;
  std::unique_ptr<installed::Detector> own_detector_;
  components::Window window_;
  MainControls controls_;
  catalog::Catalog catalog_;
  strings::Messages messages_;
  std::vector<std::string> registered_fonts_;
  bool terminated_ = false;
  int exit_code_ = 0;

  Selection selection_;
  Appearance look_;
  Settings settings_;
  MenuFiles files_;
  InstalledRows installed_rows_;
  PictureState picture_state_;
  Activity activity_;

  Redetection redetection_{files_};
  ListAndPanel view_;
  std::unique_ptr<Launchers> launchers_;
  std::unique_ptr<PageIcons> page_icons_;
  std::unique_ptr<WindowEffects> effects_;
  std::unique_ptr<Music> music_;
  std::unique_ptr<Pictures> pictures_;
  std::unique_ptr<ItemList> item_list_;
  std::unique_ptr<SettingsPage> settings_page_;
  std::unique_ptr<DetailPanel> panel_;
  std::unique_ptr<InstalledPage> installed_page_;
  std::unique_ptr<PageScreens> page_screens_;
  std::unique_ptr<menu::Pages> pages_;
  std::unique_ptr<IconColumn> icon_column_;
  std::unique_ptr<KeyFocus> key_focus_;
  std::unique_ptr<ListInput> list_input_;
  std::unique_ptr<Installer> installer_;
  std::unique_ptr<Actions> actions_;
  std::unique_ptr<Uninstaller> uninstaller_;
};

}  // namespace norva::menu
