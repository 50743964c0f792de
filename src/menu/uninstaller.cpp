#include "menu/uninstaller.h"

#include "install/command_text.h"
#include "install/launcher.h"
#include "installed/file_tree.h"
#include "installed/path_text.h"
#include "menu/delete_question.h"
#include "menu/installed_page.h"
#include "menu/launchers.h"
#include "menu/music.h"
#include "menu/page_kinds.h"
#include "menu/page_view.h"
#include "menu/redetection.h"
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

bool IsOwnUninstallerType(int type) {
  return type == catalog::kInstallPolled || type == catalog::kInstallSetup || type == 7;
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
  controls_.StopImage->OnClick = [this] { StopDIBImageClick(); };
}

catalog::TDemos* Uninstaller::SelectedItem() {
  // Pages without an Uninstall button have nothing to uninstall.
  const PageKindInfo* page = PageKindOf(selection_.PageKind);
  return page != nullptr && page->uninstall ? PageProgramRow(data_, selection_.PageKind, selection_.ItemIndex)
                                            : nullptr;
}

void Uninstaller::StopDIBImageClick() {
  if (controls_.StopImage->tag == 0) return;
  // The first uninstaller may still be working in the folder a second one would delete.
  if (activity_.InstallOrUninstallRunning) return;
  parts_.music.StopMusic();
  catalog::TDemos* item = SelectedItem();
  if (item == nullptr) return;
  if (selection_.PageKind == kPageInstalled) {
    // The page's rows are rebuilt whenever the page is shown, also while the uninstaller runs; the
    // procedure must keep working on this row, not on whatever takes its slot.
    catalog::TDemos row = *item;
    UninstallProc(row);
  } else {
    UninstallProc(*item);
  }
}

void Uninstaller::UninstallProc(catalog::TDemos& item) {
  if (activity_.InstallOrUninstallRunning) return;
  RunningScope running(activity_);
  if (!Uninstall(item)) return;
  if (selection_.PageKind == kPageInstalled) {
    ApplyDelete();
  } else {
    parts_.view.Refresh();
  }
  parts_.view.ProcessPage();
  services_.host.ProcessMessages();
}

bool Uninstaller::Uninstall(catalog::TDemos& item) {
  // A copy: the record may be read again while a program runs.
  const std::string list = item.Uninstall;
  const UninstallList marks = ParseUninstallList(list, item.InstallType);
  const platform::Platform& machine = services_.platform;
  install::Launcher launcher = parts_.launchers.Make();
  UninstallCommands commands(services_, look_, files_.Folders, data_.catalog.DebugMode != 0, launcher);
  installed::FileTree tree(machine.files, files_.Folders);
  const int type = item.InstallType;

  if (type == catalog::kInstallUnpack && marks.locate)
    commands.LocateUninstaller(item, marks.locate_entries, false);
  switch (type) {
    case catalog::kInstallFromDisc:
      item.InstalledDir.clear();  // it held the item's folder on the disc
      break;
    case catalog::kInstallNothing:
    case catalog::kInstallUnpack:
    case catalog::kInstallUnpackForced:
    case catalog::kInstallReaderDocument:
      if (!item.UnInstallName.empty()) {
        launcher.WaitExec(item.UnInstallName, platform::kShowNormal);
      } else {
        DeleteQuestion(services_, look_, files_.Folders, item.InstalledDir);
      }
      break;
    case catalog::kInstallPolled:
    case catalog::kInstallSetup:
    case 7:
      RunOwnUninstaller(item, marks, launcher, commands);
      break;
    case catalog::kInstallSierraSetup:
      SierraUninstall(item, launcher);
      break;
    default:
      break;
  }
  if (item.UnInstallName.empty() && !item.InstalledDir.empty() && IsOwnUninstallerType(type))
    DeleteQuestion(services_, look_, files_.Folders, item.InstalledDir);

  if (StillInstalled(item)) return false;

  tree.DeleteEmptyBranch(item.InstalledDir);
  item.Installed = 0;
  item.NotInstalled = 1;
  item.Runnable = 0;
  if (!marks.commands.empty()) commands.Run(item, marks.commands);
  if (type == catalog::kInstallFromDisc) {
    item.Installed = machine.files.FileExists(item.Param) ? 1 : 0;
    item.NotInstalled = 0;
    item.Runnable = 1;
  }
  services_.host.ProcessMessages();
  LeftoverCheck(item.InstalledDir);
  return true;
}

