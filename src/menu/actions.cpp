#include "menu/actions.h"

#include <algorithm>

#include "catalog/text_prep.h"
#include "install/command_text.h"
#include "installed/path_text.h"
#include "menu/installer.h"
#include "menu/item_list.h"
#include "menu/main_form.h"
#include "menu/music.h"
#include "menu/page_kinds.h"
#include "menu/pages.h"
#include "menu/program_records.h"
#include "menu/settings_page.h"
#include "strings/ucase.h"

namespace norva::menu {
namespace {

constexpr int kRows = 10;
constexpr int kQuickRunImage = 88;
constexpr std::size_t kMaxLabel = 50;
constexpr int kFirstDiscOnlyType = 12;
constexpr int kPlayedFromDiscType = 20;
constexpr const char* kVersionPrompt = "Jakou verzi hry chcete spustit?";
// Files the system's player opens.
constexpr std::string_view kMediaKinds[] = {".WMZ", ".AVI", ".WMV", ".MOV", ".MPG", ".MP3", ".M3U", ".XM"};

template <typename Array>
auto* RecordAt(Array& records, int index, int count) {
  const bool inside = index >= 1 && index <= count && static_cast<std::size_t>(index) < records.size();
  return inside ? &records[static_cast<std::size_t>(index)] : nullptr;
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
  auto& c = form_.controls();
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
      if (form_.PageKind != kPageSettings) icon->image = kQuickRunImage + 1 + 2 * form_.NightMode;
    };
    icon->OnMouseLeave = [this, icon, leave] {
      if (leave) leave();
      if (form_.PageKind != kPageSettings) icon->image = kQuickRunImage + 2 * form_.NightMode;
    };
  }
}

catalog::TDemos* Actions::SelectedProgram() {
  return ProgramRecord(form_, form_.PageKind, form_.ItemIndex);
}

void Actions::InstallOrRun(catalog::TDemos& item) {
  if (item.Runnable == 1) {
    RunProc(item);
  } else {
    form_.installer().InstallProc(item);
  }
}

void Actions::PlayDIBImageClick() {
  if (form_.controls().PlayImage->tag == 0) return;
  form_.music().StopMusic();
  auto& cat = form_.catalog();
  const std::string& disc = form_.DiscRoot;
  switch (form_.PageKind) {
    case kPageDemos:
    case kPageExtra:
    case kPageReaders:
    case kPageFulls:
    case kPageExtra2:
      if (auto* item = SelectedProgram()) InstallOrRun(*item);
      break;
    case kPageShareware:
      if (auto* item = SelectedProgram()) {
        const std::string folder = disc + "\\Software\\" + item->InstallDir;
        const std::string file = folder + "\\" + item->InstallName;
        if (Contains(item->InstallName, ".INF")) {
          form_.platform().shell.ShellExecute("INSTALL", file, "", folder, platform::kShowNormal);
        } else {
          form_.launcher().NormalExec(file, platform::kShowNormal);
        }
      }
      break;
    case kPageDrivers:
      if (auto* item = SelectedProgram()) form_.installer().InstallProc(*item);
      break;
    case kPageUpdates:
      if (auto* update = RecordAt(cat.Update, form_.ItemIndex, cat.UpdateCount);
          update && update->NoRun == 0) {
        form_.launcher().NormalExec(disc + "\\Updates\\" + update->FileName, platform::kShowNormal);
      }
      break;
    case kPageFilms:
      if (auto* film = RecordAt(cat.Movie, form_.ItemIndex, cat.MovieCount)) {
        form_.platform().shell.ShellExecute("OPEN", film->InstallDir + "\\" + film->GameName, "", "",
                                            platform::kShowNormal);
      }
      break;
    case kPageQuillon:
      form_.platform().shell.ShellExecute("OPEN", disc + "\\Quillon\\index.htm", "", "",
                                          platform::kShowNormal);
      break;
    case kPageInstalled:
      if (auto* item = SelectedProgram()) RunProc(*item);
      break;
    default:
      break;
  }
}

