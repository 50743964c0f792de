// The catalog's texts as the window shows them: captions that the list rows and the detail panel's labels
// cut, descriptions that overflow their box, and bytes that have no character in the edition's code page.
#pragma once

#include "catalog/catalog.h"
#include "check/check_run.h"
#include "platform/ini_file.h"

namespace norva::check {

void CheckTexts(CheckRun& run, const catalog::Catalog& catalog);
// Every value of every section, byte by byte.
void CheckCodePage(CheckRun& run, platform::IniFile& ini);

}  // namespace norva::check
