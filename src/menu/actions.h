// What the action buttons do: Play installs or runs the selected item (or plays, opens, installs by page),
// Readme opens its readme, Web its home page; the quick-run icon of a list row runs that row's item. Running
// an item (RunProc) offers the version choice of a GameName list; LaunchItemFile opens media files with the
// system's player and waits for disc programs that leave a marker file, detecting the item again after.
#pragma once

#include <string>
#include <string_view>

#include "catalog/records.h"

namespace norva::menu {

class MainForm;

class Actions {
 public:
  // The form owns this object and outlives it.
  explicit Actions(MainForm& form) : form_(form) {}

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

  MainForm& form_;
};

}  // namespace norva::menu
