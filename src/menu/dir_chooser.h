// The directory chooser: the modal dialog in which the user picks the folder an archive item is unpacked
// into. It suggests a folder on C: named after the item, offers the drives and the folder tree of the drive
// chosen, asks for confirmation, creates the folder with its missing parents and leaves the result in
// ChosenDir (empty when cancelled). Items with a forced folder cannot change it (at most its drive) and get
// the confirmation at once. The front end shows the fields below and calls the handlers.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/records.h"
#include "components/timer.h"
#include "components/window.h"
#include "menu/menu_services.h"
#include "menu/menu_state.h"
#include "menu/page_kinds.h"
#include "platform/drives.h"
#include "platform/file_system.h"

namespace norva::menu {

// Creates the folder `path` (an absolute DOS path) with every missing folder above it. When the folder
// itself cannot be made, the folders made on the way are removed again, newest first. True when the folder
// exists afterwards. `created` (may be null) gets the folders this call made, in order.
bool CreateDirChain(platform::FileSystem& files, std::string_view path, std::vector<std::string>* created);

class DirChooser {
 public:
  static constexpr int kWidth = 323;
  static constexpr int kHeight = 199;
  // Place of the dialog relative to the menu window's top-left corner.
  static constexpr int kOffsetLeft = 158;
  static constexpr int kOffsetTop = 129;

  struct DriveItem {
    char letter = 'C';
    platform::DriveType type = platform::DriveType::kFixed;
  };

  // The dialog's show (FormCreate): place (by the menu's window), suggestion, caption, drive C:, the forced
  // folder. `item` is the selected record of the page shown; all are borrowed for the dialog's life.
  DirChooser(Services services, const components::Window& window, const Appearance& look,
             const Selection& selection, const MenuFiles& files, const catalog::TDemos& item);

  // What the dialog shows.
  int Left = 0;  // screen position
  int Top = 0;
  int NightMode = 0;
  std::string Caption;
  std::string EditDir1;  // the folder text (ANSI)
  bool EditReadOnly = false;
  char Drive = 'C';             // DriveComboBox1
  std::string Folder = "C:\\";  // DirectoryListBox1's folder
  bool DriveListEnabled = true;
  bool FolderListEnabled = true;
  bool OKEnabled = true;
  bool CanAccept = true;
  std::string SuggestedName;
  components::Timer Timer1{"Timer1", 100};

  // The drive list's entries, and the subfolder names of a folder (for the folder tree), in name order.
  std::vector<DriveItem> Drives() const;
  std::vector<std::string> SubFolders(std::string_view folder) const;

  void FormActivate();
  void Timer1Timer();
  // A drive picked in the list; a drive that is not ready is refused with a message and the previous drive
  // stays. False when refused.
  bool DriveComboBox1Change(char letter);
  // A folder picked in the folder tree (an existing folder of the drive shown).
  void DirectoryListBox1Change(std::string_view folder);
  // The user typed into the edit field (ignored while it is read-only).
  void EditChange(std::string_view text);
  void OKButtonClick();
  void CancelButtonClick();

  bool Closed() const { return closed_; }
  // The accepted folder without trailing backslash; empty when cancelled.
  const std::string& ChosenDir() const { return chosen_dir_; }
  // The folders that the accepted OK created (to be removed again when the install does not go on).
  const std::vector<std::string>& CreatedDirs() const { return created_; }

 private:
  // The archive rules of the page shown.
  const ArchiveRules& Rules() const;
  bool Forced() const;
  // The edit text from the folder and the suggestion.
  void ResetEdit();
  // Whether a folder text names a place the menu may create: "X:\..." on a ready drive that is no CD-ROM.
  bool Creatable(std::string_view text) const;
  void Close(std::string chosen);

  Services services_;
  const Appearance& look_;
  const Selection& selection_;
  const MenuFiles& files_;
  const catalog::TDemos& item_;
  bool closed_ = false;
  std::string chosen_dir_;
  std::vector<std::string> created_;
};

}  // namespace norva::menu
