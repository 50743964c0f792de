// The question before a folder is deleted with everything in it: asked after a broken-off unpacking and by
// the uninstall procedure.
#pragma once

#include <string_view>

#include "installed/system_folders.h"
#include "menu/menu_services.h"
#include "menu/menu_state.h"

namespace norva::menu {

// Nothing when `dir` is no folder, is not given from a drive's root ("C:\..."), or is a folder that is never
// deleted (a drive root, a machine folder, one that holds such a folder). Otherwise asks message 11 of the
// interface language ("Would you like to delete all files in %1 ?") with the upper-cased folder as a Yes/No
// confirmation and, on Yes, removes the tree through the guarded file-tree utilities.
void DeleteQuestion(Services services, const Appearance& look, const installed::SystemFolders& folders,
                    std::string_view dir);

}  // namespace norva::menu
