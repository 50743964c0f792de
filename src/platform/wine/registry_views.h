// The 32-bit view of the registry of a 64-bit Windows machine. The menu and nearly every installer on a disc
// are 32-bit programs: on a 64-bit prefix their HKEY_LOCAL_MACHINE\Software keys live below
// Software\Wow6432Node, and their class keys below Software\Classes\Wow6432Node.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace norva::platform::wine {

// The key paths (relative to the machine branch, '\' between components, no leading or trailing '\') where a
// key of HKEY_LOCAL_MACHINE is looked for, in order: on a 64-bit machine the 32-bit view first, then the key
// as a 64-bit program sees it (a 64-bit installer's key). A path that already names Wow6432Node, and keys
// outside Software, have one place only.
std::vector<std::string> MachineKeyViews(std::string_view path, bool win64);

// The same for a key below Software\Classes of either branch (`path` relative to Software\Classes).
std::vector<std::string> ClassesKeyViews(std::string_view path, bool win64);

// The same for HKEY_CURRENT_USER: only its class keys have a 32-bit view.
std::vector<std::string> UserKeyViews(std::string_view path, bool win64);

// Whether the text of a machine registry file (system.reg) says it belongs to a 64-bit prefix: an
// "#arch=win64" line before the first key.
bool IsWin64RegistryText(std::string_view head);

}  // namespace norva::platform::wine
