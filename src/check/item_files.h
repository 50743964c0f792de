// Every file and folder a catalog item names, looked up where the menu looks for it: setups, archives and
// what the archive must hold, readmes, programs run from the disc, films, update programs, pictures; and
// the menu's own files of the disc (fonts, music).
#pragma once

#include "catalog/catalog.h"
#include "check/check_run.h"

namespace norva::check {

void CheckItemFiles(CheckRun& run, const catalog::Catalog& catalog);

}  // namespace norva::check
