// The page setters of the detail panel.
#include "menu/detail_panel.h"

#include <string_view>

#include "catalog/text_prep.h"
#include "menu/date_text.h"
#include "menu/page_kinds.h"
#include "menu/page_view.h"
#include "menu/pictures.h"
#include "menu/redetection.h"
#include "menu/settings_page.h"

namespace norva::menu {
namespace {

bool InRange(int index, std::size_t size) {
  return index >= 1 && static_cast<std::size_t>(index) < size;
}

template <typename Array>
auto* Record(Array& records, int index) {
  return InRange(index, records.size()) ? &records[static_cast<std::size_t>(index)] : nullptr;
}

// Catalog and store texts are shown as they are: an ampersand of a firm's name is no shortcut mark.
std::string Shown(std::string_view text) {
  return catalog::DoubleAmpersands(text);
}

std::string TitleOr(const std::string& full_name, const std::string& fallback) {
  return Shown(full_name.empty() ? fallback : full_name);
}

}  // namespace

void DetailPanel::SetDemos() {
  if (auto* item = Record(data_.catalog.Demo, selection_.ItemIndex)) SetProgram(*item, true);
}

void DetailPanel::SetExtra2() {
  if (auto* item = Record(data_.catalog.Extra2, selection_.ItemIndex)) SetProgram(*item, false);
}

void DetailPanel::SetProgram(catalog::TDemos& item, bool demos_rule) {
  auto& c = controls_;
  InstalledReCheck(item);
  c.NameLabel->caption = TitleOr(item.FullName, item.Title);
  c.FirmLabel->caption = Shown(item.Firm);
  if (!ShowDate(item.Date)) return;
  StandardDescription(item.Describe0, item.Describe, item.DescribeAlt);
  ReadmeRule(item);
  WebButton(!item.Web.empty());
  DoFlags(item.Flags);
  PlayButton(!item.GameName.empty());
  if (demos_rule && item.Installed == 0 && item.InstallName.empty()) PlayButton(false);
  StopButton(item.Installed == 1);
  ShowPicture(item.Picture);
}

void DetailPanel::SetFulls() {
  auto* item = Record(data_.catalog.Full, selection_.ItemIndex);
  if (item == nullptr) return;
  auto& c = controls_;
  InstalledReCheck(*item);
  WebButton(!item->Web.empty());
  c.NameLabel->caption = TitleOr(item->FullName, item->Title);
  c.FirmLabel->caption = Shown(item->Firm);
  if (!ShowDate(item->Date)) return;
  StandardDescription(item->Describe0, item->Describe, item->DescribeAlt);
  ReadmeRule(*item);
  DoFlags(item->Flags);
  PlayButton(!item->GameName.empty());
  StopButton(item->Installed == 1);
  ShowPicture(item->Picture);
}

void DetailPanel::SetExtra() {
  auto* item = Record(data_.catalog.Extra, selection_.ItemIndex);
  if (item == nullptr) return;
  auto& c = controls_;
  StandardDescription(item->Describe0, item->Describe, item->DescribeAlt);
  c.FirmLabel->caption = Shown(item->Firm);
  c.NameLabel->caption = TitleOr(item->FullName, item->Title);
  DoFlags(item->Flags);
  PlayButton(item->InstallDir.size() > 3);
  if (item->InstallType != 0) {
    PlayButton(true);
    StopButton(false);
  } else {
    // Runs from its folder on the disc.
    item->InstalledDir = item->InstallDir;
    item->Runnable = 1;
    PlayButton(false);
    StopButton(false);
    if (!item->GameName.empty()) PlayButton(true);
  }
  ReadmeButton(!item->ReadmeName.empty());
  WebButton(!item->Web.empty());
  if (!item->Picture.empty()) {
    picture_state_.SmallPictureLoaded = parts_.pictures.LoadSmallPicture(item->Picture);
    c.DIBImage4->visible = true;
  } else {
    c.DIBImage4->visible = false;
  }
}

void DetailPanel::SetShare() {
  auto* item = Record(data_.catalog.Share, selection_.ItemIndex);
  if (item == nullptr) return;
  auto& c = controls_;
  PlayButton(!item->InstallName.empty());
  c.NameLabel->caption = TitleOr(item->FullName, item->Title);
  c.FirmLabel->caption = Shown(item->Firm);
  WebButton(!item->Web.empty());
  StandardDescription(item->Describe0, item->Describe, item->DescribeAlt);
  ReadmeButton(!item->ReadmeName.empty());
}

void DetailPanel::SetDrivers() {
  auto* item = Record(data_.catalog.Driver, selection_.ItemIndex);
  if (item == nullptr) return;
  auto& c = controls_;
  c.NameLabel->caption = TitleOr(item->FullName, item->Name);
  c.FirmLabel->caption = Shown(item->TechInfo);
  if (!ShowDate(item->Date)) return;
  PlayButton(!item->InstallName.empty());
  StandardDescription(item->Describe0, item->Describe, item->DescribeAlt);
  ReadmeButton(!item->ReadmeName.empty());
  ShowPicture(item->Picture);
}

void DetailPanel::SetReaders() {
  auto* item = Record(data_.catalog.Reader, selection_.ItemIndex);
  if (item == nullptr) return;
  auto& c = controls_;
  c.NameLabel->caption = TitleOr(item->FullName, item->Name);
  c.FirmLabel->caption = Shown(item->Firm);
  // Readers' descriptions exist in Czech and Slovak only.
  if (look_.Language == 1) c.TextLabel->caption = Shown(item->Describe);
  if (look_.Language == 4) c.TextLabel->caption = Shown(item->DescribeAlt);
  ReadmeRule(*item);
  WebButton(!item->Web.empty());
  if (item->InstallType != 0 || !item->GameName.empty() || item->ReadmeName.empty()) {
    PlayButton(!item->InstallName.empty());
    if (item->InstallType == 0 && !item->GameName.empty()) {
      item->InstalledDir = item->InstallDir;
      PlayButton(true);
    }
    StopButton(item->Installed == 1);
  } else {
    // A document-only item: its readme is read straight from the disc.
    item->InstalledDir = item->InstallDir;
    ReadmeButton(true);
    PlayButton(false);
    StopButton(false);
  }
  picture_state_.SmallPictureLoaded = parts_.pictures.LoadSmallPicture(item->Picture);
  FlagCZ(true);
}

void DetailPanel::SetUpdates() {
  auto* item = Record(data_.catalog.Update, selection_.ItemIndex);
  if (item == nullptr) return;
  ReadmeButton(!item->ReadmeName.empty());
  controls_.NameLabel->caption = Shown(item->Name + " " + item->Suffix);
  PlayButton(!item->FileName.empty());
}

void DetailPanel::SetShots() {
  auto* item = Record(data_.catalog.Shot, selection_.ItemIndex);
  if (item == nullptr) return;
  auto& c = controls_;
  c.FirmLabel->caption = Shown(item->Firm);
  c.NameLabel->caption = TitleOr(item->FullName, item->Name);
  FlagUnPlayable(true);
  if (!ShowDate(item->Date)) return;
  StandardDescription(item->Describe0, item->Describe, item->DescribeAlt);
  WebButton(!item->Web.empty());
  ShowPicture(item->Picture);
}

void DetailPanel::SetFilms() {
  auto* item = Record(data_.catalog.Movie, selection_.ItemIndex);
  if (item == nullptr) return;
  auto& c = controls_;
  FlagCZ(item->Name == "RUNAWAY");
  FlagUnPlayable(true);
  // On a DVD the first trailer comes with its codec.
  c.Label2->visible = !(selection_.ItemIndex == 1 && data_.catalog.IsDVD != 0);
  if (look_.Language == 0) c.TextLabel->caption = Shown(item->Describe0);
  if (look_.Language >= 1 && look_.Language <= 6) c.TextLabel->caption = Shown(item->Describe);
  c.FirmLabel->caption = Shown(item->Firm);
  if (!ShowDate(item->Date)) return;
  if (item->Picture != "NUL")
    picture_state_.SmallPictureLoaded = parts_.pictures.LoadSmallPicture(item->Picture);
  c.NameLabel->caption = TitleOr(item->FullName, item->Name);
  PlayButton(!item->GameName.empty());
}

void DetailPanel::SetInstalled() {
  auto* item = Record(data_.installed.InstalledList, selection_.ItemIndex);
  if (item == nullptr) return;
  auto& c = controls_;
  c.NameLabel->caption = Shown(item->Name);
  c.FirmLabel->caption = Shown(item->TechInfo);  // the disc the item came from
  PlayButton(item->Runnable != 0);
  StopButton(item->Installed != 0);
}

void DetailPanel::SetSettings() {
  parts_.settings_page.SetSettings();
}

void DetailPanel::ProcessPage() {
  const int kind = selection_.PageKind;
  const PageKindInfo* page = PageKindOf(kind);
  const int count = PageItemCount(data_, kind);
  if (page != nullptr && !page->fixed_rows && selection_.ItemIndex < 1) {
    // End or Page Down on an empty page select item 0, which names no record: the panel stays empty.
    SetOff();
  } else if (page != nullptr && page->panel != nullptr) {
    (this->*(page->panel))();
  }
  // The diskmag and unknown kinds have no panel of their own.
  FollowPointer();
  auto& position = controls_.PositionLabel->caption;
  // " z " is the same in every language.
  position =
      count != 0 ? std::to_string(selection_.ItemIndex) + " z " + std::to_string(count) : std::string();
}

void DetailPanel::SetOff() {
  auto& c = controls_;
  c.FirmLabel->caption.clear();
  c.NameLabel->caption.clear();
  c.DateLabel->caption.clear();
  PlayButton(false);
  StopButton(false);
  WebButton(false);
  ReadmeButton(false);
  FlagPlayable(false);
  FlagUnPlayable(false);
  FlagNet(false);
  Flag3D(false);
  FlagCZ(false);
  c.Label2->visible = false;
}

void DetailPanel::InstalledReCheck(catalog::TDemos& item) {
  if (item.Installed != 1) return;
  if (services_.platform.files.FileExists(item.InstalledDir + "\\" + item.GameName)) return;
  // The program was removed behind the menu's back: ask detection again rather than fail on Run.
  parts_.redetection.Redetect(item);
  services_.host.ProcessMessages();
  parts_.view.FillList();
}

void DetailPanel::ReadmeRule(const catalog::TDemos& item) {
  if (item.ReadmeName.empty() || item.NotInstalled != 0) {
    ReadmeButton(false);
    return;
  }
  if (data_.catalog.DebugMode &&
      !services_.platform.files.FileExists(item.InstalledDir + "\\" + item.ReadmeName)) {
    services_.host.ShowMessage(MessageKind::kInformation, look_.AppTitle, "Readme file not found...",
                               MessageButtons::kOk);
  }
  ReadmeButton(true);
}

bool DetailPanel::ShowDate(const std::string& code) {
  const DateText date = CreateDate(code, look_.Language, services_.messages);
  if (!date.ok()) {
    services_.host.ShowMessage(MessageKind::kError, look_.AppTitle, date.error, MessageButtons::kOk);
    return false;
  }
  controls_.DateLabel->caption = date.text;
  return true;
}

void DetailPanel::StandardDescription(const std::string& describe0, const std::string& describe,
                                      const std::string& describe_alt) {
  auto& text = controls_.TextLabel->caption;
  switch (look_.Language) {
    case 0:
      text = Shown(describe0);
      break;
    case 1:
    case 2:
    case 3:
    case 5:
    case 6:
      text = Shown(describe);
      break;
    case 4:
      text = Shown(describe_alt);
      break;
    default:
      break;
  }
}

void DetailPanel::ShowPicture(const std::string& name) {
  picture_state_.GalleryIndex = 1;
  picture_state_.SmallPictureLoaded = parts_.pictures.LoadSmallPicture(name);
}

}  // namespace norva::menu
