#include "menu/install_menu.h"

#include "menu/item_list.h"
#include "menu/pages.h"
#include "support/fake_runner.h"
#include "support/temp_dir.h"

namespace norva::test {

InstallMenu::InstallMenu(const std::string& catalog, bool run_programs)
    : t("[Main]\r\nCD=0206\r\nVersion=0\r\n" + catalog) {
  if (run_programs) t.runner = FakeRunnerCommand();
}

void InstallMenu::Start(int page_kind) {
  t.Start();
  OpenPage(page_kind);
}

void InstallMenu::OpenPage(int kind) {
  auto& form = t.form();
  for (int slot = 1; slot <= form.selection().PageIconCount; ++slot) {
    if (form.selection().Pages[slot].Kind == kind) form.pages().MainButtonClick(slot);
  }
}

void InstallMenu::Select(int item) {
  t.form().selection().ItemIndex = item;
  t.form().view().ProcessPage();
}

std::string InstallMenu::LastLaunch() {
  const auto& launches = Launches();
  if (launches.empty()) return "none";
  const auto& l = launches.back();
  if (l.op == platform::LaunchRecord::Op::kShell) return l.verb + " " + l.file + "|" + l.params + "|" + l.dir;
  return "create " + l.cmd + "|" + l.dir + "|" + (l.wait ? "wait" : "nowait");
}

std::filesystem::path InstallMenu::C(const std::string& dos_path) const {
  std::filesystem::path host = t.Prefix() / "drive_c";
  std::string rest = dos_path.size() > 3 ? dos_path.substr(3) : "";
  for (std::size_t slash; (slash = rest.find('\\')) != std::string::npos; rest.erase(0, slash + 1))
    host /= rest.substr(0, slash);
  return rest.empty() ? host : host / rest;
}

std::string InstallMenu::StoreText() const {
  return TempDir::ReadFile(t.Prefix() / "drive_c" / "windows" / "norva.ini");
}

}  // namespace norva::test
