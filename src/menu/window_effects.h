// The window as a whole: its two modes (with or without the border panel), the border animations that start
// at random, the mouse-over effects common to the whole window (hover reset, the decorative arrows that
// follow the pointer, the three corner spots) and dragging the borderless window.
#pragma once

#include <memory>

#include "components/control.h"
#include "components/input.h"
#include "components/window.h"
#include "menu/main_controls.h"
#include "menu/menu_services.h"
#include "menu/menu_state.h"
#include "menu/random_source.h"

namespace norva::menu {

class PageIcons;

class WindowEffects {
 public:
  // All are the form's and outlive this object. Random choices come from the system until a test puts in
  // its own source.
  WindowEffects(Services services, MainControls& controls, components::Window& window, const Appearance& look,
                Selection& selection, const Settings& settings, PageIcons& icons);

  // Assigns the animations' start events, the animation timer, the hover reset, the spots' hovers and the
  // window drag.
  void Wire();
  void SetRandomSource(std::unique_ptr<RandomSource> random) { random_ = std::move(random); }

  // Applies the window mode of `EnhancedSetting`: size, panel place, shape, animations, pictures, then
  // centres the window on the screen and has the front end place it.
  void SwitchMode();

  // One tick of the animation timer: starts one of the ten border animations, or none, at random; stops
  // the timer for good once the border panel is off.
  void AnimationTimerTimer();
  // The animation n (1..10) shows itself when its clip starts.
  void AnimateStart(int n);

  // The hover reset: the pointer is over the background or the texts, off every hot control. x, y are in
  // `sender`'s own coordinates.
  void ScreenImageMouseMove(const components::Control& sender, int x, int y);
  // Moves the two decorative arrows after the pointer; x, y are in `sender`'s own coordinates and `sender`
  // lies in the menu panel.
  void MoveArrows(const components::Control& sender, int x, int y);

  void ExitSpotMouseMove();
  void SetupSpotMouseMove();
  void IndigoSpotMouseMove();

  // A left-button press on the border, the background, the texts, flags or animations drags the window.
  void Image4MouseDown(components::MouseButton button);

  // There is no full-screen mode: these keep the window as it is (the last one runs before launches).
  void SetFullScreen() {}
  void RestoreScreen() {}
  void MinimalizeScreen() {}

 private:
  // Shows the indicator of spot 0 (exit), 1 (settings) or 2 (colour scheme) with its name, hides the others.
  void ShowSpot(int spot);

  Services services_;
  MainControls& controls_;
  components::Window& window_;
  const Appearance& look_;
  Selection& selection_;
  const Settings& settings_;
  PageIcons& icons_;
  std::unique_ptr<RandomSource> random_;
};

// Rounds numerator / denominator (denominator > 0) to the nearest integer, halves to the even neighbour,
// exactly (no floating point on the way).
int RoundHalfEven(long long numerator, long long denominator);

}  // namespace norva::menu
