#include "menu/installed_page.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdint>
#include <optional>

#include "catalog/text_prep.h"
#include "install/command_text.h"
#include "installed/install_store.h"
#include "installed/path_text.h"
#include "menu/item_list.h"
#include "menu/page_kinds.h"
#include "menu/page_view.h"
#include "menu/pictures.h"

namespace norva::menu {
namespace {

constexpr std::string_view kUninstallKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
// The one issue whose menu did not record the uninstaller: it is looked up in the registry instead.
constexpr std::string_view kIssueWithoutUninstaller = "0198";
constexpr int kPageTextMessage = 33;
constexpr int kHiddenBarTop = -100;

// A decimal number in the whole text (an optional minus sign, then digits); nullopt otherwise.
std::optional<std::int32_t> Decimal(std::string_view text) {
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// Characters `from`..`from + count - 1` (1-based) as far as the text reaches.
std::string_view Chars(std::string_view text, std::size_t from, std::size_t count) {
  if (from > text.size()) return {};
  return text.substr(from - 1, count);
}

bool IsMainSection(std::string_view name) {
  if (name.size() != 4) return false;
  return std::equal(name.begin(), name.end(), "MAIN",
                    [](char a, char b) { return std::toupper(static_cast<unsigned char>(a)) == b; });
}

bool LessNoCase(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
  });
}

std::string Part(const std::vector<std::string>& parts, std::size_t n) {
  return n <= parts.size() ? parts[n - 1] : std::string();
}

}  // namespace

void InstalledPage::SetInstalledPage() {
  auto& c = controls_;
  selection_.PageKind = kPageInstalled;
  selection_.TopIndex = 1;
  selection_.ItemIndex = 1;
  parts_.view.FillList();
  picture_state_.SmallPictureLoaded = parts_.pictures.LoadSmallPicture("iko08");
  c.DIBImage4->visible = true;

  const auto entries = SortedEntries(IssueSections());

  // A row of the previous build is emptied whole, not just its name: a stale Installed byte would keep the
  // Uninstall button of a row that no longer exists.
  auto& rows = data_.installed.InstalledList;
  const int old_count = std::min<int>(data_.installed.InstalledCount, static_cast<int>(rows.size()) - 1);
  for (int r = 1; r <= old_count; ++r) rows[r] = catalog::TDemos{};

  int kept = 0;
  if (files_.StoreIni) {
    // The stale entries of all issues go in one change of the store.
    const platform::IniUpdate store_update(files_.StoreIni.get());
    const platform::Platform& machine = services_.platform;
    installed::InstallStore store(*files_.StoreIni, machine.ini, machine.files, files_.Folders.WindowsDir,
                                  data_.catalog.IssueCode);
    const int examined = std::min<int>(static_cast<int>(entries.size()), kMaxRows);
    for (int i = 0; i < examined; ++i) {
      catalog::TDemos& row = rows[kept + 1];
      row = catalog::TDemos{};
      if (BuildRow(entries[i], row, store)) {
        ++kept;
      } else {
        row = catalog::TDemos{};
      }
    }
  }
  rows[kept + 1].Name.clear();
  data_.installed.InstalledCount = kept;

  c.TextLabel->caption = services_.messages.LoadSpecial(look_.Language * 100 + kPageTextMessage, "2-98");
  if (kept == 0) {
    parts_.list.ClearList();
    c.HighlightDIB->rect.top = kHiddenBarTop;
    // After an uninstall the panel may still show the row that just went away.
    parts_.view.SetOff();
  } else {
    parts_.view.Refresh();
  }
}

std::vector<std::string> InstalledPage::IssueSections() {
  std::vector<std::string> kept;
  if (!files_.StoreIni) return kept;
  for (std::string& name : files_.StoreIni->ReadSections()) {
    if (IsMainSection(name)) continue;
    // "CD" + MMYY: the year must be a number.
    const std::string_view year = Chars(name, 5, 2);
    if (year.empty() || !std::all_of(year.begin(), year.end(),
                                     [](char ch) { return std::isdigit(static_cast<unsigned char>(ch)); }))
      continue;
    kept.push_back(std::move(name));
  }
  return kept;
}

