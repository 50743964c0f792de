#include "menu/key_focus.h"

#include <algorithm>

#include "menu/pages.h"
#include "menu/pictures.h"
#include "menu/settings_page.h"

namespace norva::menu {
namespace {

using components::Key;

// The frame lies this far outside the focused control (the list: its highlight bar).
constexpr int kMarkMargin = 4;
constexpr int kLastPageKey = 11;

components::Rect Inflated(components::Rect r, int by) {
  return {r.left - by, r.top - by, r.width + 2 * by, r.height + 2 * by};
}

components::Rect Intersection(const components::Rect& a, const components::Rect& b) {
  const int left = std::max(a.left, b.left);
  const int top = std::max(a.top, b.top);
  const int right = std::min(a.right(), b.right());
  const int bottom = std::min(a.bottom(), b.bottom());
  return {left, top, std::max(0, right - left), std::max(0, bottom - top)};
}

}  // namespace

components::Control* KeyFocus::ControlOf(Target target) const {
  const MainControls& c = controls_;
  const int n = static_cast<int>(target);
  if (target >= Target::kIcon1 && target <= Target::kIcon11) {
    return c.DIBSection[n - static_cast<int>(Target::kIcon1) + 1];
  }
  switch (target) {
    case Target::kReadme:
      return c.ReadmeImage;
    case Target::kWeb:
      return c.WebImage;
    case Target::kPlay:
      return c.PlayImage;
    case Target::kUninstall:
      return c.StopImage;
    case Target::kExitSpot:
      return c.ExitSpot;
    case Target::kSetupSpot:
      return c.SetupSpot;
    case Target::kIndigoSpot:
      return c.IndigoSpot;
    default:
      return nullptr;
  }
}

bool KeyFocus::Available(Target target) const {
  if (target == Target::kList) return !pictures_.GalleryShown();
  components::Control* control = ControlOf(target);
  if (control == nullptr || !window_.Reachable(*control)) return false;
  // The buttons that are off and the empty icon slots show no picture; the spots are bare hot areas.
  if (target >= Target::kExitSpot) return true;
  const auto& image = static_cast<const components::ImageControl&>(*control);
  return image.ShowsPicture() && image.opacity > 0;
}

KeyFocus::Target KeyFocus::Focused() const {
  return Available(focused_) ? focused_ : Target::kList;
}

void KeyFocus::Next(bool backwards) {
  mark_shown_ = true;
  const int from = static_cast<int>(Focused());
  for (int step = 1; step <= kTargetCount; ++step) {
    const int n = ((backwards ? from - step : from + step) % kTargetCount + kTargetCount) % kTargetCount;
    if (Available(static_cast<Target>(n))) {
      focused_ = static_cast<Target>(n);
      return;
    }
  }
  focused_ = Target::kList;
}

bool KeyFocus::Activate() {
  const Target target = Focused();
  // On the list, Enter is the item's main action: what the Play button does.
  const Target clicked = target == Target::kList ? Target::kPlay : target;
  if (!Available(clicked)) return false;
  return window_.ClickControl(*ControlOf(clicked));
}

bool KeyFocus::KeyDown(Key key) {
  switch (key) {
    case Key::Tab:
    case Key::ShiftTab:
      Next(key == Key::ShiftTab);
      return true;
    case Key::Enter:
    case Key::Space:
      Activate();
      return true;
    case Key::AltF4:
      // As the exit spot does.
      if (controls_.ExitSpot->OnClick) controls_.ExitSpot->OnClick();
      return true;
    case Key::F12:
      if (!pictures_.GalleryShown()) settings_page_.SetupSpotClick();
      return true;
    default:
      break;
  }
  const int page = components::KeyFunction(key);
  if (page < 1 || page > kLastPageKey) return false;
  // The icon may be scrolled out of sight: the key reaches its page all the same, but not under the gallery.
  if (!pictures_.GalleryShown()) pages_.MainButtonClick(page);
  return true;
}

std::optional<components::Rect> KeyFocus::FocusMark() const {
  if (!mark_shown_) return std::nullopt;
  const Target target = Focused();
  if (!Available(target)) return std::nullopt;
  const MainControls& c = controls_;
  const components::Window& window = window_;
  const components::Control& around = target == Target::kList ? *c.HighlightDIB : *ControlOf(target);
  if (!around.Showing()) return std::nullopt;
  return Intersection(Inflated(window.RectInWindow(around), kMarkMargin),
                      window.RectInWindow(*c.DIBContainer1));
}

}  // namespace norva::menu
