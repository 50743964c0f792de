// Where the disc is: the drive of the menu's own program, or, for a copy started from C:, the first drive
// from D: to Z: that holds both \NORVA.EXE and \Norva\NORVAXP.ini.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace norva::menu {

// The drive part of a DOS path ("D:" of "D:\NORVA.EXE"); empty when the path has none.
std::string DrivePart(std::string_view path);

// The disc's drive without backslash ("D:"), or nullopt when a copy on C: finds no disc. Started from any
// other drive, that drive is taken without checking; the comparison with "C:" is exact (a "c:" does not
// scan).
std::optional<std::string> LocateDisc(std::string_view program_path, platform::FileSystem& files);

}  // namespace norva::menu
