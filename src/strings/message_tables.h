// The compiled-in message blocks, one per language whose edition carries its texts in the program. The
// Turkish block is not here: the Turkish edition reads its texts from strings.ini on the disc.
#pragma once

#include <span>
#include <string_view>

namespace norva::strings {

// One message of a block: its offset k (1..99) and its text in UTF-8. Offsets without an entry read as empty.
struct MessageText {
  int offset;
  std::string_view utf8;
};

std::span<const MessageText> EnglishMessages();
std::span<const MessageText> CzechMessages();
std::span<const MessageText> RomanianMessages();
std::span<const MessageText> SlovakMessages();
std::span<const MessageText> GermanMessages();
std::span<const MessageText> IndonesianMessages();

// The block of a language (0 English, 1 Czech, 3 Romanian, 4 Slovak, 5 German, 6 Indonesian); empty for
// Turkish (2) and for any other value. The texts are static and live for the whole run.
std::span<const MessageText> BuiltInMessages(int language);

}  // namespace norva::strings
