// The flag icons, the action buttons and the hover help of the detail panel.
#include "menu/detail_panel.h"

#include <initializer_list>

#include "menu/page_kinds.h"
#include "menu/picture_index.h"

namespace norva::menu {
namespace {

// The flags' pictures (day scheme; the night picture follows at + 1).
constexpr int kPlayableImage = picture::kPlayable;
constexpr int kUnplayableImage = picture::kUnplayable;
constexpr int kCZImage = picture::kCZ;
constexpr int k3DImage = picture::k3D;
constexpr int kNetImage = picture::kNet;

// The action buttons' pictures: enabled at k, hovered at k + kHoverOffset, the night set at + kNightSet.
constexpr int kReadme = picture::kReadmeButton;
constexpr int kWeb = picture::kWebButton;
constexpr int kPlay = picture::kPlayButton;
constexpr int kUninstall = picture::kUninstallButton;
using picture::kHoverOffset;

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
  auto& c = controls_;
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
  if (selection_.PageKind == kPageDemos || selection_.PageKind == kPageExtra2 || flags > 30)
    FlagPlayable(true);
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
  button.image = on ? picture::kNightSet * look_.NightMode + k : -1;
}

void DetailPanel::ReadmeButton(bool on) {
  Button(*controls_.ReadmeImage, kReadme, on);
}

void DetailPanel::WebButton(bool on) {
  Button(*controls_.WebImage, kWeb, on);
}

void DetailPanel::PlayButton(bool on) {
  Button(*controls_.PlayImage, kPlay, on);
}

void DetailPanel::StopButton(bool on) {
  Button(*controls_.StopImage, kUninstall, on);
}

void DetailPanel::FlagPlayable(bool on) {
  Flag(*controls_.Flag_Playable, kPlayableImage, look_.NightMode, on);
}

void DetailPanel::FlagUnPlayable(bool on) {
  Flag(*controls_.Flag_Unplayable, kUnplayableImage, look_.NightMode, on);
}

void DetailPanel::FlagCZ(bool on) {
  // Elsewhere the slot keeps the placeholder picture set with the page list.
  if (look_.Language != 1) return;
  Flag(*controls_.Flag_CZ, kCZImage, look_.NightMode, on);
}

void DetailPanel::Flag3D(bool on) {
  Flag(*controls_.Flag_3D, k3DImage, look_.NightMode, on);
}

void DetailPanel::FlagNet(bool on) {
  Flag(*controls_.Flag_Net, kNetImage, look_.NightMode, on);
}

void DetailPanel::Help(int k) {
  controls_.HelpLabel->caption = services_.messages.LoadString(look_.Language * 100 + k);
}

bool DetailPanel::HoverButton(components::PictureButton& button, int k) {
  if (button.tag == 0) return false;
  button.image = picture::kNightSet * look_.NightMode + k + kHoverOffset;
  button.tag = 2;
  return true;
}

void DetailPanel::DateLabelMouseMove() {
  if (controls_.DateLabel->caption.empty()) return;
  Help(selection_.PageKind == kPageDrivers ? 78 : 76);
}

void DetailPanel::FlagPlayableMouseMove() {
  if (Shown(*controls_.Flag_Playable)) Help(89);
}

void DetailPanel::FlagUnplayableMouseMove() {
  if (Shown(*controls_.Flag_Unplayable)) Help(86);
}

void DetailPanel::Flag3DMouseMove() {
  if (Shown(*controls_.Flag_3D)) Help(88);
}

void DetailPanel::FlagNetMouseMove() {
  if (Shown(*controls_.Flag_Net)) Help(97);
}

void DetailPanel::FlagCZMouseMove() {
  // On other languages the slot shows the placeholder, which has no help.
  if (Shown(*controls_.Flag_CZ) && look_.Language == 1) Help(98);
}

void DetailPanel::ReadmeImageMouseMove() {
  if (HoverButton(*controls_.ReadmeImage, kReadme)) Help(kHelpReadme);
}

void DetailPanel::WebImageMouseMove() {
  if (HoverButton(*controls_.WebImage, kWeb)) Help(kHelpHomepage);
}

void DetailPanel::StopImageMouseMove() {
  if (HoverButton(*controls_.StopImage, kUninstall)) Help(kHelpUninstall);
}

void DetailPanel::PlayImageMouseMove() {
  if (!HoverButton(*controls_.PlayImage, kPlay)) return;
  if (const int help = PlayHelp(); help != 0) Help(help);
}

int DetailPanel::PlayHelp() {
  const PageKindInfo* page = PageKindOf(selection_.PageKind);
  const catalog::TDemos* item = SelectedProgram();
  switch (page != nullptr ? page->play_help : PlayHelpRule::kNone) {
    case PlayHelpRule::kRunOnceInstalled:
      return item != nullptr && item->NotInstalled == 1 ? kHelpInstall : kHelpRun;
    case PlayHelpRule::kRunWhenRunnable:
      return item != nullptr && item->Runnable != 0 ? kHelpRun : kHelpInstall;
    case PlayHelpRule::kInstall:
      return kHelpInstall;
    case PlayHelpRule::kRun:
      return kHelpRun;
    case PlayHelpRule::kNone:
      break;
  }
  return 0;  // Shots: the button has no help
}

void DetailPanel::FollowPointer() {
  auto& c = controls_;
  const components::Control* under = window_.hovered();
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
  return PageProgram(data_, selection_.PageKind, selection_.ItemIndex);
}

}  // namespace norva::menu
