#include "menu/installer.h"

#include <charconv>

#include "catalog/text_prep.h"
#include "installed/file_tree.h"
#include "installed/install_store.h"
#include "menu/dir_chooser.h"
#include "menu/item_list.h"
#include "menu/launchers.h"
#include "menu/page_kinds.h"
#include "menu/page_view.h"
#include "menu/pages.h"
#include "menu/redetection.h"
#include "menu/unpack_form.h"
#include "strings/ucase.h"

namespace norva::menu {
namespace {

constexpr int kSearchDirDetect = 8;
// Search depth when the SearchFile value gives none.
constexpr int kWholeTree = 100;
// "Not enough free space in %1 (%2 MB needed). Install anyway?"
constexpr int kNotEnoughSpace = 51;

int Depth(const std::string& text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() ? value : kWholeTree;
}

}  // namespace

void Installer::Wire() {
  controls_.Timer1->OnTimer = [this] { Timer1Timer(); };
}

void Installer::InstallProc(catalog::TDemos& item) {
  // Two installs or uninstalls at once could unpack into, or delete, a folder the other one uses.
  if (activity_.InstallOrUninstallRunning) return;
  RunningScope running(activity_);
  auto& c = controls_;
  auto& host = services_.host;
  c.Timer1->SetEnabled(false);
  SavedItem = selection_.ItemIndex;
  SavedPageKind = selection_.PageKind;
  install::Launcher launcher = parts_.launchers.Make();
  if (item.NotInstalled == 0) {
    launcher.WaitExec(item.InstalledDir + "\\" + item.SetupName, platform::kShowNormal);
    return;
  }
  const std::string installer = item.InstallDir + "\\" + item.InstallName;
  if (files_.ShowInstallCommands) {
    host.ShowMessage(MessageKind::kPlain, look_.AppTitle, installer + " " + item.InstalledDir,
                     MessageButtons::kOk);
  }
  const int type = item.InstallType;
  if (type == catalog::kInstallUnpack || type == catalog::kInstallUnpackForced) {
    UnpackInstall(item);
  } else if (type == catalog::kInstallPolled) {
    launcher.NormalExec(installer, platform::kShowNormal);
    c.Timer1->SetEnabled(true);
  } else if (type >= catalog::kInstallSetup && type <= catalog::kInstallSetupLast) {
    host.SetBusyCursor(true);
    if (strings::UCase(item.InstallName).find("MSI") != std::string::npos) {
      launcher.ShellExec(installer, platform::kShowNormal);
    } else {
      launcher.WaitExec(installer, platform::kShowNormal);
    }
  } else if (type == catalog::kInstallSetupWait) {
    launcher.WaitExec(installer, platform::kShowNormal);
  }
  if (type == catalog::kInstallSetup && item.DirDetect == kSearchDirDetect) SearchInstalled(item);
  if (type != catalog::kInstallPolled) {
    host.SetBusyCursor(false);
    RestorePage();
    host.BringToFront();
    parts_.redetection.Redetect(item);
    host.SetBusyCursor(false);
    host.ProcessMessages();
  }
  parts_.view.Refresh();
}

void Installer::UnpackInstall(catalog::TDemos& item) {
  ChosenDir.clear();
  DirChooser chooser(services_, window_, look_, selection_, files_, item);
  services_.host.ShowChooser(chooser);
  ChosenDir = chooser.ChosenDir();
  if (ChosenDir.empty()) return;
  if (!EnoughSpaceOrGoOn(item)) {
    RemoveCreatedDirs(chooser);
    ChosenDir.clear();
    return;
  }
  UnpackForm unpack(services_, window_, look_, selection_, files_, item, ChosenDir);
  services_.host.ShowUnpack(unpack);
  ChosenDir = unpack.ChosenDir();
  // A failed unpacking leaves the new folders empty when nothing was written or it was all deleted again.
  if (ChosenDir.empty()) RemoveCreatedDirs(chooser);
  item.InstalledDir = ChosenDir;
  WriteDirEntry(item);
  if (item.Name == "NECROMANIA") {
    services_.platform.files.WriteFileAtomic(files_.Folders.WindowsDir + "Necromania - demo.dr",
                                             item.InstalledDir + "\r\n");
  }
  if (!item.SetupName.empty() && !item.InstalledDir.empty()) {
    parts_.launchers.Make().WaitExec(item.InstalledDir + "\\" + item.SetupName, platform::kShowNormal);
  }
}

bool Installer::EnoughSpaceOrGoOn(const catalog::TDemos& item) {
  const std::int64_t needed = CatalogUnpackedSize(selection_, files_, item);
  if (needed <= 0) return true;
  const auto free = services_.platform.files.FreeSpace(ChosenDir);
  if (!free || *free >= static_cast<std::uint64_t>(needed)) return true;
  const std::int64_t megabytes = (needed + (1 << 20) - 1) >> 20;
  std::string text =
      services_.messages.LoadSpecial(look_.Language * 100 + kNotEnoughSpace, strings::UCase(ChosenDir));
  if (const auto at = text.find("%2"); at != std::string::npos)
    text.replace(at, 2, std::to_string(megabytes));
  return services_.host.ShowMessage(MessageKind::kWarning, look_.AppTitle, text, MessageButtons::kYesNo) ==
         MessageAnswer::kYes;
}

void Installer::RemoveCreatedDirs(const DirChooser& chooser) {
  // Newest first, so that a parent is empty when its turn comes; one that holds anything stays.
  const auto& created = chooser.CreatedDirs();
  for (auto it = created.rbegin(); it != created.rend(); ++it) services_.platform.files.RemoveDir(*it);
}

void Installer::SearchInstalled(catalog::TDemos& item) {
  const std::vector<std::string> parts = catalog::SplitFields(item.Param);
  const std::string name = parts.size() > 0 ? parts[0] : std::string();
  const int depth = parts.size() > 1 ? Depth(parts[1]) : kWholeTree;
  const std::string fallback = parts.size() > 2 ? parts[2] : std::string();
  auto& host = services_.host;
  host.SetBusyCursor(true);
  item.InstalledDir.clear();
  auto& files = services_.platform.files;
  if (!fallback.empty() && files.FileExists(fallback + "\\" + item.GameName)) {
    item.InstalledDir = fallback;
  } else if (!name.empty()) {
    installed::FileTree tree(files, files_.Folders);
    auto& drives = services_.platform.drives;
    for (char letter = 'C'; letter <= 'K' && item.InstalledDir.empty(); ++letter) {
      // Fixed and removable drives only.
      const auto type = drives.TypeOf(letter);
      if (type != platform::DriveType::kFixed && type != platform::DriveType::kRemovable) continue;
      item.InstalledDir = tree.SearchTree(std::string(1, letter) + ":\\", name, depth);
    }
  }
  host.SetBusyCursor(false);
  WriteDirEntry(item);
}

void Installer::WriteDirEntry(const catalog::TDemos& item) {
  // A store that cannot be written loses the entry; the install goes on and detection decides.
  files_.StoreIni->WriteString(installed::IssueSection(data_.catalog.IssueCode),
                               installed::DirEntryKey(item.Name), item.InstalledDir);
}

void Installer::RestorePage() {
  if (selection_.PageKind != SavedPageKind) {
    // The user went elsewhere while the install waited: the page of the install comes back with its screen.
    for (int slot = 1; slot <= selection_.PageIconCount && slot < static_cast<int>(selection_.Pages.size());
         ++slot) {
      if (selection_.Pages[slot].Kind == SavedPageKind) parts_.pages.MainButtonClick(slot);
    }
  }
  selection_.ItemIndex = SavedItem;
  selection_.PageKind = SavedPageKind;
  parts_.list.RepositionListWindow();
}

catalog::TDemos* Installer::RecordOf(int page, int index) {
  const PageKindInfo* kind = PageKindOf(page);
  return kind != nullptr && kind->install_poll ? PageProgramRow(data_, page, index) : nullptr;
}

void Installer::Timer1Timer() {
  catalog::TDemos* item = RecordOf(SavedPageKind, SavedItem);
  if (item == nullptr) return;
  parts_.redetection.Redetect(*item);
  if (item->Runnable != 1) return;
  controls_.Timer1->SetEnabled(false);
  // The item's row is shown again only while its page is; another page shows it when it is visited.
  if (selection_.PageKind == SavedPageKind) {
    selection_.ItemIndex = SavedItem;
    parts_.view.FillList();
    services_.host.ProcessMessages();
    parts_.view.ProcessPage();
  }
  services_.host.SetBusyCursor(false);
}

}  // namespace norva::menu
