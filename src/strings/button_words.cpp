#include "strings/button_words.h"

#include <array>
#include <string_view>

#include "platform/code_page.h"
#include "strings/edition_code_page.h"

namespace norva::strings {
namespace {

// By language (0 English, 1 Czech, 2 Turkish, 3 Romanian, 4 Slovak, 5 German, 6 Indonesian): OK, Cancel,
// Yes, No in UTF-8.
constexpr std::array<std::array<std::string_view, 4>, 7> kWords = {{
    {"OK", "Cancel", "Yes", "No"},
    {"OK", "Storno", "Ano", "Ne"},
    {"Tamam", "\xC4\xB0ptal", "Evet", "Hay\xC4\xB1r"},
    {"OK", "Anulare", "Da", "Nu"},
    {"OK", "Zru\xC5\xA1i\xC5\xA5", "\xC3\x81no", "Nie"},
    {"OK", "Abbrechen", "Ja", "Nein"},
    {"OK", "Batal", "Ya", "Tidak"},
}};

}  // namespace

std::string ButtonText(int language, ButtonWord word) {
  const bool known = language >= 0 && language < static_cast<int>(kWords.size());
  const std::string_view utf8 =
      kWords[static_cast<std::size_t>(known ? language : 0)][static_cast<std::size_t>(word)];
  return platform::Utf8ToAnsi(utf8, EditionCodePage(language));
}

}  // namespace norva::strings
