// Moves the control model's clock with the real time. It sleeps on one single-shot timer until the next
// model timer is due (or a frame that a caller asked for), then advances the clock by the time that really
// passed; there is no polling in between.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <optional>

#include "components/clock.h"

namespace norva::frontend::qt {

class RealTimeClock : public QObject {
  Q_OBJECT

 public:
  // `clock` is not owned and must outlive this object. Real time starts now, at the clock's present time.
  explicit RealTimeClock(components::Clock& clock, QObject* parent = nullptr);

  // Advances the model clock to the real time and schedules the next wake-up. Does nothing when called from
  // inside an advance (a timer handler that opened a modal box): the outer advance goes on afterwards.
  void CatchUp();
  // Re-plans the wake-up after something outside the clock may have started a timer (input, a dialog).
  void Schedule();

  // Extra wake-ups besides the model timers: the clock time (ms) of the next frame a painter needs, if any.
  std::function<std::optional<std::int64_t>()> next_frame;

  // Milliseconds until the planned wake-up; nothing when the clock sleeps until told.
  std::optional<int> planned_ms() const;

 signals:
  // The model clock moved (the picture may have changed).
  void Advanced();

 private:
  components::Clock& clock_;
  QElapsedTimer real_;
  std::int64_t origin_ = 0;  // clock time at the real start
  QTimer wake_;
  bool advancing_ = false;
};

}  // namespace norva::frontend::qt
