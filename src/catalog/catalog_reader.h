// The catalog load's reading steps: the [Main] section and every content kind into a Catalog.
#pragma once

#include <functional>
#include <string_view>

#include "catalog/catalog.h"
#include "catalog/installed_detector.h"
#include "platform/ini_file.h"

namespace norva::catalog {

// Reads the catalog `ini` into `out`, replacing everything `out` held (a reload starts from scratch).
// `disc_root` is the disc's drive without a trailing backslash ("D:"), put in front of the items' disc
// folders. `detector`, when not null, is asked about every Reader and Full item as soon as the item is read;
// it is not kept. Counts above a kind's capacity are cut to it with a note in `out.notes`; negative counts
// read as 0. The window title, the store's disc label and the pages are the caller's business.
void ReadCatalog(platform::IniFile& ini, std::string_view disc_root, InstalledDetector* detector,
                 Catalog& out);

// The same, for a detector that depends on the issue: `detector_for` is called once, when the [Main] facts
// (issue code, edition) are in `out` and before any item is read; it may return null.
using DetectorFor = std::function<InstalledDetector*(const Catalog& main_facts)>;
void ReadCatalog(platform::IniFile& ini, std::string_view disc_root, const DetectorFor& detector_for,
                 Catalog& out);

}  // namespace norva::catalog
