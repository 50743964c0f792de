// The detail panel's date text for any catalog Date code, in every interface language (Turkish with its
// names from a strings.ini made of the rest of the input).
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "document_ini_file.h"
#include "menu/date_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::size_t cut = bytes.find('\n');
  const std::string_view code = bytes.substr(0, cut);
  norva::fuzz::DocumentIniFile strings_ini(cut == bytes.npos ? std::string_view() : bytes.substr(cut + 1));
  for (int language = 0; language <= 7; ++language) {
    norva::strings::Messages messages;
    messages.SetEdition(language > 6 ? 1 : language, &strings_ini);
    norva::menu::CreateDate(code, language, messages);
  }
  return 0;
}
