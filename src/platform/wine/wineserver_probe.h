// Whether a wineserver runs for a prefix, found the way Wine's own programs find it: its socket lies in a
// server folder named after the prefix folder's device and inode ("server-<dev>-<inode>", both in hex).
#pragma once

#include <filesystem>
#include <vector>

namespace norva::platform::wine {

// The places the server folder of `prefix` can be, most likely first: Debian's Wine names a private folder
// under $TMPDIR (else /tmp) in the prefix's file "wineserver"; Wine's own default is /tmp/.wine-<uid>/.
// Empty when the prefix folder does not exist.
std::vector<std::filesystem::path> WineserverFolders(const std::filesystem::path& prefix);

// True while a wineserver holds the prefix: its socket exists and its lock file is locked by a live process.
// The lock is tested rather than the socket connected to, which would register a client with the server and
// keep it alive. A stat and one lock query per folder: cheap enough to ask before every registry access.
bool WineserverRunning(const std::filesystem::path& prefix);

}  // namespace norva::platform::wine
