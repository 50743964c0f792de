// Scrolling of the page-icon column: hovering its arrows (or turning the wheel over it) starts a 10 ms
// timer that moves all eleven icons and their captions by `IconScrollStep` pixels per tick, fading the icons
// that leave or enter the visible band, until the first or last icon is in place.
//
// ScrollDownTimer moves the column up (revealing the lower icons; started from Down2), ScrollUpTimer moves it
// down (started from Up2). Moved by an arrow's hover, a column of eleven icons also rests half-way, with
// icons 6 to 10 in view, so that every icon can be reached while the column stands still.
#pragma once

#include "menu/main_controls.h"
#include "menu/menu_state.h"

namespace norva::menu {

class WindowEffects;

class IconColumn {
 public:
  // All are the form's and outlive this object.
  IconColumn(MainControls& controls, const Appearance& look, Selection& selection, WindowEffects& effects)
      : controls_(controls), look_(look), selection_(selection), effects_(effects) {}

  // Assigns the arrows' hovers and the two timers.
  void Wire();

  // Hovers of the column arrows, x and y in the arrow's own coordinates; they end with the decorative
  // arrows' move.
  void Down2MouseMove(int x, int y);
  void Up2MouseMove(int x, int y);
  // What hovering an arrow does to the column, without the decorative arrows and without the rest half-way
  // (the wheel's action); nothing while the arrow shows no picture.
  void Down2Hover();
  void Up2Hover();

  // One tick of each direction.
  void ScrollDownTimer();
  void ScrollUpTimer();

  // Adds `delta` to the opacity of icon n (1..11) and its caption, kept within 0..255; other n do nothing.
  void SetOpacity(int icon, int delta);

 private:
  // Moves every icon and caption down by `dy` pixels (up when negative).
  void MoveColumn(int dy);
  // True when the move that started with the sixth icon at `sixth_before` brought it to the first icon's
  // place, where a column of eleven rests.
  bool PausesAtSixth(int sixth_before) const;

  MainControls& controls_;
  const Appearance& look_;
  Selection& selection_;
  WindowEffects& effects_;
  // The column moves by an arrow's hover, which rests half-way in a column of eleven.
  bool rest_half_way_ = false;
};

}  // namespace norva::menu
