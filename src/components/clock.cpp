#include "components/clock.h"

#include <algorithm>
#include <limits>

#include "components/timer.h"

namespace norva::components {

namespace {

bool CanFire(const Timer& timer) {
  return timer.enabled() && timer.interval() > 0;
}

}  // namespace

Clock::~Clock() {
  for (Timer* timer : timers_) timer->clock_ = nullptr;
}

void Clock::Register(Timer& timer) {
  if (timer.clock_ == this) return;
  if (timer.clock_ != nullptr) timer.clock_->Unregister(timer);
  timer.clock_ = this;
  timers_.push_back(&timer);
  timer.Restart();
}

void Clock::Unregister(Timer& timer) {
  if (timer.clock_ != this) return;
  timers_.erase(std::remove(timers_.begin(), timers_.end(), &timer), timers_.end());
  timer.clock_ = nullptr;
}

Timer* Clock::NextUntil(std::int64_t limit) const {
  Timer* next = nullptr;
  for (Timer* timer : timers_) {
    // Strictly earlier only, so that among equal due times the first registered wins.
    if (CanFire(*timer) && timer->due_ <= limit && (next == nullptr || timer->due_ < next->due_))
      next = timer;
  }
  return next;
}

void Clock::Advance(std::int64_t ms) {
  const std::int64_t target = now_ + std::max<std::int64_t>(ms, 0);
  // The list is searched again after every tick: a handler may change any timer, or destroy one.
  while (Timer* timer = NextUntil(target)) {
    now_ = std::max(now_, timer->due_);
    timer->due_ = now_ + timer->interval();
    // A copy, so that a handler may replace itself while it runs.
    auto handler = timer->OnTimer;
    if (handler) handler();
  }
  // A handler may have advanced the clock itself (a nested wait); time never goes back.
  now_ = std::max(now_, target);
}

std::optional<std::int64_t> Clock::NextDue() const {
  const Timer* next = NextUntil(std::numeric_limits<std::int64_t>::max());
  if (next == nullptr) return std::nullopt;
  return next->due_;
}

}  // namespace norva::components
