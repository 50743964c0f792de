// Keyboard and mouse wheel of the main window: type-ahead by first letter, the navigation keys, the digit
// keys for rows, the gallery keys, and the wheel over the list, the page-icon column or the open gallery.
// The keys of the keyboard focus (KeyFocus) are handed on to it first.
#pragma once

#include "components/input.h"

namespace norva::menu {

class MainForm;

class ListInput {
 public:
  // The form owns this object and outlives it.
  explicit ListInput(MainForm& form) : form_(form) {}

  // Takes the window's key and wheel events.
  void Wire();

  void FormKeyDown(components::Key key);
  // The window design wires the wheel turned down (towards the user) to FormMouseWheelUp and the wheel
  // turned up to FormMouseWheelDown; the names are kept. `x` is the pointer's position in the window.
  void FormMouseWheelUp(int x);
  void FormMouseWheelDown(int x);

 private:
  // Selects the first item whose name starts with the letter; nothing when none does.
  void TypeAhead(char letter);
  bool GalleryShown() const;

  MainForm& form_;
};

}  // namespace norva::menu
