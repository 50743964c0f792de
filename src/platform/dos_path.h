// DOS path texts taken apart into a drive letter and normalised components.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace norva::platform {

struct DosPath {
  char drive = 'C';                     // 'A'..'Z'
  std::vector<std::string> components;  // no empty, "." or ".." entries; ANSI, case as given
};

// Resolves `text` against `current` (the current directory): "X:\a" is absolute, "\a" is on the current
// drive, "a" and "X:a" (on the current drive) are relative to the current directory, "X:a" on another drive
// is relative to that drive's root. Both '\' and '/' separate; "." is dropped and ".." never climbs above the
// root. "\\?\X:\..." and "\\.\X:\..." name the plain path. Other UNC paths ("\\server\share") and texts
// without a usable drive give nullopt: the machine has no network drives.
std::optional<DosPath> ParseDosPath(std::string_view text, const DosPath& current);

// "C:\" for a drive root, else "C:\a\b" (no trailing backslash).
std::string FormatDosPath(const DosPath& path);

}  // namespace norva::platform
