#include "menu/dir_chooser.h"

#include <algorithm>

#include "installed/file_tree.h"
#include "menu/page_kinds.h"
#include "platform/dos_path.h"
#include "strings/ucase.h"

namespace norva::menu {
namespace {

constexpr std::size_t kMaxSuggestion = 50;
constexpr std::size_t kMaxPath = 255;

// Messages of the dialog.
constexpr int kCannotCreate = 15;

// `text` from its `from`-th character (1-based) on, at most 50 characters.
std::string Tail(const std::string& text, std::size_t from) {
  return from - 1 < text.size() ? text.substr(from - 1, kMaxSuggestion) : std::string();
}

bool IsLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

char UpperLetter(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

bool CreateDirChain(platform::FileSystem& files, std::string_view given, std::vector<std::string>* created) {
  std::vector<std::string> made;
  if (given.empty() || given.size() > kMaxPath) return false;
  // A full path is walked as the machine resolves it: "/" separates too, and a folder that a later ".."
  // leaves is not made (it would stay behind empty, outside the chosen folder).
  std::string normal(given);
  if (given.size() >= 3 && given[1] == ':' && (given[2] == '\\' || given[2] == '/')) {
    if (const auto parsed = platform::ParseDosPath(given, platform::DosPath{})) {
      normal = platform::FormatDosPath(*parsed);
    }
  }
  const std::string_view path = normal;
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (path[i] != '\\' && i + 1 != path.size()) continue;
    const std::string step(path.substr(0, path[i] == '\\' ? i : i + 1));
    // Steps that cannot be made, such as the drive itself or a folder that is there, are passed over.
    if (!step.empty() && files.CreateDir(step)) made.push_back(step);
  }
  if (!files.DirExists(path)) {
    for (auto it = made.rbegin(); it != made.rend(); ++it) files.RemoveDir(*it);
    return false;
  }
  if (created) *created = std::move(made);
  return true;
}

DirChooser::DirChooser(Services services, const components::Window& window, const Appearance& look,
                       const Selection& selection, const MenuFiles& files, const catalog::TDemos& item)
    : services_(services), look_(look), selection_(selection), files_(files), item_(item) {
  Left = window.left + kOffsetLeft;
  Top = window.top + kOffsetTop;
  NightMode = look_.NightMode;
  Timer1.OnTimer = [this] { Timer1Timer(); };
  const ArchiveRules& rules = Rules();
  if (rules.catalog_section != nullptr) {
    if (rules.suggestion != nullptr) {
      SuggestedName = rules.suggestion;
    } else if (!rules.documents || item_.InstallType != catalog::kInstallReaderDocument) {
      SuggestedName = Tail(item_.InstallDir, static_cast<std::size_t>(rules.suggestion_from));
    }
    Caption = services_.messages.LoadString(look_.Language * 100 + rules.chooser_caption);
  }
  if (Forced()) {
    // The suggestion becomes the forced folder without its drive ("D:\" or "?:\"); only a "?" lets the user
    // move it to another drive, which then keeps the rest of the folder.
    const std::string forced = item_.Param;
    SuggestedName = forced.size() > 3 ? forced.substr(3) : std::string();
    EditReadOnly = true;
    FolderListEnabled = false;
    DriveListEnabled = !forced.empty() && forced[0] == '?';
  }
  ResetEdit();
}

const ArchiveRules& DirChooser::Rules() const {
  return PageArchiveRules(selection_.PageKind);
}

bool DirChooser::Forced() const {
  return Rules().forced_folder && item_.InstallType == catalog::kInstallUnpackForced;
}

std::vector<DirChooser::DriveItem> DirChooser::Drives() const {
  std::vector<DriveItem> drives;
  auto& machine = services_.platform.drives;
  for (char letter : machine.Letters()) drives.push_back({letter, machine.TypeOf(letter)});
  return drives;
}

std::vector<std::string> DirChooser::SubFolders(std::string_view folder) const {
  std::vector<std::string> names;
  const std::string path = folder.ends_with('\\') ? std::string(folder) : std::string(folder) + "\\";
  if (auto entries = services_.platform.files.ListDir(path)) {
    for (const auto& entry : *entries) {
      if (entry.is_dir && entry.name != "." && entry.name != "..") names.push_back(entry.name);
    }
  }
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return strings::UCase(a) < strings::UCase(b); });
  return names;
}

