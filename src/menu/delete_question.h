// The question before a folder is deleted with everything in it: asked after a broken-off unpacking and by
// the uninstall procedure.
#pragma once

#include <string_view>

namespace norva::menu {

class MainForm;

// Nothing when `dir` is empty or no folder. Otherwise asks message 11 ("Would you like to delete all files
// in %1 ?") with the upper-cased folder as a Yes/No confirmation and, on Yes, removes the tree through the
// guarded file-tree utilities (a protected folder stays whatever the answer).
void DeleteQuestion(MainForm& form, std::string_view dir);

}  // namespace norva::menu
