// The program records (`TDemos`) behind a page's rows: the catalog array of a content page, or the Installed
// page's own list.
#pragma once

#include "catalog/records.h"

namespace norva::menu {

class MainForm;

// The record at row `index` (1-based) of a page of that kind; null for a row past the page's count, and for a
// page whose rows are not programs (updates, pictures, films, settings).
catalog::TDemos* ProgramRecord(MainForm& form, int page_kind, int index);

}  // namespace norva::menu