void Actions::ReadmeDIBImageClick() {
  if (form_.controls().ReadmeImage->tag == 0) return;
  form_.music().StopMusic();
  std::string path;
  switch (form_.PageKind) {
    case kPageDemos:
    case kPageReaders:
    case kPageFulls:
    case kPageExtra2:
      if (auto* item = SelectedProgram()) path = item->InstalledDir + "\\" + item->ReadmeName;
      break;
    case kPageExtra:
    case kPageDrivers:
      if (auto* item = SelectedProgram()) path = item->InstallDir + "\\" + item->ReadmeName;
      break;
    case kPageShareware:
      if (auto* item = SelectedProgram()) {
        path = form_.DiscRoot + "\\Software\\" + item->InstallDir + "\\" + item->ReadmeName;
      }
      break;
    case kPageUpdates: {
      auto& cat = form_.catalog();
      if (auto* update = RecordAt(cat.Update, form_.ItemIndex, cat.UpdateCount)) {
        const std::size_t slash = update->FileName.find_last_of('\\');
        const std::string folder = slash == std::string::npos ? "" : update->FileName.substr(0, slash) + "\\";
        path = form_.DiscRoot + "\\Updates\\" + folder + update->ReadmeName;
      }
      break;
    }
    default:
      break;
  }
  if (!path.empty()) form_.launcher().ShellExec(path, platform::kShowNormal);
}

void Actions::WebDIBImageClick() {
  if (form_.controls().WebImage->tag == 0) return;
  form_.music().StopMusic();
  std::string web;
  switch (form_.PageKind) {
    case kPageDemos:
    case kPageExtra:
    case kPageShareware:
    case kPageDrivers:
    case kPageReaders:
    case kPageFulls:
    case kPageExtra2:
      if (auto* item = SelectedProgram()) web = item->Web;
      break;
    case kPageShots: {
      auto& cat = form_.catalog();
      if (auto* shot = RecordAt(cat.Shot, form_.ItemIndex, cat.ShotCount)) web = shot->Web;
      break;
    }
    default:
      return;
  }
  if (web.empty()) return;
  form_.platform().shell.ShellExecute("OPEN", WebAddress(web), "", "", platform::kShowNormal);
}

void Actions::PlayClick(int n) {
  QuickRun(form_.TopIndex + n - 1);
}

void Actions::QuickRun(int index) {
  catalog::TDemos* item = nullptr;
  switch (form_.PageKind) {
    case kPageDemos:
    case kPageReaders:
    case kPageFulls:
      item = ProgramRecord(form_, form_.PageKind, index);
      break;
    case kPageSettings:
      form_.settings().SwitchRow(index);
      return;
    default:
      return;
  }
  if (item != nullptr) RunProc(*item);
}

std::string Actions::ChooseProgram(const catalog::TDemos& item) {
  std::vector<std::string> entries = catalog::SplitFields(item.GameName);
  auto& files = form_.platform().files;
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
    const auto result = form_.host().ChooseVersion(form_.AppTitle, kVersionPrompt, labels);
    if (!result) return {};
    const int choice = *result - 10;
    if (choice < 1 || choice > static_cast<int>(entries.size())) return {};
    chosen = static_cast<std::size_t>(choice - 1);
  }
  return installed::BeforeColon(entries[chosen]);
}

void Actions::RunProc(catalog::TDemos& item) {
  if (item.InstallType < kFirstDiscOnlyType) {
    if (Contains(item.GameName, ":")) {
      const std::string program = ChooseProgram(item);
      if (!program.empty()) LaunchItemFile(item, item.InstalledDir + "\\" + program);
    } else {
      LaunchItemFile(item, item.InstalledDir + "\\" + item.GameName);
    }
    return;
  }
  if (item.InstallType == kPlayedFromDiscType && !Contains(strings::UCase(item.GameName), ".MPG")) {
    form_.platform().shell.ShellExecute("PLAY", item.InstalledDir + "\\" + item.GameName, "",
                                        item.InstalledDir, platform::kShowNormal);
  }
}

void Actions::LaunchItemFile(catalog::TDemos& item, std::string_view path) {
  if (item.InstallType == 0 && !item.Param.empty()) {
    // A program run from the disc that leaves a marker file: wait for it, then see what it left.
    form_.launcher().WaitExec(path, platform::kShowNormal);
    if (auto* detector = form_.detector()) {
      const platform::IniUpdate store_update(form_.StoreIni.get());
      detector->CheckDemo(item);
    }
    form_.item_list().FillList();
    form_.pages().ProcessPage();
    return;
  }
  const std::string upper = strings::UCase(path);
  const bool media = std::any_of(std::begin(kMediaKinds), std::end(kMediaKinds),
                                 [&](std::string_view kind) { return Contains(upper, kind); });
  if (media) {
    form_.launcher().ShellExec(path, platform::kShowNormal);
  } else {
    form_.launcher().NormalExec(path, platform::kShowNormal);
  }
}

}  // namespace norva::menu
