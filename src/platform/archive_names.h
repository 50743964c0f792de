// Which archive entry names may be written below a target folder. An archive is outside data: a name that
// climbs out of the target ("..\..\windows\x"), starts at a root or a drive ("\x", "C:x"), names a device
// ("CON", "nul.txt", "COM1") or a stream ("a:b"), or a link whose target leads out, must never reach the
// file system.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace norva::platform {

// True for the DOS device names (CON, PRN, AUX, NUL, COM1..COM9, LPT1..LPT9, CONIN$, CONOUT$, CLOCK$), with
// or without an extension, in any letter case and with trailing blanks or dots.
bool IsDeviceName(std::string_view component);

// The folder components of an entry name ('/' or '\' between them; "." components dropped), or nothing when
// the name is empty, absolute, has a drive or stream colon, a ".." component, a device name, a control
// character, or a component longer than 255 bytes.
std::optional<std::vector<std::string>> SafeEntryPath(std::string_view name);

// Whether a symbolic link stored as entry `entry` (its components, see SafeEntryPath) with the target
// `target` (relative to the link's folder) resolves inside the target folder, whatever other links lie
// there. Refused: absolute targets, drive letters, targets that climb above the root, and ".." anywhere but
// at the start of the target.
bool LinkStaysInside(const std::vector<std::string>& entry, std::string_view target);

}  // namespace norva::platform
