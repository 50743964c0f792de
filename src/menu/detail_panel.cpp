// The page setters of the detail panel.
#include "menu/detail_panel.h"

#include <string_view>

#include "catalog/text_prep.h"
#include "menu/date_text.h"
#include "menu/item_list.h"
#include "menu/main_form.h"
#include "menu/page_kinds.h"
#include "menu/pictures.h"

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
  if (auto* item = Record(form_.catalog().Demo, form_.ItemIndex)) SetProgram(*item, true);
}

void DetailPanel::SetExtra2() {
  if (auto* item = Record(form_.catalog().Extra2, form_.ItemIndex)) SetProgram(*item, false);
}

void DetailPanel::SetProgram(catalog::TDemos& item, bool demos_rule) {
  auto& c = form_.controls();
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
  auto* item = Record(form_.catalog().Full, form_.ItemIndex);
  if (item == nullptr) return;
  auto& c = form_.controls();
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
  auto* item = Record(form_.catalog().Extra, form_.ItemIndex);
  if (item == nullptr) return;
  auto& c = form_.controls();
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
    form_.SmallPictureLoaded = form_.pictures().LoadSmallPicture(item->Picture);
    c.DIBImage4->visible = true;
  } else {
    c.DIBImage4->visible = false;
  }
}

void DetailPanel::SetShare() {
  auto* item = Record(form_.catalog().Share, form_.ItemIndex);
  if (item == nullptr) return;
  auto& c = form_.controls();
  PlayButton(!item->InstallName.empty());
  c.NameLabel->caption = TitleOr(item->FullName, item->Title);
  c.FirmLabel->caption = Shown(item->Firm);
  WebButton(!item->Web.empty());
  StandardDescription(item->Describe0, item->Describe, item->DescribeAlt);
  ReadmeButton(!item->ReadmeName.empty());
}

void DetailPanel::SetDrivers() {
  auto* item = Record(form_.catalog().Driver, form_.ItemIndex);
  if (item == nullptr) return;
  auto& c = form_.controls();
  c.NameLabel->caption = TitleOr(item->FullName, item->Name);
  c.FirmLabel->caption = Shown(item->TechInfo);
  if (!ShowDate(item->Date)) return;
  PlayButton(!item->InstallName.empty());
  StandardDescription(item->Describe0, item->Describe, item->DescribeAlt);
  ReadmeButton(!item->ReadmeName.empty());
  ShowPicture(item->Picture);
}

void DetailPanel::SetReaders() {
  auto* item = Record(form_.catalog().Reader, form_.ItemIndex);
  if (item == nullptr) return;
  auto& c = form_.controls();
  c.NameLabel->caption = TitleOr(item->FullName, item->Name);
  c.FirmLabel->caption = Shown(item->Firm);
  // Readers' descriptions exist in Czech and Slovak only.
  if (form_.Language == 1) c.TextLabel->caption = Shown(item->Describe);
  if (form_.Language == 4) c.TextLabel->caption = Shown(item->DescribeAlt);
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
  form_.SmallPictureLoaded = form_.pictures().LoadSmallPicture(item->Picture);
  FlagCZ(true);
}

void DetailPanel::SetUpdates() {
  auto* item = Record(form_.catalog().Update, form_.ItemIndex);
  if (item == nullptr) return;
  ReadmeButton(!item->ReadmeName.empty());
  form_.controls().NameLabel->caption = Shown(item->Name + " " + item->Suffix);
  PlayButton(!item->FileName.empty());
}

void DetailPanel::SetShots() {
  auto* item = Record(form_.catalog().Shot, form_.ItemIndex);
  if (item == nullptr) return;
  auto& c = form_.controls();
  c.FirmLabel->caption = Shown(item->Firm);
  c.NameLabel->caption = TitleOr(item->FullName, item->Name);
  FlagUnPlayable(true);
  if (!ShowDate(item->Date)) return;
  StandardDescription(item->Describe0, item->Describe, item->DescribeAlt);
  WebButton(!item->Web.empty());
  ShowPicture(item->Picture);
}

void DetailPanel::SetFilms() {
  auto* item = Record(form_.catalog().Movie, form_.ItemIndex);
  if (item == nullptr) return;
  auto& c = form_.controls();
  FlagCZ(item->Name == "RUNAWAY");
  FlagUnPlayable(true);
  // On a DVD the first trailer comes with its codec.
  c.Label2->visible = !(form_.ItemIndex == 1 && form_.catalog().IsDVD != 0);
  if (form_.Language == 0) c.TextLabel->caption = Shown(item->Describe0);
  if (form_.Language >= 1 && form_.Language <= 6) c.TextLabel->caption = Shown(item->Describe);
  c.FirmLabel->caption = Shown(item->Firm);
  if (!ShowDate(item->Date)) return;
  if (item->Picture != "NUL") form_.SmallPictureLoaded = form_.pictures().LoadSmallPicture(item->Picture);
  c.NameLabel->caption = TitleOr(item->FullName, item->Name);
  PlayButton(!item->GameName.empty());
}

void DetailPanel::SetInstalled() {
  auto* item = Record(form_.InstalledList, form_.ItemIndex);
  if (item == nullptr) return;
  auto& c = form_.controls();
  c.NameLabel->caption = Shown(item->Name);
  c.FirmLabel->caption = Shown(item->TechInfo);  // the disc the item came from
  PlayButton(item->Runnable != 0);
  StopButton(item->Installed != 0);
}

void DetailPanel::SetOff() {
  auto& c = form_.controls();
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
  if (form_.platform().files.FileExists(item.InstalledDir + "\\" + item.GameName)) return;
  // The program was removed behind the menu's back: ask detection again rather than fail on Run.
  if (auto* detector = form_.detector()) {
    const platform::IniUpdate store_update(form_.StoreIni.get());
    detector->CheckDemo(item);
  }
  form_.host().ProcessMessages();
  form_.item_list().FillList();
}

void DetailPanel::ReadmeRule(const catalog::TDemos& item) {
  if (item.ReadmeName.empty() || item.NotInstalled != 0) {
    ReadmeButton(false);
    return;
  }
  if (form_.catalog().DebugMode &&
      !form_.platform().files.FileExists(item.InstalledDir + "\\" + item.ReadmeName)) {
    form_.host().ShowMessage(MessageKind::kInformation, form_.AppTitle, "Readme file not found...",
                             MessageButtons::kOk);
  }
  ReadmeButton(true);
}

bool DetailPanel::ShowDate(const std::string& code) {
  const DateText date = CreateDate(code, form_.Language, form_.messages());
  if (!date.ok()) {
    form_.host().ShowMessage(MessageKind::kError, form_.AppTitle, date.error, MessageButtons::kOk);
    return false;
  }
  form_.controls().DateLabel->caption = date.text;
  return true;
}

void DetailPanel::StandardDescription(const std::string& describe0, const std::string& describe,
                                      const std::string& describe_alt) {
  auto& text = form_.controls().TextLabel->caption;
  switch (form_.Language) {
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
  form_.GalleryIndex = 1;
  form_.SmallPictureLoaded = form_.pictures().LoadSmallPicture(name);
}

}  // namespace norva::menu
