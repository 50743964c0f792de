// Virtual time for the control model. Nothing moves by itself: the front end advances the clock (the headless
// driver by its `wait` lines, a windowed front end by the real time that passed), and every timer that falls
// due on the way fires in time order.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace norva::components {

class Timer;

class Clock {
 public:
  Clock() = default;
  // Detaches every registered timer (they stop firing but keep their settings).
  ~Clock();
  Clock(const Clock&) = delete;
  Clock& operator=(const Clock&) = delete;

  // Milliseconds since the clock was made.
  std::int64_t Now() const { return now_; }

  // Timers are not owned; a timer leaves its clock when it is destroyed. Registering a timer that belongs to
  // another clock moves it here; an enabled timer starts its period at the present time.
  void Register(Timer& timer);
  void Unregister(Timer& timer);

  // Moves the time forward by `ms` (negative counts as 0). Every enabled timer falling due up to the new time
  // fires at its due time, in time order, ties in registration order; a periodic timer fires once per period
  // it passes. Handlers may start, stop or re-time timers; a timer started by a handler begins its period at
  // the handler's time and can fire again within the same advance.
  void Advance(std::int64_t ms);

  // The time of the next tick of an enabled timer, if any; lets a front end sleep until then.
  std::optional<std::int64_t> NextDue() const;

 private:
  // The registered timer to fire next no later than `limit`, or null.
  Timer* NextUntil(std::int64_t limit) const;

  std::vector<Timer*> timers_;  // registration order
  std::int64_t now_ = 0;
};

}  // namespace norva::components
