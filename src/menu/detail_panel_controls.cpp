// The flag icons, the action buttons and the hover help of the detail panel.
#include "menu/detail_panel.h"

#include <initializer_list>

#include "menu/main_form.h"
#include "menu/page_kinds.h"

namespace norva::menu {
namespace {

// Pictures of the main image list (day scheme; the night picture follows at + 1).
constexpr int kPlayableImage = 54;
constexpr int kUnplayableImage = 56;
constexpr int kCZImage = 58;
constexpr int k3DImage = 60;
constexpr int kNetImage = 62;

// Pictures of the action-button list: k = 6..9 enabled, k + 5 hovered; the night set at + 15.
constexpr int kReadme = 6;
constexpr int kWeb = 7;
constexpr int kPlay = 8;
constexpr int kUninstall = 9;
constexpr int kHoverOffset = 5;

// Help texts (message numbers within the language's block).
constexpr int kHelpRun = 81;
constexpr int kHelpUninstall = 82;
constexpr int kHelpReadme = 83;
constexpr int kHelpHomepage = 84;
constexpr int kHelpInstall = 96;

void Flag(components::ImageControl& flag, int image, int night_mode, bool on) {
  flag.image = on ? image + night_mode : -1;
}

bool Shown(const components::ImageControl& flag) {
  return flag.image != -1;
}

bool AnyOf(int flags, std::initializer_list<int> values) {
  for (int value : values) {
    if (flags == value) return true;
  }
  return false;
}

}  // namespace

void DetailPanel::Wire() {
  auto& c = form_.controls();
  c.DateLabel->OnMouseMove = [this](int, int) { DateLabelMouseMove(); };
  c.Flag_Playable->OnMouseMove = [this](int, int) { FlagPlayableMouseMove(); };
  c.Flag_Unplayable->OnMouseMove = [this](int, int) { FlagUnplayableMouseMove(); };
  c.Flag_3D->OnMouseMove = [this](int, int) { Flag3DMouseMove(); };
  c.Flag_Net->OnMouseMove = [this](int, int) { FlagNetMouseMove(); };
  c.Flag_CZ->OnMouseMove = [this](int, int) { FlagCZMouseMove(); };
  c.ReadmeImage->OnMouseMove = [this](int, int) { ReadmeImageMouseMove(); };
  c.WebImage->OnMouseMove = [this](int, int) { WebImageMouseMove(); };
  c.PlayImage->OnMouseMove = [this](int, int) { PlayImageMouseMove(); };
  c.StopImage->OnMouseMove = [this](int, int) { StopImageMouseMove(); };
}

void DetailPanel::DoFlags(int flags) {
  Flag3D(false);
  FlagCZ(false);
  FlagUnPlayable(false);
  FlagPlayable(false);
  if (form_.PageKind == kPageDemos || form_.PageKind == kPageExtra2 || flags > 30) FlagPlayable(true);
  if (flags == 36 || flags == 37) FlagCZ(true);
  if (AnyOf(flags, {1, 2, 11, 12, 22, 24, 31, 32, 35, 36, 37})) Flag3D(true);
  if (AnyOf(flags, {3, 13, 34})) FlagCZ(true);
  if (flags == 4 || flags == 24) {
    FlagUnPlayable(true);
    FlagPlayable(false);
  }
  FlagNet(AnyOf(flags, {10, 11, 12, 13, 33, 35, 37}));
}

void DetailPanel::Button(components::PictureButton& button, int k, bool on) {
  button.tag = on ? 1 : 0;
  button.image = on ? 15 * form_.NightMode + k : -1;
}

void DetailPanel::ReadmeButton(bool on) {
  Button(*form_.controls().ReadmeImage, kReadme, on);
}

void DetailPanel::WebButton(bool on) {
  Button(*form_.controls().WebImage, kWeb, on);
}

void DetailPanel::PlayButton(bool on) {
  Button(*form_.controls().PlayImage, kPlay, on);
}

void DetailPanel::StopButton(bool on) {
  Button(*form_.controls().StopImage, kUninstall, on);
}

void DetailPanel::FlagPlayable(bool on) {
  Flag(*form_.controls().Flag_Playable, kPlayableImage, form_.NightMode, on);
}

void DetailPanel::FlagUnPlayable(bool on) {
  Flag(*form_.controls().Flag_Unplayable, kUnplayableImage, form_.NightMode, on);
}

void DetailPanel::FlagCZ(bool on) {
  // Elsewhere the slot keeps the placeholder picture set with the page list.
  if (form_.Language != 1) return;
  Flag(*form_.controls().Flag_CZ, kCZImage, form_.NightMode, on);
}

void DetailPanel::Flag3D(bool on) {
  Flag(*form_.controls().Flag_3D, k3DImage, form_.NightMode, on);
}

void DetailPanel::FlagNet(bool on) {
  Flag(*form_.controls().Flag_Net, kNetImage, form_.NightMode, on);
}

void DetailPanel::Help(int k) {
  form_.controls().HelpLabel->caption = form_.messages().LoadString(form_.Language * 100 + k);
}

bool DetailPanel::HoverButton(components::PictureButton& button, int k) {
  if (button.tag == 0) return false;
  button.image = 15 * form_.NightMode + k + kHoverOffset;
  button.tag = 2;
  return true;
}

void DetailPanel::DateLabelMouseMove() {
  if (form_.controls().DateLabel->caption.empty()) return;
  Help(form_.PageKind == kPageDrivers ? 78 : 76);
}

void DetailPanel::FlagPlayableMouseMove() {
  if (Shown(*form_.controls().Flag_Playable)) Help(89);
}

void DetailPanel::FlagUnplayableMouseMove() {
  if (Shown(*form_.controls().Flag_Unplayable)) Help(86);
}

void DetailPanel::Flag3DMouseMove() {
  if (Shown(*form_.controls().Flag_3D)) Help(88);
}

void DetailPanel::FlagNetMouseMove() {
  if (Shown(*form_.controls().Flag_Net)) Help(97);
}

void DetailPanel::FlagCZMouseMove() {
  // On other languages the slot shows the placeholder, which has no help.
  if (Shown(*form_.controls().Flag_CZ) && form_.Language == 1) Help(98);
}

void DetailPanel::ReadmeImageMouseMove() {
  if (HoverButton(*form_.controls().ReadmeImage, kReadme)) Help(kHelpReadme);
}

void DetailPanel::WebImageMouseMove() {
  if (HoverButton(*form_.controls().WebImage, kWeb)) Help(kHelpHomepage);
}

void DetailPanel::StopImageMouseMove() {
  if (HoverButton(*form_.controls().StopImage, kUninstall)) Help(kHelpUninstall);
}

void DetailPanel::PlayImageMouseMove() {
  if (!HoverButton(*form_.controls().PlayImage, kPlay)) return;
  if (const int help = PlayHelp(); help != 0) Help(help);
}

int DetailPanel::PlayHelp() {
  switch (form_.PageKind) {
    case kPageDemos:
    case kPageFulls: {
      const catalog::TDemos* item = SelectedProgram();
      return item != nullptr && item->NotInstalled == 1 ? kHelpInstall : kHelpRun;
    }
    case kPageExtra:
    case kPageShareware:
    case kPageReaders:
    case kPageExtra2: {
      const catalog::TDemos* item = SelectedProgram();
      return item != nullptr && item->Runnable != 0 ? kHelpRun : kHelpInstall;
    }
    case kPageDrivers:
    case kPageUpdates:
      return kHelpInstall;
    case kPageFilms:
    case kPageInstalled:
    case kPageQuillon:
      return kHelpRun;
    default:
      return 0;  // Shots: the button has no help
  }
}

void DetailPanel::FollowPointer() {
  auto& c = form_.controls();
  const components::Control* under = form_.window().hovered();
  c.HelpLabel->caption.clear();
  // Only the text follows: the button's hover picture comes back with the pointer's next move.
  auto button_help = [&](const components::PictureButton* button, int help) {
    if (under == button && button->tag != 0 && help != 0) Help(help);
  };
  button_help(c.ReadmeImage, kHelpReadme);
  button_help(c.WebImage, kHelpHomepage);
  button_help(c.StopImage, kHelpUninstall);
  if (under == c.PlayImage) button_help(c.PlayImage, PlayHelp());
  if (under == c.DateLabel) DateLabelMouseMove();
  if (under == c.Flag_Playable) FlagPlayableMouseMove();
  if (under == c.Flag_Unplayable) FlagUnplayableMouseMove();
  if (under == c.Flag_3D) Flag3DMouseMove();
  if (under == c.Flag_Net) FlagNetMouseMove();
  if (under == c.Flag_CZ) FlagCZMouseMove();
}

catalog::TDemos* DetailPanel::SelectedProgram() {
  auto& data = form_.catalog();
  auto pick = [this](auto& records) -> catalog::TDemos* {
    const int index = form_.ItemIndex;
    if (index < 1 || static_cast<std::size_t>(index) >= records.size()) return nullptr;
    return &records[static_cast<std::size_t>(index)];
  };
  switch (form_.PageKind) {
    case kPageDemos:
      return pick(data.Demo);
    case kPageExtra:
      return pick(data.Extra);
    case kPageShareware:
      return pick(data.Share);
    case kPageDrivers:
      return pick(data.Driver);
    case kPageReaders:
      return pick(data.Reader);
    case kPageFulls:
      return pick(data.Full);
    case kPageExtra2:
      return pick(data.Extra2);
    case kPageInstalled:
      return pick(form_.InstalledList);
    default:
      return nullptr;
  }
}

}  // namespace norva::menu
