#include "components/fade_label.h"

#include <algorithm>
#include <utility>

#include "components/clock.h"

namespace norva::components {

namespace {

std::uint32_t Channel(std::uint32_t colour, int shift) {
  return (colour >> shift) & 0xFFu;
}

}  // namespace

FadeLabel::FadeLabel(std::string name) : Control(std::move(name)), timer_(this->name() + ".fade") {
  timer_.OnTimer = [this] { Step(); };
}

std::uint32_t FadeLabel::ShownColor() const {
  const int frames = Frames();
  const int step = std::clamp(step_, 0, frames);
  std::uint32_t shown = 0;
  for (int shift : {0, 8, 16}) {
    const auto from = static_cast<int>(Channel(color, shift));
    const auto to = static_cast<int>(Channel(hover_color, shift));
    // Rounded to the nearest value, so the first and last frames are exactly the two colours.
    const int value = (from * (frames - step) + to * step + frames / 2) / frames;
    shown |= static_cast<std::uint32_t>(value) << shift;
  }
  return shown;
}

void FadeLabel::MouseEntered() {
  if (!hover_fade) return;
  direction_ = 1;
  if (step_ < Frames()) {
    timer_.SetInterval(fade_interval);
    timer_.SetEnabled(true);
  }
}

void FadeLabel::MouseLeft() {
  direction_ = -1;
  if (step_ > 0) {
    timer_.SetInterval(fade_interval);
    timer_.SetEnabled(true);
  }
}

void FadeLabel::AttachClock(Clock& clock) {
  clock.Register(timer_);
}

void FadeLabel::Step() {
  step_ = std::clamp(step_ + direction_, 0, Frames());
  if (step_ == 0 || step_ == Frames()) timer_.SetEnabled(false);
}

}  // namespace norva::components
