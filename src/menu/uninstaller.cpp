#include "menu/uninstaller.h"

#include "install/command_text.h"
#include "install/launcher.h"
#include "installed/file_tree.h"
#include "installed/path_text.h"
#include "menu/busy_cursor.h"
#include "menu/delete_question.h"
#include "menu/installed_page.h"
#include "menu/item_list.h"
#include "menu/main_form.h"
#include "menu/music.h"
#include "menu/page_kinds.h"
#include "menu/pages.h"
#include "menu/program_records.h"
#include "menu/uninstall_commands.h"
#include "strings/ucase.h"

namespace norva::menu {
namespace {

constexpr int kLeftoverMessage = 34;
constexpr int kLeftoverSizeMessage = 35;
constexpr std::int64_t kMegabyte = 1024 * 1024;
// The installer of the "SETUP" form is on the disc; the text is the same in every edition.
constexpr std::string_view kSetupMissing =
    "Uninstall vy\x9E"
    "aduje Norva CD/DVD s instala\xE8n\xEDm souborem v mechanice.";
// One game whose uninstaller leaves its program file behind; only its log file tells a cancelled run.
constexpr std::string_view kProgramThatStays = "rayne.exe";

// Sets a flag for the length of a scope and clears it on every way out.
class RunningFlag {
 public:
  explicit RunningFlag(bool& flag) : flag_(flag) { flag_ = true; }
  ~RunningFlag() { flag_ = false; }
  RunningFlag(const RunningFlag&) = delete;
  RunningFlag& operator=(const RunningFlag&) = delete;

 private:
  bool& flag_;
};

// Puts a text back to its value at construction on every way out.
class KeepText {
 public:
  explicit KeepText(std::string& text) : text_(text), copy_(text) {}
  ~KeepText() { text_ = copy_; }
  KeepText(const KeepText&) = delete;
  KeepText& operator=(const KeepText&) = delete;

