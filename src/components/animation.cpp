#include "components/animation.h"

#include <algorithm>
#include <utility>

#include "components/clock.h"

namespace norva::components {

namespace {

template <typename Handler>
void Raise(const Handler& handler) {
  Handler copy = handler;
  if (copy) copy();
}

}  // namespace

Animation::Animation(std::string name) : Control(std::move(name)), end_timer_(this->name() + ".end") {
  end_timer_.OnTimer = [this] {
    stopped_frame_ = frame_count_ - 1;
    Finish();
  };
}

void Animation::AttachClock(Clock& clock) {
  clock_ = &clock;
  clock.Register(end_timer_);
}

void Animation::Open(int clip, int frame_count, int frame_ms) {
  Close();
  if (clip <= 0 || frame_count <= 0) return;
  clip_ = clip;
  frame_count_ = frame_count;
  frame_ms_ = std::max(frame_ms, 1);
  Raise(OnOpen);
}

void Animation::Close() {
  end_timer_.SetEnabled(false);
  active_ = false;
  clip_ = 0;
  frame_count_ = 0;
  stopped_frame_ = 0;
}

void Animation::Play() {
  if (!open()) return;
  active_ = true;
  started_at_ = clock_ != nullptr ? clock_->Now() : 0;
  stopped_frame_ = 0;
  // Re-enabling restarts the period, so a second Play runs the whole clip again.
  end_timer_.SetEnabled(false);
  end_timer_.SetInterval(frame_count_ * frame_ms_);
  end_timer_.SetEnabled(true);
  Raise(OnStart);
}

void Animation::Stop() {
  if (!active_) return;
  stopped_frame_ = FrameAt(clock_ != nullptr ? clock_->Now() : started_at_);
  Finish();
}

void Animation::Finish() {
  end_timer_.SetEnabled(false);
  active_ = false;
  Raise(OnStop);
}

int Animation::FrameAt(std::int64_t now) const {
  const std::int64_t frame = (now - started_at_) / frame_ms_;
  return static_cast<int>(std::clamp<std::int64_t>(frame, 0, frame_count_ - 1));
}

int Animation::CurrentFrame() const {
  if (active_ && clock_ != nullptr) return FrameAt(clock_->Now());
  return stopped_frame_;
}

}  // namespace norva::components
