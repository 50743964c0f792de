// The code page of an edition's texts (catalog, store, messages): Windows-1254 for the Turkish edition
// (`Edition` 2), Windows-1250 for the others. The interface language follows the edition, so the same holds
// for a language number.
#pragma once

#include "platform/code_page.h"

namespace norva::strings {

inline constexpr int kTurkishEdition = 2;

inline platform::CodePage EditionCodePage(int edition) {
  return edition == kTurkishEdition ? platform::CodePage::kTurkish : platform::CodePage::kCentralEuropean;
}

}  // namespace norva::strings
