#include "menu/delete_question.h"

#include <string>

#include "installed/file_tree.h"
#include "installed/path_text.h"
#include "strings/ucase.h"

namespace norva::menu {
namespace {

constexpr int kDeleteAllFilesMessage = 11;

}  // namespace

void DeleteQuestion(Services services, const Appearance& look, const installed::SystemFolders& folders,
                    std::string_view dir) {
  installed::FileTree tree(services.platform.files, folders);
  // A folder given from the current one would be looked for on the disc; a protected one is never deleted,
  // so it is not offered either.
  if (!installed::IsDrivePath(dir) || !tree.DirExists(dir) || tree.IsProtected(dir)) return;
  const std::string upper = strings::UCase(dir);
  const std::string text = services.messages.LoadSpecial(look.Language * 100 + kDeleteAllFilesMessage, upper);
  if (services.host.ShowMessage(MessageKind::kConfirmation, look.AppTitle, text, MessageButtons::kYesNo) ==
      MessageAnswer::kYes) {
    BusyCursor busy(services.host);
    tree.RemoveTree(upper);
  }
}

}  // namespace norva::menu
