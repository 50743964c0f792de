#include "menu/actions.h"

#include <algorithm>

#include "catalog/text_prep.h"
#include "install/command_text.h"
#include "installed/path_text.h"
#include "menu/installer.h"
#include "menu/launchers.h"
#include "menu/music.h"
#include "menu/page_kinds.h"
#include "menu/page_view.h"
#include "menu/picture_index.h"
#include "menu/redetection.h"
#include "menu/settings_page.h"
#include "strings/ucase.h"

namespace norva::menu {
namespace {

constexpr int kRows = 10;
constexpr std::size_t kMaxLabel = 50;
constexpr const char* kVersionPrompt = "Jakou verzi hry chcete spustit?";
// Files the system's player opens.
constexpr std::string_view kMediaKinds[] = {".WMZ", ".AVI", ".WMV", ".MOV", ".MPG", ".MP3", ".M3U", ".XM"};

template <typename Array>
auto* RecordAt(Array& records, int index, int count) {
  const bool inside = index >= 1 && index <= count && static_cast<std::size_t>(index) < records.size();
  return inside ? &records[static_cast<std::size_t>(index)] : nullptr;
}

const PageKindInfo& PageOf(int kind) {
  static const PageKindInfo none;
  const PageKindInfo* page = PageKindOf(kind);
  return page != nullptr ? *page : none;
}

bool Contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

// The address of a Web value: "http://" in front, unless the catalog already wrote a scheme.
std::string WebAddress(const std::string& web) {
  const std::string upper = strings::UCase(web);
  if (upper.starts_with("HTTP://") || upper.starts_with("HTTPS://")) return web;
  return "http://" + web;
}

}  // namespace

void Actions::Wire() {
  auto& c = controls_;
  c.PlayImage->OnClick = [this] { PlayDIBImageClick(); };
  c.ReadmeImage->OnClick = [this] { ReadmeDIBImageClick(); };
  c.WebImage->OnClick = [this] { WebDIBImageClick(); };
  for (int n = 1; n <= kRows; ++n) {
    auto* icon = c.Play[n];
    icon->OnClick = [this, n] { PlayClick(n); };
    // The settings rows keep their own hover pictures; elsewhere the run icon lights up.
    auto enter = icon->OnMouseEnter;
    auto leave = icon->OnMouseLeave;
    icon->OnMouseEnter = [this, icon, enter] {
      if (enter) enter();
      if (selection_.PageKind != kPageSettings)
        icon->image = picture::kQuickRun + picture::kSecondState + picture::kNightPair * look_.NightMode;
    };
    icon->OnMouseLeave = [this, icon, leave] {
      if (leave) leave();
      if (selection_.PageKind != kPageSettings)
        icon->image = picture::kQuickRun + picture::kNightPair * look_.NightMode;
    };
  }
}

catalog::TDemos* Actions::SelectedProgram() {
  return PageProgramRow(data_, selection_.PageKind, selection_.ItemIndex);
}

void Actions::InstallOrRun(catalog::TDemos& item) {
  if (item.Runnable == 1) {
    RunProc(item);
  } else {
    parts_.installer.InstallProc(item);
  }
}

void Actions::PlayDIBImageClick() {
  if (controls_.PlayImage->tag == 0) return;
  parts_.music.StopMusic();
  auto& cat = data_.catalog;
  const std::string& disc = files_.DiscRoot;
  switch (PageOf(selection_.PageKind).play) {
    case PlayAction::kInstallOrRun:
      if (auto* item = SelectedProgram()) InstallOrRun(*item);
      break;
    case PlayAction::kSetupFromSoftware:
      if (auto* item = SelectedProgram()) {
        const std::string folder = PageDiscFolder(disc, selection_.PageKind) + item->InstallDir;
        const std::string file = folder + "\\" + item->InstallName;
        if (Contains(item->InstallName, ".INF")) {
          services_.platform.shell.ShellExecute("INSTALL", file, "", folder, platform::kShowNormal);
        } else {
          parts_.launchers.Make().NormalExec(file, platform::kShowNormal);
        }
      }
      break;
    case PlayAction::kInstall:
      if (auto* item = SelectedProgram()) parts_.installer.InstallProc(*item);
      break;
    case PlayAction::kRunUpdate:
      if (auto* update = RecordAt(cat.Update, selection_.ItemIndex, cat.UpdateCount);
          update && update->NoRun == 0) {
        parts_.launchers.Make().NormalExec(PageDiscFolder(disc, selection_.PageKind) + update->FileName,
                                           platform::kShowNormal);
      }
      break;
    case PlayAction::kOpenFilm:
      if (auto* film = RecordAt(cat.Movie, selection_.ItemIndex, cat.MovieCount)) {
        services_.platform.shell.ShellExecute("OPEN", film->InstallDir + "\\" + film->GameName, "", "",
                                              platform::kShowNormal);
      }
      break;
    case PlayAction::kOpenDiskmag:
      services_.platform.shell.ShellExecute("OPEN", PageDiscFolder(disc, selection_.PageKind) + "index.htm",
                                            "", "", platform::kShowNormal);
      break;
    case PlayAction::kRun:
      if (auto* item = SelectedProgram()) RunProc(*item);
      break;
    case PlayAction::kNone:
      break;
  }
}

void Actions::ReadmeDIBImageClick() {
  if (controls_.ReadmeImage->tag == 0) return;
  parts_.music.StopMusic();
  std::string path;
  switch (PageOf(selection_.PageKind).readme) {
    case ReadmeAction::kInstalledFolder:
      if (auto* item = SelectedProgram()) path = item->InstalledDir + "\\" + item->ReadmeName;
      break;
    case ReadmeAction::kDiscFolder:
      if (auto* item = SelectedProgram()) path = item->InstallDir + "\\" + item->ReadmeName;
      break;
    case ReadmeAction::kSoftwareFolder:
      if (auto* item = SelectedProgram()) {
        path =
            PageDiscFolder(files_.DiscRoot, selection_.PageKind) + item->InstallDir + "\\" + item->ReadmeName;
      }
      break;
    case ReadmeAction::kUpdatesFolder: {
      auto& cat = data_.catalog;
      if (auto* update = RecordAt(cat.Update, selection_.ItemIndex, cat.UpdateCount)) {
        const std::size_t slash = update->FileName.find_last_of('\\');
        const std::string folder = slash == std::string::npos ? "" : update->FileName.substr(0, slash) + "\\";
        path = PageDiscFolder(files_.DiscRoot, selection_.PageKind) + folder + update->ReadmeName;
      }
      break;
    }
    case ReadmeAction::kNone:
      break;
  }
  if (!path.empty()) parts_.launchers.Make().ShellExec(path, platform::kShowNormal);
}

void Actions::WebDIBImageClick() {
  if (controls_.WebImage->tag == 0) return;
  parts_.music.StopMusic();
  std::string web;
  switch (PageOf(selection_.PageKind).web) {
    case WebAction::kItem:
      if (auto* item = SelectedProgram()) web = item->Web;
      break;
    case WebAction::kShot: {
      auto& cat = data_.catalog;
      if (auto* shot = RecordAt(cat.Shot, selection_.ItemIndex, cat.ShotCount)) web = shot->Web;
      break;
    }
    case WebAction::kNone:
      return;
  }
  if (web.empty()) return;
  services_.platform.shell.ShellExecute("OPEN", WebAddress(web), "", "", platform::kShowNormal);
}

void Actions::PlayClick(int n) {
  QuickRun(selection_.TopIndex + n - 1);
}

void Actions::QuickRun(int index) {
  const PageKindInfo& page = PageOf(selection_.PageKind);
  if (page.settings_switches) {
    parts_.settings_page.SwitchRow(index);
    return;
  }
  if (page.quick_run_rows == 0) return;
  if (catalog::TDemos* item = PageProgramRow(data_, selection_.PageKind, index)) RunProc(*item);
}

std::string Actions::ChooseProgram(const catalog::TDemos& item) {
  std::vector<std::string> entries = catalog::SplitFields(item.GameName);
  auto& files = services_.platform.files;
  for (auto it = entries.end(); it != entries.begin();) {
    --it;
    const std::string program = install::StripArguments(installed::BeforeColon(*it));
    if (!files.FileExists(item.InstalledDir + "\\" + program)) it = entries.erase(it);
  }
  if (entries.empty()) return {};
  if (!Contains(item.GameName, ";")) return entries.front();
  std::size_t chosen = 0;
  if (entries.size() >= 2) {
    std::vector<std::string> labels;
    for (const auto& entry : entries) {
      const std::size_t colon = entry.find(':');
      labels.push_back(colon == std::string::npos ? entry : entry.substr(colon + 1, kMaxLabel));
    }
    const auto choice = services_.host.ChooseVersion(look_.AppTitle, kVersionPrompt, labels);
    if (!choice || *choice >= entries.size()) return {};
    chosen = *choice;
  }
  return installed::BeforeColon(entries[chosen]);
}

void Actions::RunProc(catalog::TDemos& item) {
  if (item.InstallType < catalog::kInstallDiscOnly) {
    if (Contains(item.GameName, ":")) {
      const std::string program = ChooseProgram(item);
      if (!program.empty()) LaunchItemFile(item, item.InstalledDir + "\\" + program);
    } else {
      LaunchItemFile(item, item.InstalledDir + "\\" + item.GameName);
    }
    return;
  }
  if (item.InstallType == catalog::kInstallPlayedFromDisc &&
      !Contains(strings::UCase(item.GameName), ".MPG")) {
    services_.platform.shell.ShellExecute("PLAY", item.InstalledDir + "\\" + item.GameName, "",
                                          item.InstalledDir, platform::kShowNormal);
  }
}

void Actions::LaunchItemFile(catalog::TDemos& item, std::string_view path) {
  if (item.InstallType == catalog::kInstallFromDisc && !item.Param.empty()) {
    // A program run from the disc that leaves a marker file: wait for it, then see what it left.
    parts_.launchers.Make().WaitExec(path, platform::kShowNormal);
    parts_.redetection.Redetect(item);
    parts_.view.Refresh();
    return;
  }
  const std::string upper = strings::UCase(path);
  const bool media = std::any_of(std::begin(kMediaKinds), std::end(kMediaKinds),
                                 [&](std::string_view kind) { return Contains(upper, kind); });
  if (media) {
    parts_.launchers.Make().ShellExec(path, platform::kShowNormal);
  } else {
    parts_.launchers.Make().NormalExec(path, platform::kShowNormal);
  }
}

}  // namespace norva::menu
