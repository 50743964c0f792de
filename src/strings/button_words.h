// The words on the buttons of the menu's message boxes, in each interface language. The program's string
// table has none of them (its boxes took the words of the Windows they ran on), so they are kept here, in the
// words the Windows of each language puts on its own boxes.
#pragma once

#include <string>

namespace norva::strings {

enum class ButtonWord { kOk, kCancel, kYes, kNo };

// The word as single-byte text in the language's code page (Windows-1254 for Turkish, 2; Windows-1250 for the
// others); the English word for a language the menu does not have.
std::string ButtonText(int language, ButtonWord word);

}  // namespace norva::strings
