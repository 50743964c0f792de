// What an item's install type, detection rule and uninstall commands need, judged by the menu's rules and
// the guards the uninstall applies (protected folders and registry keys).
#pragma once

#include "catalog/catalog.h"
#include "check/findings.h"
#include "platform/ini_file.h"

namespace norva::check {

void CheckInstallRules(platform::IniFile& ini, const catalog::Catalog& catalog, Findings& out);

}  // namespace norva::check
