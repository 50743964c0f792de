#include "components/timer.h"

#include <utility>

#include "components/clock.h"

namespace norva::components {

Timer::Timer(std::string name, int interval_ms) : name_(std::move(name)), interval_(interval_ms) {}

Timer::~Timer() {
  if (clock_ != nullptr) clock_->Unregister(*this);
}

void Timer::SetInterval(int interval_ms) {
  if (interval_ms == interval_) return;
  interval_ = interval_ms;
  if (enabled_) Restart();
}

void Timer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  if (enabled_) Restart();
}

void Timer::Restart() {
  if (clock_ != nullptr) due_ = clock_->Now() + interval_;
}

}  // namespace norva::components
