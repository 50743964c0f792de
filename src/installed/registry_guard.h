// The registry keys that no uninstall command may delete: whatever a catalog says, the machine's own keys
// stay. Key paths are backslash-separated and taken from a root (HKEY_LOCAL_MACHINE or HKEY_CURRENT_USER).
#pragma once

#include <string_view>

namespace norva::installed {

// True when deleting `key` would take a key of the machine with it: a root itself, a key less than three
// levels below its root ("SOFTWARE\Vendor", "Software\Microsoft"), or one of the shared keys that many
// programs keep their entries under (the Uninstall, App Paths and Run keys of CurrentVersion, the
// Windows NT CurrentVersion keys, the COM registrations, Wine's own settings, the SYSTEM control sets) and
// every key above them. A "Wow6432Node" level (the 32-bit view written out) is not counted. Compared
// without letter case; empty levels ("\\") do not count.
bool IsProtectedRegistryKey(std::string_view key);

}  // namespace norva::installed
