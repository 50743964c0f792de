// The folders that no tree deletion may take: whatever a catalog or an uninstaller's text names, the
// machine's own folders stay.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "installed/system_folders.h"

namespace norva::installed {

class ProtectedFolders {
 public:
  // `folders` gives the Windows, system, Program Files, desktop and Start-menu folders; relative folder texts
  // are taken from `current_dir` (an absolute folder). Copies what it needs.
  ProtectedFolders(const SystemFolders& folders, std::string_view current_dir);

  // True when deleting the folder `path` would take a protected folder with it: a drive root, one of the
  // machine's folders, a profile root (X:\users\<name> on the Windows drive, and X:\users), the shared
  // folders of a 64-bit Windows on that drive (Program Files (x86), the Common Files folders, ProgramData,
  // users\Public, windows\syswow64), or a folder that holds any of these. A folder below a protected one is
  // not protected. Compared after `..` is resolved, without letter case, trailing backslashes, or the
  // trailing dots and blanks that Windows ignores. A text that names no drive path at all counts as
  // protected.
  bool Covers(std::string_view path) const;

 private:
  std::vector<std::string> Key(std::string_view path) const;

  std::string current_dir_;
  char windows_drive_ = 'C';
  std::vector<std::vector<std::string>> folders_;  // keys of the machine's folders
};

}  // namespace norva::installed
