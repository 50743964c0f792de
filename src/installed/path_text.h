// Small operations on DOS path texts ("C:\GAMES\X"): backslash separators, a drive letter and colon in front.
// They look at the text only, never at the machine.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace norva::installed {

// A folder path with a trailing backslash; an empty path stays empty and a path that has one keeps it.
std::string PostFixDir(std::string_view path);

// The parent folder without a trailing backslash: "C:\GAMES\FOO\" and "C:\GAMES\FOO" give "C:\GAMES",
// "C:\GAMES" and "C:\" give "C:". A text without any backslash (and the empty text) gives the empty text.
std::string GetParentDir(std::string_view path);

// The part before the first ':' ("game.exe:Label" gives "game.exe"); all of the text when it has none.
std::string BeforeColon(std::string_view text);

// True for a text that names a folder or file from a drive's root ("C:\..." or "C:/..."), whatever the
// current folder is.
bool IsDrivePath(std::string_view text);

// The absolute form of `path`, as the machine resolves it: '/' counts as '\', "." and empty components go,
// ".." takes one component back (never above the drive root), and a path without a drive or root is taken
// relative to `current_dir` (an absolute folder such as "C:\" or "C:\NORVA"); "X:name" on another drive
// than the current one is relative to that drive's root. "\\?\" and "\\.\" in front of a drive path are
// dropped. The result is "C:\" for a drive root, else "C:\A\b" without a trailing backslash, with the drive
// letter upper-cased and the letter case of the components kept. nullopt for a network path ("\\server")
// and for texts without a usable drive.
std::optional<std::string> AbsoluteDosPath(std::string_view path, std::string_view current_dir);

}  // namespace norva::installed
