#include "menu/installer.h"

#include <charconv>

#include "catalog/text_prep.h"
#include "installed/file_tree.h"
#include "installed/install_store.h"
#include "menu/dir_chooser.h"
#include "menu/item_list.h"
#include "menu/main_form.h"
#include "menu/page_kinds.h"
#include "menu/pages.h"
#include "menu/program_records.h"
#include "menu/unpack_form.h"
#include "strings/ucase.h"

namespace norva::menu {
namespace {

constexpr int kPollType = 4;
constexpr int kSearchType = 5;
constexpr int kSearchDirDetect = 8;
// Search depth when the SearchFile value gives none.
constexpr int kWholeTree = 100;
// "Not enough free space in %1 (%2 MB needed). Install anyway?"
constexpr int kNotEnoughSpace = 51;

// Sets a flag for the life of a scope and puts the old value back on every way out.
class FlagScope {
 public:
  explicit FlagScope(bool& flag) : flag_(flag), old_(flag) { flag_ = true; }
  ~FlagScope() { flag_ = old_; }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;

 private:
  bool& flag_;
  bool old_;
};

int Depth(const std::string& text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() ? value : kWholeTree;
}

}  // namespace

void Installer::Wire() {
  form_.controls().Timer1->OnTimer = [this] { Timer1Timer(); };
}

void Installer::InstallProc(catalog::TDemos& item) {
  // Two installs or uninstalls at once could unpack into, or delete, a folder the other one uses.
  if (form_.InstallOrUninstallRunning) return;
  FlagScope running(form_.InstallOrUninstallRunning);
  auto& c = form_.controls();
  auto& host = form_.host();
  c.Timer1->SetEnabled(false);
  SavedItem = form_.ItemIndex;
  SavedPageKind = form_.PageKind;
  install::Launcher launcher = form_.launcher();
  if (item.NotInstalled == 0) {
    launcher.WaitExec(item.InstalledDir + "\\" + item.SetupName, platform::kShowNormal);
    return;
  }
  const std::string installer = item.InstallDir + "\\" + item.InstallName;
  if (form_.ShowInstallCommands) {
    host.ShowMessage(MessageKind::kPlain, form_.AppTitle, installer + " " + item.InstalledDir,
                     MessageButtons::kOk);
  }
  const int type = item.InstallType;
  if (type == 2 || type == 3) {
    UnpackInstall(item);
  } else if (type == kPollType) {
    launcher.NormalExec(installer, platform::kShowNormal);
    c.Timer1->SetEnabled(true);
  } else if (type >= 5 && type <= 9) {
    host.SetBusyCursor(true);
    if (strings::UCase(item.InstallName).find("MSI") != std::string::npos) {
      launcher.ShellExec(installer, platform::kShowNormal);
    } else {
      launcher.WaitExec(installer, platform::kShowNormal);
    }
  } else if (type == 10) {
    launcher.WaitExec(installer, platform::kShowNormal);
  }
  if (type == kSearchType && item.DirDetect == kSearchDirDetect) SearchInstalled(item);
  if (type != kPollType) {
    host.SetBusyCursor(false);
    RestorePage();
    host.BringToFront();
    if (auto* detector = form_.detector()) {
      const platform::IniUpdate store_update(form_.StoreIni.get());
      detector->CheckDemo(item);
    }
    host.SetBusyCursor(false);
    host.ProcessMessages();
  }
  form_.item_list().FillList();
  form_.pages().ProcessPage();
}

void Installer::UnpackInstall(catalog::TDemos& item) {
  ChosenDir.clear();
  DirChooser chooser(form_, item);
  form_.host().ShowChooser(chooser);
  ChosenDir = chooser.ChosenDir();
  if (ChosenDir.empty()) return;
  if (!EnoughSpaceOrGoOn(item)) {
    RemoveCreatedDirs(chooser);
    ChosenDir.clear();
    return;
  }
  UnpackForm unpack(form_, item, ChosenDir);
  form_.host().ShowUnpack(unpack);
  ChosenDir = unpack.ChosenDir();
  // A failed unpacking leaves the new folders empty when nothing was written or it was all deleted again.
  if (ChosenDir.empty()) RemoveCreatedDirs(chooser);
  item.InstalledDir = ChosenDir;
  WriteDirEntry(item);
  if (item.Name == "NECROMANIA") {
    form_.platform().files.WriteFileAtomic(form_.Folders.WindowsDir + "Necromania - demo.dr",
                                           item.InstalledDir + "\r\n");
  }
  if (!item.SetupName.empty() && !item.InstalledDir.empty()) {
    form_.launcher().WaitExec(item.InstalledDir + "\\" + item.SetupName, platform::kShowNormal);
  }
}

bool Installer::EnoughSpaceOrGoOn(const catalog::TDemos& item) {
  const std::int64_t needed = CatalogUnpackedSize(form_, item);
  if (needed <= 0) return true;
  const auto free = form_.platform().files.FreeSpace(ChosenDir);
  if (!free || *free >= static_cast<std::uint64_t>(needed)) return true;
  const std::int64_t megabytes = (needed + (1 << 20) - 1) >> 20;
  std::string text =
      form_.messages().LoadSpecial(form_.Language * 100 + kNotEnoughSpace, strings::UCase(ChosenDir));
  if (const auto at = text.find("%2"); at != std::string::npos)
    text.replace(at, 2, std::to_string(megabytes));
  return form_.host().ShowMessage(MessageKind::kWarning, form_.AppTitle, text, MessageButtons::kYesNo) ==
         MessageAnswer::kYes;
}

void Installer::RemoveCreatedDirs(const DirChooser& chooser) {
  // Newest first, so that a parent is empty when its turn comes; one that holds anything stays.
  const auto& created = chooser.CreatedDirs();
  for (auto it = created.rbegin(); it != created.rend(); ++it) form_.platform().files.RemoveDir(*it);
}

void Installer::SearchInstalled(catalog::TDemos& item) {
  const std::vector<std::string> parts = catalog::SplitFields(item.Param);
  const std::string name = parts.size() > 0 ? parts[0] : std::string();
  const int depth = parts.size() > 1 ? Depth(parts[1]) : kWholeTree;
  const std::string fallback = parts.size() > 2 ? parts[2] : std::string();
  auto& host = form_.host();
  host.SetBusyCursor(true);
  item.InstalledDir.clear();
  auto& files = form_.platform().files;
  if (!fallback.empty() && files.FileExists(fallback + "\\" + item.GameName)) {
    item.InstalledDir = fallback;
  } else if (!name.empty()) {
    installed::FileTree tree(files, form_.Folders);
    auto& drives = form_.platform().drives;
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
  form_.StoreIni->WriteString(installed::IssueSection(form_.catalog().IssueCode),
                              installed::DirEntryKey(item.Name), item.InstalledDir);
}

void Installer::RestorePage() {
  if (form_.PageKind != SavedPageKind) {
    // The user went elsewhere while the install waited: the page of the install comes back with its screen.
    for (int slot = 1; slot <= form_.PageIconCount && slot < static_cast<int>(form_.Pages.size()); ++slot) {
      if (form_.Pages[slot].Kind == SavedPageKind) form_.pages().MainButtonClick(slot);
    }
  }
  form_.ItemIndex = SavedItem;
  form_.PageKind = SavedPageKind;
  form_.item_list().RepositionListWindow();
}

catalog::TDemos* Installer::RecordOf(int page, int index) {
  switch (page) {
    case kPageDemos:
    case kPageReaders:
    case kPageFulls:
    case kPageExtra2:
      return ProgramRecord(form_, page, index);
    default:
      return nullptr;
  }
}

void Installer::Timer1Timer() {
  catalog::TDemos* item = RecordOf(SavedPageKind, SavedItem);
  if (item == nullptr) return;
  if (auto* detector = form_.detector()) {
    const platform::IniUpdate store_update(form_.StoreIni.get());
    detector->CheckDemo(*item);
  }
  if (item->Runnable != 1) return;
  form_.controls().Timer1->SetEnabled(false);
  // The item's row is shown again only while its page is; another page shows it when it is visited.
  if (form_.PageKind == SavedPageKind) {
    form_.ItemIndex = SavedItem;
    form_.item_list().FillList();
    form_.host().ProcessMessages();
    form_.pages().ProcessPage();
  }
  form_.host().SetBusyCursor(false);
}

}  // namespace norva::menu
