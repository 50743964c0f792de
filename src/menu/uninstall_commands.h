// The uninstall command language of the catalog's `Uninstall` field: a list of entries (cut apart as
// SplitFields does) whose first letter is the command and the rest its argument.
//
//   D?path DCpath DG DGpath DE DEFpath   ask and delete a folder tree, or remove empty folders upward
//   F<place>path                         delete one file (place: ? C D G P S W, others as C)
//   R<root><op>\key[|value]              registry: root M (local machine) or any other letter (current
//                                        user); op D key with subkeys, E key without subkeys, F one value
//   SDpath SFmap|groupfile SNgroup       desktop file, converted program group, Start-menu group
//   USprogram UUsubkey                   run an uninstaller from the system folder or the uninstall key
//
// Letters other than D, F, R, S and U, and unknown second letters, are ignored (ParseUninstallEntry reads
// the entries). Every deletion goes through
// the guarded file-tree utilities; a target that is no full drive path ("C:\...") is skipped, since it would
// be taken from the current folder (the disc). Registry keys less than three levels below their root, and
// the machine's shared keys, are never deleted.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "catalog/records.h"
#include "installed/system_folders.h"
#include "menu/menu_services.h"
#include "menu/menu_state.h"
#include "menu/uninstall_entry.h"

namespace norva::install {
class Launcher;
}

namespace norva::menu {

class UninstallCommands {
 public:
  // All are borrowed and must outlive this object. `debug_mode`: the catalog's debug mode, in which the
  // commands' notes are shown.
  UninstallCommands(Services services, const Appearance& look, const installed::SystemFolders& folders,
                    bool debug_mode, install::Launcher& launcher)
      : services_(services), look_(look), folders_(folders), debug_mode_(debug_mode), launcher_(launcher) {}

  // The uninstaller-locating pass over the entries of `list`: G + path gives InstalledDir\path, S + path
  // SystemDir + path and, with `shortcuts`, P + name the target and arguments of that Start-menu shortcut
  // (the user's, else the all users'). Each entry found sets the item's UnInstallName; the last one wins.
  void LocateUninstaller(catalog::TDemos& item, std::string_view list, bool shortcuts);

  // Carries out every entry of `list` in order for the item; a failing entry does not stop the list.
  void Run(const catalog::TDemos& item, std::string_view list);

 private:
  void Folder(const catalog::TDemos& item, const UninstallEntry& entry);
  void File(const catalog::TDemos& item, std::string_view arg);
  void Registry(const UninstallEntry& entry);
  void Shell(const UninstallEntry& entry);
  void Uninstaller(const UninstallEntry& entry);

  // Target and arguments of a shortcut in the user's, else the all users' Programs folder.
  std::optional<std::string> ShortcutCommand(std::string_view name);
  // The full path of a drive path ("C:\A\..\B" gives "C:\B"); any other text comes back unchanged.
  std::string FullPath(std::string_view text);
  // A plain message, shown only in the catalog's debug mode.
  void DebugNote(const std::string& text);

  Services services_;
  const Appearance& look_;
  const installed::SystemFolders& folders_;
  bool debug_mode_;
  install::Launcher& launcher_;
};

}  // namespace norva::menu
