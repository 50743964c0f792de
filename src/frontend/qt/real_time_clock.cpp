#include "frontend/qt/real_time_clock.h"

#include <algorithm>

namespace norva::frontend::qt {

RealTimeClock::RealTimeClock(components::Clock& clock, QObject* parent)
    : QObject(parent), clock_(clock), origin_(clock.Now()) {
  real_.start();
  wake_.setSingleShot(true);
  wake_.setTimerType(Qt::PreciseTimer);
  connect(&wake_, &QTimer::timeout, this, &RealTimeClock::CatchUp);
}

void RealTimeClock::CatchUp() {
  if (advancing_) return;
  const std::int64_t target = origin_ + real_.elapsed();
  if (target > clock_.Now()) {
    advancing_ = true;
    clock_.Advance(target - clock_.Now());
    advancing_ = false;
  }
  emit Advanced();
  Schedule();
}

void RealTimeClock::Schedule() {
  std::optional<std::int64_t> due = clock_.NextDue();
  if (next_frame) {
    if (auto frame = next_frame()) due = due ? std::min(*due, *frame) : *frame;
  }
  if (!due) {
    wake_.stop();
    return;
  }
  const std::int64_t now = origin_ + real_.elapsed();
  wake_.start(static_cast<int>(std::clamp<std::int64_t>(*due - now, 0, 24 * 3600 * 1000)));
}

std::optional<int> RealTimeClock::planned_ms() const {
  if (!wake_.isActive()) return std::nullopt;
  return wake_.remainingTime();
}

}  // namespace norva::frontend::qt
