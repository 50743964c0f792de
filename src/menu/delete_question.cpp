#include "menu/delete_question.h"

#include <string>

#include "installed/file_tree.h"
#include "installed/path_text.h"
#include "menu/busy_cursor.h"
#include "menu/main_form.h"
#include "strings/ucase.h"

namespace norva::menu {
namespace {

constexpr int kDeleteAllFilesMessage = 11;

}  // namespace

void DeleteQuestion(MainForm& form, std::string_view dir) {
  installed::FileTree tree(form.platform().files, form.Folders);
  // A folder given from the current one would be looked for on the disc; a protected one is never deleted,
  // so it is not offered either.
  if (!installed::IsDrivePath(dir) || !tree.DirExists(dir) || tree.IsProtected(dir)) return;
  const std::string upper = strings::UCase(dir);
  const std::string text = form.messages().LoadSpecial(form.Language * 100 + kDeleteAllFilesMessage, upper);
  if (form.host().ShowMessage(MessageKind::kConfirmation, form.AppTitle, text, MessageButtons::kYesNo) ==
      MessageAnswer::kYes) {
    BusyCursor busy(form.host());
    tree.RemoveTree(upper);
  }
}

}  // namespace norva::menu
