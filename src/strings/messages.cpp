#include "strings/messages.h"

#include <array>

#include "platform/code_page.h"
#include "strings/edition_code_page.h"
#include "strings/message_tables.h"

namespace norva::strings {
namespace {

constexpr int kLastNumber = 699;

// Every compiled-in text as Windows-1250 bytes, indexed by message number. Built on first use: the sources
// hold UTF-8, the program hands out ANSI.
const std::array<std::string, kLastNumber + 1>& AnsiTable() {
  static const auto table = [] {
    std::array<std::string, kLastNumber + 1> result;
    for (int language = 0; language <= 6; ++language) {
      for (const MessageText& message : BuiltInMessages(language)) {
        result[language * 100 + message.offset] =
            platform::Utf8ToAnsi(message.utf8, platform::CodePage::kCentralEuropean);
      }
    }
    return result;
  }();
  return table;
}

// Turkish texts of messages newer than the Turkish discs' strings.ini; a strings.ini key of the same number
// wins over them.
constexpr MessageText kTurkishFallbacks[] = {
    {51, "%1 i\xC3\xA7inde yeterli bo\xC5\x9F alan yok (%2 MB gerekli). Yine de kurulsun mu?"},
    {52,
     "Windows programlar\xC4\xB1 bu bilgisayarda \xC3\xA7"
     "al\xC4\xB1\xC5\x9F"
     "amaz: Wine kurulu "
     "de\xC4\x9Fil. Wine'\xC4\xB1 kurun (Debian veya Ubuntu'da: sudo apt-get install wine) ve yeniden "
     "deneyin."},
    {53,
     "%1 32 bitlik bir Windows program\xC4\xB1"
     "d\xC4\xB1r, ancak Wine'\xC4\xB1n 32 bitlik "
     "b\xC3\xB6l\xC3\xBCm\xC3\xBC kurulu de\xC4\x9Fil. Onu kurun (Debian veya Ubuntu'da: sudo dpkg "
     "--add-architecture i386 && sudo apt-get update && sudo apt-get install wine32:i386) ve yeniden "
     "deneyin."},
    {54,
     "%1, Wine'\xC4\xB1n \xC3\xA7"
     "al\xC4\xB1\xC5\x9Ft\xC4\xB1rabilece\xC4\x9Fi bir Windows "
     "program\xC4\xB1 de\xC4\x9Fil (bir DOS program\xC4\xB1 veya bozuk bir dosya)."},
    {55,
     "Kurulum ba\xC5\x9F"
     "ar\xC4\xB1s\xC4\xB1z: %1 i\xC3\xA7inde hi\xC3\xA7"
     "bir dosya olu\xC5\x9Fturulamad\xC4\xB1 (klas\xC3\xB6r salt okunur veya yazmaya kar\xC5\x9F\xC4\xB1 "
     "korumal\xC4\xB1)."},
};

// Marks a key that strings.ini does not have (no real text starts with this byte).
constexpr const char* kMissing = "\x01";

std::string TurkishFallback(int number) {
  for (const MessageText& message : kTurkishFallbacks) {
    if (kTurkishEdition * 100 + message.offset == number) {
      return platform::Utf8ToAnsi(message.utf8, platform::CodePage::kTurkish);
    }
  }
  return {};
}

}  // namespace

std::span<const MessageText> BuiltInMessages(int language) {
  switch (language) {
    case 0:
      return EnglishMessages();
    case 1:
      return CzechMessages();
    case 3:
      return RomanianMessages();
    case 4:
      return SlovakMessages();
    case 5:
      return GermanMessages();
    case 6:
      return IndonesianMessages();
    default:
      return {};
  }
}

void Messages::SetEdition(int edition, platform::IniFile* strings_ini) {
  edition_ = edition;
  strings_ini_ = strings_ini;
}

std::string Messages::LoadString(int number) const {
  if (edition_ == kTurkishEdition) {
    // Not cached: the file is the edition's data and is read each time a text is shown.
    if (strings_ini_ == nullptr) return TurkishFallback(number);
    std::string text = strings_ini_->ReadString("MAIN", "A" + std::to_string(number), kMissing);
    return text == kMissing ? TurkishFallback(number) : text;
  }
  if (number < 1 || number > kLastNumber) return {};
  return AnsiTable()[number];
}

std::string Messages::LoadSpecial(int number, std::string_view value) const {
  std::string text = LoadString(number);
  const std::size_t at = text.find("%1");
  if (at != std::string::npos) text.replace(at, 2, value);
  return text;
}

}  // namespace norva::strings
