// A transparent one-line (or word-wrapped) text label whose colour fades towards its hover colour while the
// pointer is over it and back after it leaves, one step per frame, driven by the window's clock.
#pragma once

#include <cstdint>
#include <string>

#include "components/control.h"
#include "components/timer.h"

namespace norva::components {

// Font character sets of the window system.
inline constexpr int kCentralEuropeanCharset = 238;
inline constexpr int kTurkishCharset = 162;

struct Font {
  std::string name = "Tahoma";
  int size = 11;  // pixels
  bool bold = false;
  int charset = kCentralEuropeanCharset;
};

enum class Alignment { Left, Center, Right };

class FadeLabel : public Control {
 public:
  explicit FadeLabel(std::string name);

  ControlKind kind() const override { return ControlKind::FadeLabel; }

  std::string caption;      // single-byte text in the edition's ANSI code page; "&&" shows one ampersand
  std::uint32_t color = 0;  // 0x00BBGGRR
  std::uint32_t hover_color = 0;  // 0x00BBGGRR, reached after the last fade frame
  int opacity = 255;              // 0..255
  Font font;
  Alignment alignment = Alignment::Left;
  bool word_wrap = false;
  // A one-line label whose box has something right above it: its line is lowered so that the accents of
  // capitals stay inside the box. Other one-line labels keep their line at the box's top, and accents may
  // reach above it.
  bool room_for_accents = false;
  // Off: the label keeps `color` under the pointer.
  bool hover_fade = true;
  int fade_frames = 10;    // steps from `color` to `hover_color`
  int fade_interval = 50;  // milliseconds per step

  // The colour shown now: `color` blended towards `hover_color` by the fade's progress, per channel.
  std::uint32_t ShownColor() const;
  // Progress of the fade, 0 (`color`) .. fade_frames (`hover_color`).
  int fade_step() const { return step_; }
  bool fading() const { return timer_.enabled(); }

 protected:
  void MouseEntered() override;
  void MouseLeft() override;
  void AttachClock(Clock& clock) override;

 private:
  void Step();
  int Frames() const { return fade_frames < 1 ? 1 : fade_frames; }

  Timer timer_;
  int step_ = 0;
  int direction_ = 0;  // +1 towards the hover colour, -1 back
};

}  // namespace norva::components
