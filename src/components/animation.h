// A transparent animation control that plays a clip from the program's artwork once per start. The clip is
// a number (clip n is the artwork "AVIn") with its frame count and frame time; playing ends by itself after
// frame count × frame time of the window's clock.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "components/control.h"
#include "components/timer.h"

namespace norva::components {

class Animation : public Control {
 public:
  explicit Animation(std::string name);

  ControlKind kind() const override { return ControlKind::Animation; }

  // Opaque control style: the control paints its background instead of showing what lies beneath.
  bool opaque = false;

  // Loads a clip (stopping any playing one) and raises OnOpen. A clip number of 0 or less, or a frame count
  // of 0 or less, closes the control instead. A frame time below 1 ms counts as 1 ms.
  void Open(int clip, int frame_count, int frame_ms);
  void Close();
  bool open() const { return clip_ > 0; }
  int clip() const { return clip_; }
  int frame_count() const { return frame_count_; }
  int frame_ms() const { return frame_ms_; }

  // Plays the clip once from its first frame (again from the start if it is playing) and raises OnStart.
  // Without a clip nothing happens.
  void Play();
  // Stops at the current frame; raises OnStop when the clip was playing.
  void Stop();
  bool active() const { return active_; }
  // The frame on screen: while playing, the one the clock has reached; afterwards the one it stopped at.
  int CurrentFrame() const;

  std::function<void()> OnOpen;
  std::function<void()> OnStart;
  std::function<void()> OnStop;

 protected:
  void AttachClock(Clock& clock) override;

 private:
  int FrameAt(std::int64_t now) const;
  void Finish();

  Timer end_timer_;
  Clock* clock_ = nullptr;
  int clip_ = 0;
  int frame_count_ = 0;
  int frame_ms_ = 1;
  bool active_ = false;
  std::int64_t started_at_ = 0;
  int stopped_frame_ = 0;
};

}  // namespace norva::components
