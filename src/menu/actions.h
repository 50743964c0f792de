// What the action buttons do: Play installs or runs the selected item (or plays, opens, installs by page),
// Readme opens its readme, Web its home page; the quick-run icon of a list row runs that row's item. Running
// an item (RunProc) offers the version choice of a GameName list; LaunchItemFile opens media files with the
// system's player and waits for disc programs that leave a marker file, detecting the item again after.
#pragma once

#include <string>
#include <string_view>

#include "catalog/records.h"
#include "menu/main_controls.h"
#include "menu/menu_services.h"
#include "menu/menu_state.h"
#include "menu/page_kinds.h"

namespace norva::menu {

class Installer;
class Launchers;
class Music;
class PageView;
class Redetection;
class SettingsPage;

class Actions {
 public:
  // The objects this one works with; all are the form's and outlive this object.
  struct Parts {
    Launchers& launchers;
    Music& music;
    Installer& installer;
    SettingsPage& settings_page;
    Redetection& redetection;
    PageView& view;
  };

  Actions(Services services, MainControls& controls, const Appearance& look, const Selection& selection,
          const MenuFiles& files, PageData data, Parts parts)
      : services_(services),
        controls_(controls),
        look_(look),
        selection_(selection),
        files_(files),
        data_(data),
        parts_(parts) {}

  // Assigns the clicks of the three panel buttons and of the quick-run icons, and the icons' hover pictures.
  void Wire();

  void PlayDIBImageClick();
  void ReadmeDIBImageClick();
  void WebDIBImageClick();
  // Row button n (1..10).
  void PlayClick(int n);
  // The item at `index` of the page shown: run on the Demos, Readers and Fulls pages, the settings switch
  // of that row on the Settings page, nothing elsewhere.
  void QuickRun(int index);
  void RunProc(catalog::TDemos& item);
  void LaunchItemFile(catalog::TDemos& item, std::string_view path);

 private:
  // Runs the item when it is runnable, else installs it.
  void InstallOrRun(catalog::TDemos& item);
  // The selected record of a page of program-like records (Demos, Extra, Readers, Fulls, Extra2,
  // Installed), or null.
  catalog::TDemos* SelectedProgram();
  // The program the user wants of a GameName list ("a.exe:Label;b.exe:Label" or "a.exe:b.exe"), or empty
  // when none exists or none was chosen.
  std::string ChooseProgram(const catalog::TDemos& item);

  Services services_;
  MainControls& controls_;
  const Appearance& look_;
  const Selection& selection_;
  const MenuFiles& files_;
  PageData data_;
  Parts parts_;
};

}  // namespace norva::menu
