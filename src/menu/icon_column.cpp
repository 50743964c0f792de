#include "menu/icon_column.h"
#include "menu/picture_index.h"

#include <algorithm>

#include "menu/window_effects.h"

namespace norva::menu {
namespace {

constexpr int kSlots = 11;
constexpr int kStep = 5;
constexpr int kFade = 30;
constexpr int kFirstTop = 60;  // the first icon's place in the column

}  // namespace

void IconColumn::Wire() {
  auto& c = controls_;
  c.Down2->OnMouseMove = [this](int x, int y) { Down2MouseMove(x, y); };
  c.Up2->OnMouseMove = [this](int x, int y) { Up2MouseMove(x, y); };
  c.ScrollDownTimer->OnTimer = [this] { ScrollDownTimer(); };
  c.ScrollUpTimer->OnTimer = [this] { ScrollUpTimer(); };
}

void IconColumn::Down2Hover() {
  auto& c = controls_;
  if (c.Down2->image == -1) return;
  c.Down2->image = picture::kDownArrow + picture::kSecondState + picture::kNightPair * look_.NightMode;
  selection_.IconScrollStep = kStep;
  rest_half_way_ = false;
  c.ScrollDownTimer->SetEnabled(true);
  c.ScrollUpTimer->SetEnabled(false);
}

void IconColumn::Up2Hover() {
  auto& c = controls_;
  if (c.Up2->image == -1) return;
  c.Up2->image = picture::kUpArrow + picture::kSecondState + picture::kNightPair * look_.NightMode;
  selection_.IconScrollStep = kStep;
  rest_half_way_ = false;
  c.ScrollUpTimer->SetEnabled(true);
  c.ScrollDownTimer->SetEnabled(false);
}

void IconColumn::Down2MouseMove(int x, int y) {
  Down2Hover();
  rest_half_way_ = true;
  effects_.MoveArrows(*controls_.Down2, x, y);
}

void IconColumn::Up2MouseMove(int x, int y) {
  Up2Hover();
  rest_half_way_ = true;
  effects_.MoveArrows(*controls_.Up2, x, y);
}

void IconColumn::ScrollDownTimer() {
  auto& c = controls_;
  const int count = selection_.PageIconCount;
  if (count < 6) {
    // Five icons fit in the column: there is nothing below to reveal.
    c.ScrollDownTimer->SetEnabled(false);
    return;
  }
  if (count <= kSlots && c.DIBSection[count]->rect.top < 330) {
    // With eight or more icons the arrow goes once the last one is in view.
    if (count >= 8) c.Down2->image = -1;
    c.ScrollDownTimer->SetEnabled(false);
    return;
  }
  c.Up2->image = picture::kUpArrow + picture::kNightPair * look_.NightMode;
  for (int n = 1; n <= 5; ++n) {
    if (c.DIBSection[n]->rect.top < 50) SetOpacity(n, -kFade);
  }
  for (int n = 6; n <= kSlots; ++n) {
    // An icon that reaches the top cover fades out like the first five.
    if (c.DIBSection[n]->rect.top < 50) {
      SetOpacity(n, -kFade);
    } else if (c.DIBSection[n]->rect.top < 396) {
      SetOpacity(n, kFade);
    }
  }
  const int sixth = c.DIBSection[6]->rect.top;
  MoveColumn(-selection_.IconScrollStep);
  if (PausesAtSixth(sixth)) c.ScrollDownTimer->SetEnabled(false);
}

void IconColumn::ScrollUpTimer() {
  auto& c = controls_;
  if (c.DIBSection[1]->rect.top >= 56) {
    c.Up2->image = -1;
    c.ScrollUpTimer->SetEnabled(false);
    return;
  }
  c.Down2->image = picture::kDownArrow + picture::kNightPair * look_.NightMode;
  for (int n = 1; n <= 5; ++n) {
    if (c.DIBSection[n]->rect.top > 20) SetOpacity(n, kFade);
  }
  for (int n = 6; n <= kSlots; ++n) {
    // An icon coming back from under the top cover fades in, whole by the time it is in place.
    if (c.DIBSection[n]->rect.top > 330) {
      SetOpacity(n, -kFade);
    } else if (c.DIBSection[n]->rect.top > 0) {
      SetOpacity(n, kFade);
    }
  }
  const int sixth = c.DIBSection[6]->rect.top;
  MoveColumn(selection_.IconScrollStep);
  if (PausesAtSixth(sixth)) c.ScrollUpTimer->SetEnabled(false);
}

bool IconColumn::PausesAtSixth(int sixth_before) const {
  // Five icons fit between the covers. With eleven, the last five in view leave the sixth under the top
  // cover, so a column moved by an arrow's hover rests once on the way with the sixth icon first (icons 6
  // to 10 in view); a wheel notch still runs to the end.
  if (!rest_half_way_ || selection_.PageIconCount <= 10) return false;
  const int sixth = controls_.DIBSection[6]->rect.top;
  return (sixth_before - kFirstTop) * (sixth - kFirstTop) <= 0 && sixth_before != kFirstTop;
}

void IconColumn::MoveColumn(int dy) {
  auto& c = controls_;
  for (int n = 1; n <= kSlots; ++n) {
    c.DIBSection[n]->rect.top += dy;
    c.IconLabel[n]->rect.top += dy;
  }
}

void IconColumn::SetOpacity(int icon, int delta) {
  if (icon < 1 || icon > kSlots) return;
  auto& c = controls_;
  const int opacity = std::clamp(c.DIBSection[icon]->opacity + delta, 0, 255);
  c.DIBSection[icon]->opacity = opacity;
  c.IconLabel[icon]->opacity = opacity;
}

}  // namespace norva::menu