std::vector<std::string> InstalledPage::SortedEntries(const std::vector<std::string>& sections) {
  std::vector<std::string> entries;
  for (const std::string& section : sections) {
    for (const std::string& key : files_.StoreIni->ReadSection(section)) {
      // Only DirEntry keys; RecordEntry and UninstallerEntry end with an underscore.
      if (!key.empty() && key.back() == '_') continue;
      entries.push_back(key + ";" + section);
    }
  }
  std::stable_sort(entries.begin(), entries.end(), LessNoCase);
  return entries;
}

bool InstalledPage::BuildRow(std::string_view entry, catalog::TDemos& row, installed::InstallStore& store) {
  platform::IniFile& ini = store.File();
  row.Runnable = 1;
  const std::size_t cut = entry.rfind(';');
  row.Name = std::string(entry.substr(0, cut));
  const std::string code(Chars(entry.substr(cut + 1), 3, 4));
  const std::string section = installed::IssueSection(code);
  row.InstalledDir = ini.ReadString(section, installed::DirEntryKey(row.Name), "");
  std::string label = IssueLabel(code);

  const auto parts = catalog::SplitFields(ini.ReadString(section, installed::RecordEntryKey(row.Name), ""));
  if (parts.empty()) return false;
  // A record cut short by hand reads its missing fields as empty.
  row.GameName = Part(parts, 1);
  row.RegUninstall = Part(parts, 2);
  row.Uninstall = Part(parts, 3);
  int disc = 0;
  if (parts.size() > 3 && !parts[3].empty()) disc = static_cast<std::uint8_t>(Decimal(parts[3]).value_or(0));
  if (disc >= 1 && disc <= 9) {
    label += "-" + std::to_string(disc);
  } else if (disc >= 10) {
    // Runs only from its own issue's disc.
    disc -= 10;
    if (code != data_.catalog.IssueCode) row.Runnable = 0;
    if (disc != 0) label += "-" + std::to_string(disc);
  }
  row.TechInfo = label;

  row.UnInstallName = ini.ReadString(section, installed::UninstallerEntryKey(row.Name), "");
  if (code == kIssueWithoutUninstaller && row.UnInstallName.empty())
    row.UnInstallName = RegistryUninstaller(row.RegUninstall);
  row.InstallType = row.UnInstallName.empty() ? 2 : 4;

  const std::string program = install::StripArguments(installed::BeforeColon(row.GameName));
  if (!row.InstalledDir.empty() && services_.platform.files.FileExists(row.InstalledDir + "\\" + program)) {
    row.Installed = 1;
    row.NotInstalled = 0;
    return true;
  }
  // A program on a drive that is not there today (an unplugged disk, a drive letter not mapped now) may well
  // come back: its entries stay, unlisted, until the file is missing from a drive that is there.
  if (!row.InstalledDir.empty() && !DriveIsThere(row.InstalledDir)) return false;
  store.DeleteEntries(code, row.Name);
  return false;
}

bool InstalledPage::DriveIsThere(const std::string& dir) {
  const platform::Platform& machine = services_.platform;
  if (dir.size() >= 2 && dir[1] == ':') return machine.drives.IsReady(dir[0]);
  // A network path cannot be judged; a path without a drive lies on the current one.
  if (dir.starts_with("\\\\")) return false;
  const std::string current = machine.files.CurrentDir();
  return !current.empty() && machine.drives.IsReady(current[0]);
}

std::string InstalledPage::IssueLabel(const std::string& code) {
  const auto month = Decimal(Chars(code, 1, 2));
  if (month && *month >= 1 && *month <= 12)
    return "NORVA " + std::string(Chars(code, 1, 2)) + "-" + std::string(Chars(code, 3, 2));
  // Only a key that the catalog load could have written; any other [Main] key is a setting.
  return installed::IsDiscLabelKey(code) ? files_.StoreIni->ReadString("Main", code, "") : std::string();
}

std::string InstalledPage::RegistryUninstaller(const std::string& reg_uninstall) {
  const std::string key = std::string(kUninstallKey) + reg_uninstall;
  return services_.platform.registry.ReadString(platform::RegRoot::kLocalMachine, key, "UninstallString")
      .value_or(std::string());
}

}  // namespace norva::menu