 private:
  std::string& text_;
  std::string copy_;
};

bool IsOwnUninstallerType(int type) {
  return type == 4 || type == 5 || type == 7;
}

// Size in whole megabytes, a half rounded to the even neighbour.
std::int64_t RoundedMegabytes(std::int64_t size) {
  const std::int64_t whole = size / kMegabyte;
  const std::int64_t rest = size % kMegabyte;
  if (rest * 2 > kMegabyte || (rest * 2 == kMegabyte && whole % 2 == 1)) return whole + 1;
  return whole;
}

}  // namespace

void Uninstaller::Wire() {
  form_.controls().StopImage->OnClick = [this] { StopDIBImageClick(); };
}

catalog::TDemos* Uninstaller::SelectedItem() {
  switch (form_.PageKind) {
    case kPageDemos:
    case kPageExtra:
    case kPageReaders:
    case kPageFulls:
    case kPageExtra2:
    case kPageInstalled:
      return ProgramRecord(form_, form_.PageKind, form_.ItemIndex);
    default:
      return nullptr;  // pages without an Uninstall button
  }
}

void Uninstaller::StopDIBImageClick() {
  if (form_.controls().StopImage->tag == 0) return;
  // The first uninstaller may still be working in the folder a second one would delete.
  if (form_.InstallOrUninstallRunning) return;
  form_.music().StopMusic();
  catalog::TDemos* item = SelectedItem();
  if (item == nullptr) return;
  if (form_.PageKind == kPageInstalled) {
    // The page's rows are rebuilt whenever the page is shown, also while the uninstaller runs; the
    // procedure must keep working on this row, not on whatever takes its slot.
    catalog::TDemos row = *item;
    UninstallProc(row);
  } else {
    UninstallProc(*item);
  }
}

void Uninstaller::UninstallProc(catalog::TDemos& item) {
  if (form_.InstallOrUninstallRunning) return;
  RunningFlag running(form_.InstallOrUninstallRunning);
  if (!Uninstall(item)) return;
  if (form_.PageKind == kPageInstalled) {
    ApplyDelete();
  } else {
    form_.item_list().FillList();
    form_.pages().ProcessPage();
  }
  form_.pages().ProcessPage();
  form_.host().ProcessMessages();
}

bool Uninstaller::Uninstall(catalog::TDemos& item) {
  // Put back before the page is refreshed: detection of the item reads its markers again.
  KeepText keep(item.Uninstall);
  const platform::Platform& machine = form_.platform();
  install::Launcher launcher = form_.launcher();
  UninstallCommands commands(form_, launcher);
  installed::FileTree tree(machine.files, form_.Folders);
  const int type = item.InstallType;

  if (type == 2 && item.Uninstall.starts_with('?')) {
    item.Uninstall.erase(0, 1);
    commands.LocateUninstaller(item, item.Uninstall, false);
  }
  switch (type) {
    case 0:
      item.InstalledDir.clear();  // it held the item's folder on the disc
      break;
    case 1:
    case 2:
    case 3:
    case 11:
      if (!item.UnInstallName.empty()) {
        launcher.WaitExec(item.UnInstallName, platform::kShowNormal);
      } else {
        DeleteQuestion(form_, item.InstalledDir);
      }
      break;
    case 4:
    case 5:
    case 7:
      RunOwnUninstaller(item, launcher, commands);
      break;
    case 6:
      SierraUninstall(item, launcher);
      break;
    default:
      break;
  }
  if (item.UnInstallName.empty() && !item.InstalledDir.empty() && IsOwnUninstallerType(type))
    DeleteQuestion(form_, item.InstalledDir);

  if (StillInstalled(item)) return false;

  tree.DeleteEmptyBranch(item.InstalledDir);
  item.Installed = 0;
  item.NotInstalled = 1;
  item.Runnable = 0;
  if (!item.Uninstall.empty()) {
    std::string_view list = item.Uninstall;
    if (list.starts_with('*')) list.remove_prefix(1);
    commands.Run(item, list);
  }
  if (type == 0) {
    item.Installed = machine.files.FileExists(item.Param) ? 1 : 0;
    item.NotInstalled = 0;
    item.Runnable = 1;
  }
  form_.host().ProcessMessages();
  LeftoverCheck(item.InstalledDir);
  return true;
}

void Uninstaller::RunOwnUninstaller(catalog::TDemos& item, install::Launcher& launcher,
                                    UninstallCommands& commands) {
  std::string& list = item.Uninstall;
  bool setup_missing = false;
  if (list == "SETUP") {
    item.UnInstallName = item.InstallDir + "\\" + item.InstallName;
    if (!form_.platform().files.FileExists(item.UnInstallName)) {
      setup_missing = true;
      form_.host().ShowMessage(MessageKind::kError, form_.AppTitle, kSetupMissing, MessageButtons::kOk);
    }
  }
  if (list.starts_with('?')) {
    list.erase(0, 1);
    commands.LocateUninstaller(item, list, true);
  }
  if (list.starts_with('!')) {
    item.UnInstallName.clear();
    list.erase(0, 1);
  }
  // Nothing to start when the installer is not on the inserted disc.
  if (!setup_missing) launcher.WaitExec(item.UnInstallName, platform::kShowNormal);
}

void Uninstaller::SierraUninstall(catalog::TDemos& item, install::Launcher& launcher) {
  // Without its folder the installer would be looked for on the disc's drive.
  if (!installed::IsDrivePath(item.InstalledDir)) return;
  const std::string setup = item.InstalledDir + "\\SETUP.EXE";
  launcher.WaitExec(setup + " /U", platform::kShowNormal);
  auto& files = form_.platform().files;
  if (files.FileExists(setup)) return;
  installed::FileTree tree(files, form_.Folders);
  tree.RemoveStartFolder("Sierra");
  if (!tree.IsProtected(item.InstalledDir)) files.RemoveDir(item.InstalledDir);  // only an empty folder goes
}

bool Uninstaller::StillInstalled(const catalog::TDemos& item) {
  // Without a folder there is no program to look for (an item that runs from the disc).
  if (item.InstalledDir.empty()) return false;
  auto& files = form_.platform().files;
  const std::string program =
      item.InstalledDir + "\\" + install::StripArguments(installed::BeforeColon(item.GameName));
  if (!files.FileExists(program)) return false;
  if (item.GameName == kProgramThatStays) return files.FileExists(item.InstalledDir + "\\Uninst.isu");
  return true;
}

void Uninstaller::LeftoverCheck(std::string_view dir) {
  installed::FileTree tree(form_.platform().files, form_.Folders);
  if (dir.size() < 3 || !installed::IsDrivePath(dir) || !tree.DirExists(dir)) return;
  const std::string upper = strings::UCase(dir);
  if (tree.IsProtected(upper)) return;
  std::int64_t size = 0;
  {
    BusyCursor busy(form_.host());
    size = tree.SizeofTree(upper);
  }
  if (size > kLargestLeftover) return;
  if (size != kSilentLeftover) {
    Host& host = form_.host();
    const auto ask = [&](int message, std::string_view value) {
      const std::string text = form_.messages().LoadSpecial(form_.Language * 100 + message, value);
      return host.ShowMessage(MessageKind::kConfirmation, form_.AppTitle, text, MessageButtons::kYesNo) ==
             MessageAnswer::kYes;
    };
    if (!ask(kLeftoverMessage, upper)) return;
    const std::int64_t megabytes = RoundedMegabytes(size);
    if (megabytes >= 1 && !ask(kLeftoverSizeMessage, std::to_string(megabytes))) return;
  }
  BusyCursor busy(form_.host());
  tree.RemoveTree(upper);
}

void Uninstaller::ApplyDelete() {
  if (auto* detector = form_.detector()) {
    // Every record's detection is one change of the store.
    const platform::IniUpdate store_update(form_.StoreIni.get());
    auto& c = form_.catalog();
    const auto detect = [this, detector](int page_kind, int count) {
      for (int i = 1; i <= count; ++i) {
        if (catalog::TDemos* item = ProgramRecord(form_, page_kind, i)) detector->CheckDemo(*item);
      }
    };
    detect(kPageDemos, c.DemoCount);
    detect(kPageReaders, c.ReaderCount);
    detect(kPageFulls, c.FullCount);
  }
  form_.installed_page().SetInstalledPage();
}

}  // namespace norva::menu
