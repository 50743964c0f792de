// How the catalog's `Uninstall` field reads: the marks in front of its list and the command, target and
// argument of each entry. The uninstall carries the entries out; the catalog check reads them with the same
// rules, so that both agree on what an entry means and on which are ignored.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/registry.h"

namespace norva::menu {

// The marks in front of the list, as the uninstall of an item of `install_type` takes them:
//   "SETUP"  types 4, 5 and 7: the item's setup (InstallDir\InstallName, on the disc) is its uninstaller;
//   '?'      types 2, 4, 5 and 7: the G, S and (not for type 2) P entries also tell where the uninstaller
//            lies;
//   '!'      types 4, 5 and 7, after a '?' if any: no uninstaller is started;
//   '*'      after those marks, any type: skipped before the commands run.
// Other types take no mark: their list is run as it stands after a '*'. Views into `list`.
struct UninstallList {
  bool setup = false;
  bool locate = false;
  bool locate_shortcuts = false;  // the locating pass reads P entries too
  bool no_uninstaller = false;
  std::string_view locate_entries;  // the list the locating pass reads (after the '?')
  std::string_view commands;        // the list whose entries are carried out
};
UninstallList ParseUninstallList(std::string_view list, int install_type);

enum class UninstallOp : std::uint8_t {
  kIgnored,               // an unknown letter or second letter, or nothing after it: the entry does nothing
  kDeleteTree,            // D?path DCpath DG DGpath: ask, then delete the folder tree
  kDeleteEmptyBranch,     // DE DEFpath: remove the folder and its parents while they are empty
  kDeleteFile,            // F<place>path
  kDeleteKey,             // R<root>D\key: the key with its subkeys
  kDeleteEmptyKey,        // R<root>E\key: the key when it has no subkeys
  kDeleteValue,           // R<root>F\key|value
  kDeleteDesktopFile,     // SDpath
  kDeleteConvertedGroup,  // SFmap|groupfile
  kDeleteStartGroup,      // SNgroup
  kRunSystemUninstaller,  // USprogram
  kRunKeyUninstaller,     // UUsubkey
};

struct UninstallEntry {
  UninstallOp op = UninstallOp::kIgnored;
  std::string_view arg;   // after the command letter ("?:\X", "G", "EFpath", "Wfile.ini", "MD\KEY")
  std::string_view rest;  // after the second letter (for R after the root and the operation)
  platform::RegRoot root = platform::RegRoot::kCurrentUser;  // R: M the local machine, else the user
  std::string key;  // R: the key from its root, with a leading '\' ("MDSOFTWARE\X" gives "\SOFTWARE\X")
  // RxF: the value name after the bar (up to kValueNameLimit characters); nothing without a bar.
  std::optional<std::string> value;
};

// Value names after the bar of RxF and group files of SF are read up to this length.
inline constexpr std::size_t kValueNameLimit = 30;

// `entry` is one field of the list, as SplitFields cuts it. Views into `entry`.
UninstallEntry ParseUninstallEntry(std::string_view entry);

// The folder a kDeleteTree or kDeleteEmptyBranch entry aims at, for an item installed in `installed_dir`
// ("C:\Games\X") with Program Files in `program_files` ("C:\Program Files\"). `resolve`: the path still holds
// the entry's own text below the item's folder, whose ".." are to be resolved before use.
struct FolderTarget {
  std::string path;
  bool resolve = false;
};
// Nothing when the entry needs the item's folder to find its drive and the folder is not known (D?), for an
// empty branch that names no drive path, and for any other operation.
std::optional<FolderTarget> UninstallFolderTarget(const UninstallEntry& entry, std::string_view installed_dir,
                                                  std::string_view program_files);

}  // namespace norva::menu
