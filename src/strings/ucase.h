// National upper-casing of catalog captions (Central European code page).
#pragma once

#include <string>
#include <string_view>

namespace norva::strings {

// Upper-cases a..z and the fourteen lower-case letters of Czech and Slovak that Windows-1250 holds
// (š ť ž á č é ě í ň ó ř ů ú ý); every other byte stays as it is. Texts of any length are handled whole.
std::string UCase(std::string_view text);

}  // namespace norva::strings
