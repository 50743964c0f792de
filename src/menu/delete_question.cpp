#include "menu/delete_question.h"

#include <string>

#include "installed/file_tree.h"
#include "menu/main_form.h"
#include "strings/ucase.h"

namespace norva::menu {
namespace {

constexpr int kDeleteAllFilesMessage = 11;

}  // namespace

void DeleteQuestion(MainForm& form, std::string_view dir) {
  installed::FileTree tree(form.platform().files, form.Folders);
  if (dir.empty() || !tree.DirExists(dir)) return;
  const std::string upper = strings::UCase(dir);
  const std::string text = form.messages().LoadSpecial(form.Language * 100 + kDeleteAllFilesMessage, upper);
  if (form.host().ShowMessage(MessageKind::kConfirmation, form.AppTitle, text, MessageButtons::kYesNo) ==
      MessageAnswer::kYes) {
    tree.RemoveTree(upper);
  }
}

}  // namespace norva::menu
