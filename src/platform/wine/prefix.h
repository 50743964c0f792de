// The Wine prefix that stands for the Windows machine: where it is, the least layout it needs, and the
// drive letter of the disc. Errors come back as text; nothing here throws or ends the process.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace norva::platform::wine {

// `machine` when given, else `wineprefix` when set and not empty, else `home`/.wine. The two environment
// texts are passed in (nullptr when unset) so that callers decide where they come from.
std::filesystem::path ChoosePrefix(const std::optional<std::filesystem::path>& machine,
                                   const char* wineprefix, const char* home);
// The same, reading $WINEPREFIX and $HOME from the process environment.
std::filesystem::path ChoosePrefixFromEnvironment(const std::optional<std::filesystem::path>& machine);

// prefix/dosdevices and prefix/dosdevices/<lower-case letter>: (the link itself, not its target).
std::filesystem::path DosDevicesDir(const std::filesystem::path& prefix);
std::filesystem::path DriveLinkPath(const std::filesystem::path& prefix, char letter);

// Gives a folder that is not yet a prefix the least layout Wine itself would make: drive_c/windows/system32
// and, in a new dosdevices folder, the links c: -> ../drive_c and z: -> / (a dosdevices folder that exists
// only gets a missing c:). An existing prefix is left as it is. False with `error` set on failure.
bool EnsurePrefixLayout(const std::filesystem::path& prefix, std::string* error);

// The drive letter that shows the folder `disc`: a letter other than C: whose link already resolves to the
// same folder is reused; else the first letter from D: without any dosdevices entry gets a new link to the
// absolute path of `disc`; else the first letter whose link the menu made (see DriveLinkRecord) and whose
// folder is gone is given the new link. When `disc` is a mounted CD or DVD (see DiscDeviceOf, `mountinfo`),
// the letter's device link leads to its device. 0 with `error` set when `disc` is no folder or no letter is
// free.
char MapDisc(const std::filesystem::path& prefix, const std::filesystem::path& disc, std::string* error,
             const std::filesystem::path& mountinfo = "/proc/self/mountinfo");

// Whether the link of `letter` is one the menu made and that still leads where it was made to.
bool DriveLinkMadeByMenu(const std::filesystem::path& prefix, char letter);

}  // namespace norva::platform::wine