void DirChooser::ResetEdit() {
  EditDir1 = Folder + (Folder.size() == 3 ? "" : "\\") + SuggestedName;
}

void DirChooser::FormActivate() {
  Timer1.SetEnabled(true);
}

void DirChooser::Timer1Timer() {
  Timer1.SetEnabled(false);
  if (Forced() && !closed_) OKButtonClick();
}

bool DirChooser::DriveComboBox1Change(char letter) {
  if (!DriveListEnabled || closed_) return false;
  letter = UpperLetter(letter);
  auto& drives = services_.platform.drives;
  if (!drives.IsReady(letter)) {
    // The folder list cannot read the drive: it stays where it was.
    services_.host.ShowMessage(MessageKind::kError, look_.AppTitle, "Drive not ready!", MessageButtons::kOk);
    return false;
  }
  Drive = letter;
  DirectoryListBox1Change(std::string(1, letter) + ":\\");
  const bool cd_rom = drives.TypeOf(letter) == platform::DriveType::kCdRom;
  OKEnabled = !cd_rom;
  CanAccept = !cd_rom;
  return true;
}

void DirChooser::DirectoryListBox1Change(std::string_view folder) {
  if (closed_) return;
  Folder = std::string(folder);
  // A drive root keeps its backslash; other folders are shown without one.
  if (Folder.size() > 3 && Folder.back() == '\\') Folder.pop_back();
  ResetEdit();
}

void DirChooser::EditChange(std::string_view text) {
  if (!EditReadOnly && !closed_) EditDir1 = std::string(text);
}

bool DirChooser::Creatable(std::string_view text) const {
  if (text.size() < 3 || !IsLetter(text[0]) || text[1] != ':' || text[2] != '\\') return false;
  const char letter = UpperLetter(text[0]);
  auto& drives = services_.platform.drives;
  return drives.IsReady(letter) && drives.TypeOf(letter) != platform::DriveType::kCdRom;
}

void DirChooser::OKButtonClick() {
  if (closed_ || !CanAccept) return;
  // Other pages have no archive items: there is nothing to accept.
  const int question = Rules().chooser_question;
  if (question == 0) return;
  const std::string text =
      services_.messages.LoadSpecial(look_.Language * 100 + question, strings::UCase(EditDir1));
  if (services_.host.ShowMessage(MessageKind::kConfirmation, look_.AppTitle, text, MessageButtons::kYesNo) !=
      MessageAnswer::kYes) {
    ResetEdit();
    return;
  }
  std::string dir = EditDir1;
  if (!dir.empty() && dir.back() == '\\') dir.pop_back();
  EditDir1 = dir;
  installed::FileTree tree(services_.platform.files, files_.Folders);
  bool exists = dir.size() >= 2 && tree.DirExists(dir.size() == 2 ? dir + "\\" : dir);
  // Only a full path on a writable drive is made: a relative text would land in the current folder (the
  // disc), and the disc itself cannot take an installation.
  if (!exists && Creatable(dir)) exists = CreateDirChain(services_.platform.files, dir, &created_);
  if (!exists || !Creatable(dir + "\\")) {
    services_.host.ShowMessage(MessageKind::kError, look_.AppTitle,
                               services_.messages.LoadString(look_.Language * 100 + kCannotCreate),
                               MessageButtons::kOk);
    ResetEdit();
    return;
  }
  Close(dir);
}

void DirChooser::CancelButtonClick() {
  Close({});
}

void DirChooser::Close(std::string chosen) {
  chosen_dir_ = std::move(chosen);
  closed_ = true;
  Timer1.SetEnabled(false);
}

}  // namespace norva::menu
