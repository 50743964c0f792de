// The file-system path that a shortcut's shell item list names, where it names one.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/code_page.h"

namespace norva::install {

struct IdListPath {
  std::string path;            // in the ANSI code page asked for
  bool unicode_names = false;  // every name came from UTF-16 text (none from a stored ANSI name)
};

// Resolves an item list of the form My Computer, drive, folders and file (each folder or file by its long
// name when the item stores one). Anything else (lists rooted elsewhere such as the desktop or a known
// folder, network places, applications, damaged items) names no path we can form: nullopt.
// `items` is the list without its leading size field.
std::optional<IdListPath> ResolveIdListPath(std::string_view items, platform::CodePage code_page);

}  // namespace norva::install
