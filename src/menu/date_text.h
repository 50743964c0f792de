// The release date of the detail panel: the catalog's compact date code turned into words of the interface
// language.
#pragma once

#include <string>
#include <string_view>

#include "strings/messages.h"

namespace norva::menu {

// The date text, or the reason the code could not be read.
struct DateText {
  std::string text;   // upper-cased (a..z only), ANSI in the edition's code page
  std::string error;  // non-empty: a part of the code that should be a number is not one

  bool ok() const { return error.empty(); }
};

// `code` is the catalog's Date: two characters for the month part ("06", "1Q" for a season, "?" unknown, "00"
// out now), then the year ("03", "2004"). English, Czech, Romanian, Slovak and German (languages 0, 1, 3, 4,
// 5) use built-in names; Turkish (2) takes them from messages 301..318 of `messages`; any other language
// shows no date. A season code whose first character is not 1..4 shows the year alone.
DateText CreateDate(std::string_view code, int language, const strings::Messages& messages);

}  // namespace norva::menu
