// Text helpers that turn a catalog command text into what a launch needs: a working directory, the text
// without quotes or arguments, the folder named by an uninstaller's command line. Texts are ANSI paths in DOS
// form.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace norva::install {

// Answers whether a DOS path names an existing file (trailing blanks are not part of the name).
using FileExistsFn = std::function<bool(std::string_view dos_path)>;

// The text without any double quote.
std::string StripQuotes(std::string_view text);

// A text that holds both a blank and a "." is cut three characters after its first "." (program plus a
// three-letter extension); any other text comes back whole.
std::string StripArguments(std::string_view text);

// The working directory for a command text: the folder of its program (".EXE", ".BAT" or ".COM") when that
// exists, else the folder of the whole text; a text naming none of them is its own directory; "C:\" when
// nothing is left; programs in a "\BIN\WIN32" folder start two folders up. Empty only for an empty text.
std::string WorkingDirOf(std::string_view text, const FileExistsFn& file_exists);

// The folder (with trailing backslash) of the log or data file named on an uninstaller's command line
// ("UNINST.EXE -f"C:\Game\uninst.log" -c"x"", or a quoted uninstaller, its UNINST0.000 file and a quoted
// folder). Empty for an empty text or when no backslash is left.
std::string DirFromUninstallString(std::string_view cmd);

// Everything up to and including the last backslash; empty when there is none.
std::string DirectoryPart(std::string_view path);

// The text with ASCII letters upper-cased (the extension tests of the launch operations).
std::string UpperAscii(std::string_view text);

}  // namespace norva::install
