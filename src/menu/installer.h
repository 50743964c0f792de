// The install procedure: installs one catalog item by its InstallType (run its setup from the disc and wait,
// start it and poll until the item shows up, or let the user choose a folder and unpack its archive there),
// then detects the item again, which records it in the install store, and puts the page and item back.
// Only one install or uninstall runs at a time; a second request while one waits is ignored.
#pragma once

#include <string>

#include "catalog/records.h"
#include "components/window.h"
#include "menu/main_controls.h"
#include "menu/menu_services.h"
#include "menu/menu_state.h"
#include "menu/page_kinds.h"

namespace norva::menu {

class DirChooser;
class ItemList;
class Launchers;
class PageView;
class Pages;
class Redetection;

class Installer {
 public:
  // The objects this one works with; all are the form's and outlive this object.
  struct Parts {
    Launchers& launchers;
    Redetection& redetection;
    ItemList& list;
    Pages& pages;
    PageView& view;
  };

  Installer(Services services, MainControls& controls, const components::Window& window,
            const Appearance& look, Selection& selection, const MenuFiles& files, PageData data,
            Activity& activity, Parts parts)
      : services_(services),
        controls_(controls),
        window_(window),
        look_(look),
        selection_(selection),
        files_(files),
        data_(data),
        activity_(activity),
        parts_(parts) {}

  // Assigns the install poll (the form's Timer1).
  void Wire();

  void InstallProc(catalog::TDemos& item);
  // The poll of a started setup (every 3 s while enabled): detects the saved item and stops once it is
  // runnable.
  void Timer1Timer();

  // Page and item at the start of the last install, and the folder chosen for an archive item.
  int SavedItem = 0;
  int SavedPageKind = 0;
  std::string ChosenDir;

 private:
  // Install types 2 and 3: folder, free space, unpacking, store entry, the item's own setup.
  void UnpackInstall(catalog::TDemos& item);
  // When the catalog's unpacked size is above the free space of the chosen folder's drive, asks whether to
  // go on; false when the answer is No.
  bool EnoughSpaceOrGoOn(const catalog::TDemos& item);
  // The folders the chooser made for this install, removed again as far as they are empty.
  void RemoveCreatedDirs(const DirChooser& chooser);
  // Install type 5 with SearchFile: the folder of the installed program, from the default folder or a
  // search of the fixed and removable drives.
  void SearchInstalled(catalog::TDemos& item);
  void WriteDirEntry(const catalog::TDemos& item);
  // Back to the page and item of the install's start.
  void RestorePage();
  // The record of a page kind's array at `index`, or null.
  catalog::TDemos* RecordOf(int page, int index);

  Services services_;
  MainControls& controls_;
  const components::Window& window_;
  const Appearance& look_;
  Selection& selection_;
  const MenuFiles& files_;
  PageData data_;
  Activity& activity_;
  Parts parts_;
};

}  // namespace norva::menu