void Uninstaller::RunOwnUninstaller(catalog::TDemos& item, const UninstallList& marks,
                                    install::Launcher& launcher, UninstallCommands& commands) {
  bool setup_missing = false;
  if (marks.setup) {
    item.UnInstallName = item.InstallDir + "\\" + item.InstallName;
    if (!services_.platform.files.FileExists(item.UnInstallName)) {
      setup_missing = true;
      services_.host.ShowMessage(MessageKind::kError, look_.AppTitle, kSetupMissing, MessageButtons::kOk);
    }
  }
  if (marks.locate) commands.LocateUninstaller(item, marks.locate_entries, marks.locate_shortcuts);
  if (marks.no_uninstaller) item.UnInstallName.clear();
  // Nothing to start when the installer is not on the inserted disc.
  if (!setup_missing) launcher.WaitExec(item.UnInstallName, platform::kShowNormal);
}

void Uninstaller::SierraUninstall(catalog::TDemos& item, install::Launcher& launcher) {
  // Without its folder the installer would be looked for on the disc's drive.
  if (!installed::IsDrivePath(item.InstalledDir)) return;
  const std::string setup = item.InstalledDir + "\\SETUP.EXE";
  launcher.WaitExec(setup + " /U", platform::kShowNormal);
  auto& files = services_.platform.files;
  if (files.FileExists(setup)) return;
  installed::FileTree tree(files, files_.Folders);
  tree.RemoveStartFolder("Sierra");
  if (!tree.IsProtected(item.InstalledDir)) files.RemoveDir(item.InstalledDir);  // only an empty folder goes
}

bool Uninstaller::StillInstalled(const catalog::TDemos& item) {
  // Without a folder there is no program to look for (an item that runs from the disc).
  if (item.InstalledDir.empty()) return false;
  auto& files = services_.platform.files;
  const std::string program =
      item.InstalledDir + "\\" + install::StripArguments(installed::BeforeColon(item.GameName));
  if (!files.FileExists(program)) return false;
  if (item.GameName == kProgramThatStays) return files.FileExists(item.InstalledDir + "\\Uninst.isu");
  return true;
}

void Uninstaller::LeftoverCheck(std::string_view dir) {
  installed::FileTree tree(services_.platform.files, files_.Folders);
  if (dir.size() < 3 || !installed::IsDrivePath(dir) || !tree.DirExists(dir)) return;
  const std::string upper = strings::UCase(dir);
  if (tree.IsProtected(upper)) return;
  std::int64_t size = 0;
  {
    BusyCursor busy(services_.host);
    size = tree.SizeofTree(upper);
  }
  if (size > kLargestLeftover) return;
  if (size != kSilentLeftover) {
    Host& host = services_.host;
    const auto ask = [&](int message, std::string_view value) {
      const std::string text = services_.messages.LoadSpecial(look_.Language * 100 + message, value);
      return host.ShowMessage(MessageKind::kConfirmation, look_.AppTitle, text, MessageButtons::kYesNo) ==
             MessageAnswer::kYes;
    };
    if (!ask(kLeftoverMessage, upper)) return;
    const std::int64_t megabytes = RoundedMegabytes(size);
    if (megabytes >= 1 && !ask(kLeftoverSizeMessage, std::to_string(megabytes))) return;
  }
  BusyCursor busy(services_.host);
  tree.RemoveTree(upper);
}

void Uninstaller::ApplyDelete() {
  // Every record's detection is one change of the store.
  parts_.redetection.InOneUpdate([this](catalog::InstalledDetector& detector) {
    for (const int kind : {kPageDemos, kPageReaders, kPageFulls}) {
      const int count = PageKindOf(kind)->rows.count(data_);
      for (int i = 1; i <= count; ++i) {
        if (catalog::TDemos* item = PageProgramRow(data_, kind, i)) detector.CheckDemo(*item);
      }
    }
  });
  parts_.installed_page.SetInstalledPage();
}

}  // namespace norva::menu
