// A named window timer. It fires only while it is enabled and registered with a Clock; the clock decides
// when.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace norva::components {

class Clock;

class Timer {
 public:
  explicit Timer(std::string name, int interval_ms = 1000);
  // Leaves its clock, so a timer may be destroyed at any time, even from inside a clock's Advance.
  ~Timer();
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  const std::string& name() const { return name_; }

  // Period in milliseconds. A timer whose interval is 0 or less never fires. Changing the interval of an
  // enabled timer starts its period again from the clock's present time; setting the same value changes
  // nothing.
  int interval() const { return interval_; }
  void SetInterval(int interval_ms);

  // Enabling starts a period from the clock's present time; enabling an enabled timer changes nothing.
  bool enabled() const { return enabled_; }
  void SetEnabled(bool enabled);

  // Raised on every tick. The handler may enable, disable or re-time any timer, this one included.
  std::function<void()> OnTimer;

  // The clock this timer is registered with, or null.
  Clock* clock() const { return clock_; }

 private:
  friend class Clock;

  // Starts a new period at the clock's present time (when registered).
  void Restart();

  std::string name_;
  int interval_;
  bool enabled_ = false;
  Clock* clock_ = nullptr;
  std::int64_t due_ = 0;  // virtual time of the next tick, valid while enabled and registered
};

}  // namespace norva::components
