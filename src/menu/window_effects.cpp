#include "menu/window_effects.h"

#include <algorithm>
#include <initializer_list>
#include <utility>
#include <vector>

#include "menu/page_icons.h"
#include "menu/picture_index.h"

namespace norva::menu {
namespace {

constexpr int kBackgroundEnhanced = 52;
constexpr int kBackgroundSimple = 96;
constexpr int kCoverDownEnhanced = 92;
constexpr int kCoverDownSimple = 98;
constexpr int kCoverUpEnhanced = 94;
constexpr int kCoverUpSimple = 100;
constexpr int kSpotPictures[3] = {picture::kExitSpot, picture::kSetupSpot,
                                  picture::kIndigoSpot};  // exit, settings, colour scheme
constexpr int kSpotNames[3] = {90, 91, 99};
constexpr int kLowerArrowLimit = 200;
constexpr int kUpperArrowLimit = 271;
constexpr int kRandomChoices = 15;  // ten animations and five ticks without one

}  // namespace

int RoundHalfEven(long long numerator, long long denominator) {
  long long quotient = numerator / denominator;
  long long remainder = numerator % denominator;
  if (remainder < 0) {
    remainder += denominator;
    quotient -= 1;
  }
  if (2 * remainder > denominator || (2 * remainder == denominator && quotient % 2 != 0)) quotient += 1;
  return static_cast<int>(quotient);
}

WindowEffects::WindowEffects(Services services, MainControls& controls, components::Window& window,
                             const Appearance& look, Selection& selection, const Settings& settings,
                             PageIcons& icons)
    : services_(services),
      controls_(controls),
      window_(window),
      look_(look),
      selection_(selection),
      settings_(settings),
      icons_(icons),
      random_(MakeSystemRandomSource()) {}

void WindowEffects::Wire() {
  auto& c = controls_;
  c.AnimationTimer->OnTimer = [this] { AnimationTimerTimer(); };
  for (int n = 1; n <= 10; ++n) {
    // The eighth clip shows itself when it is opened; the ninth never had a handler of its own.
    if (n == 8) {
      c.Animate[n]->OnOpen = [this, n] { AnimateStart(n); };
    } else if (n != 9) {
      c.Animate[n]->OnStart = [this, n] { AnimateStart(n); };
    }
  }

  for (components::Control* sender : std::initializer_list<components::Control*>{
           c.DIBBackImage, c.TextLabel, c.HelpLabel, c.HelpLabel2, c.Label1, c.Label2,
           // The open gallery lies over the background: the exit spot's lamp goes out there as well.
           c.DIBImage1, c.DIBImage2, c.GalleryClose}) {
    sender->OnMouseMove = [this, sender](int x, int y) { ScreenImageMouseMove(*sender, x, y); };
  }
  c.ExitSpot->OnMouseMove = [this](int, int) { ExitSpotMouseMove(); };
  c.SetupSpot->OnMouseMove = [this](int, int) { SetupSpotMouseMove(); };
  c.IndigoSpot->OnMouseMove = [this](int, int) { IndigoSpotMouseMove(); };

  std::vector<components::Control*> draggers = {c.Image4,  c.DIBBackImage, c.TextLabel,       c.Flag_Playable,
                                                c.Flag_CZ, c.Flag_Net,     c.Flag_Unplayable, c.Flag_3D};
  for (int n = 1; n <= 10; ++n) draggers.push_back(c.Animate[n]);
  for (auto* dragger : draggers) {
    dragger->OnMouseDown = [this](components::MouseButton button, int, int) { Image4MouseDown(button); };
  }
}

void WindowEffects::SwitchMode() {
  auto& c = controls_;
  auto& window = window_;
  const bool enhanced = settings_.EnhancedSetting == 1;
  int background = kBackgroundSimple;
  int cover_down = kCoverDownSimple;
  int cover_up = kCoverUpSimple;
  if (enhanced) {
    window.width = MainControls::kBorderWidth;
    window.height = MainControls::kBorderHeight;
    for (int n = 1; n <= 10; ++n) {
      c.Animate[n]->Open(MainControls::kAnimateClip[static_cast<std::size_t>(n)], MainControls::kClipFrames,
                         MainControls::kClipFrameMs);
      c.Animate[n]->visible = true;
    }
    c.DIBFormShaper1->active = true;
    c.DIBContainer1->rect.left = MainControls::kPanelLeft;
    c.DIBContainer1->rect.top = MainControls::kPanelTop;
    background = kBackgroundEnhanced;
    cover_down = kCoverDownEnhanced;
    cover_up = kCoverUpEnhanced;
  } else {
    c.DIBContainer1->rect.left = 0;
    c.DIBContainer1->rect.top = 0;
    window.width = c.DIBContainer1->rect.width;
    window.height = c.DIBContainer1->rect.height;
    c.DIBFormShaper1->active = false;
    for (int n = 1; n <= 10; ++n) c.Animate[n]->visible = false;
  }
  c.DIBBackImage->image = background + look_.NightMode;
  c.CoverDown->image = cover_down + look_.NightMode;
  c.CoverUp->image = cover_up + look_.NightMode;
  c.DIBImage3->visible = false;
  c.DIBImage5->visible = false;

  const ScreenSize screen = services_.host.Screen();
  window.left = RoundHalfEven(screen.width - window.width, 2);
  window.top = RoundHalfEven(screen.height - window.height, 2);
  services_.host.PlaceWindow(window.left, window.top, window.width, window.height);
}

void WindowEffects::AnimationTimerTimer() {
  auto& c = controls_;
  if (settings_.EnhancedSetting != 1) {
    // Once off, the timer stays off for the run: the border comes back later without its animations.
    c.AnimationTimer->SetEnabled(false);
    return;
  }
  const int r = random_->Below(kRandomChoices);
  if (r >= 0 && r <= 9) c.Animate[r + 1]->Play();
}

void WindowEffects::AnimateStart(int n) {
  if (n >= 1 && n <= 10) controls_.Animate[n]->visible = true;
}

void WindowEffects::ScreenImageMouseMove(const components::Control& sender, int x, int y) {
  auto& c = controls_;
  c.HelpLabel->caption.clear();
  c.HelpLabel2->caption.clear();
  // Buttons left with their hover picture get their enabled picture back.
  const std::pair<components::PictureButton*, int> buttons[] = {{c.ReadmeImage, picture::kReadmeButton},
                                                                {c.WebImage, picture::kWebButton},
                                                                {c.PlayImage, picture::kPlayButton},
                                                                {c.StopImage, picture::kUninstallButton}};
  for (auto [button, button_picture] : buttons) {
    if (button->tag > 0) {
      button->image = picture::kNightSet * look_.NightMode + button_picture;
      button->tag = 1;
    }
  }
  c.ExitSpotImage->visible = false;
  c.SetupSpotImage->visible = false;
  c.IndigoSpotImage->visible = false;
  const std::pair<components::ImageControl*, int> arrows[] = {
      {c.Down1, 80}, {c.Down2, 80}, {c.Up1, 84}, {c.Up2, 84}};
  for (auto [arrow, picture] : arrows) {
    if (arrow->visible && arrow->image >= 0) arrow->image = picture + 2 * look_.NightMode;
  }
  c.ScrollDownTimer->SetEnabled(false);
  c.ScrollUpTimer->SetEnabled(false);
  MoveArrows(sender, x, y);
  icons_.UnpressIcon(selection_.HoverIcon);
}

void WindowEffects::MoveArrows(const components::Control& sender, int x, int y) {
  auto& c = controls_;
  // (X + left) / 3.5 + 10 and 375 - (Y + top) / 4.8, as exact fractions.
  const long long across = static_cast<long long>(x) + sender.rect.left;
  const long long down = static_cast<long long>(y) + sender.rect.top;
  c.LowerArrow->rect.top = std::min(RoundHalfEven(2 * across + 70, 7), kLowerArrowLimit);
  c.UpperArrow->rect.top = std::max(RoundHalfEven(9000 - 5 * down, 24), kUpperArrowLimit);
}

void WindowEffects::ExitSpotMouseMove() {
  ShowSpot(0);
}

void WindowEffects::SetupSpotMouseMove() {
  ShowSpot(1);
}

void WindowEffects::IndigoSpotMouseMove() {
  ShowSpot(2);
}

void WindowEffects::ShowSpot(int spot) {
  auto& c = controls_;
  components::ImageControl* indicators[3] = {c.ExitSpotImage, c.SetupSpotImage, c.IndigoSpotImage};
  for (int i = 0; i < 3; ++i) indicators[i]->visible = i == spot;
  indicators[spot]->image = kSpotPictures[spot] + look_.NightMode;
  c.HelpLabel2->caption = services_.messages.LoadString(look_.Language * 100 + kSpotNames[spot]);
}

void WindowEffects::Image4MouseDown(components::MouseButton button) {
  if (button == components::MouseButton::Left) services_.host.StartSystemMove();
}

}  // namespace norva::menu
