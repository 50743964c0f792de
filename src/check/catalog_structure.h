// The catalog's own form: counts in [Main] against the sections present, duplicated sections and keys,
// misspelt keys, numbers, dates, the issue code and the [Updates] lines.
#pragma once

#include "catalog/catalog.h"
#include "check/findings.h"
#include "platform/ini_file.h"

namespace norva::check {

// `catalog` is what the menu's reader made of `ini`.
void CheckStructure(platform::IniFile& ini, const catalog::Catalog& catalog, Findings& out);

// True when the key has a value that the menu's integer reading does not take for a number (it then uses
// the key's default). A missing key or an empty value is no fault.
bool IsBadNumber(platform::IniFile& ini, std::string_view section, std::string_view key);

}  // namespace norva::check
