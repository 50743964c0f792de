// The main window by keyboard alone: a focus that Tab and Shift+Tab move between the item list, the four
// action buttons, the page icons and the three spots; Enter or Space activates what has the focus (on the
// list: the item's main action, as a click on Play); F1..F11 select the pages of the icon column's slots,
// F12 opens the settings and Alt+F4 ends the menu. These keys are none of the list's own (letters, digits,
// arrows, Esc, Page Up/Down, Home, End), which keep working wherever the focus is.
//
// The focus mark (a frame around what has the focus) shows once Tab or Shift+Tab was pressed; the front end
// draws it where FocusMark says.
#pragma once

#include <optional>

#include "components/geometry.h"
#include "components/input.h"
#include "components/window.h"
#include "menu/main_controls.h"

namespace norva::components {
class Control;
}

namespace norva::menu {

class Pages;
class Pictures;
class SettingsPage;

class KeyFocus {
 public:
  // What can have the focus, in Tab order.
  enum class Target {
    kList,
    kReadme,
    kWeb,
    kPlay,
    kUninstall,
    kIcon1,
    kIcon11 = kIcon1 + 10,
    kExitSpot,
    kSetupSpot,
    kIndigoSpot,
  };
  static constexpr int kTargetCount = static_cast<int>(Target::kIndigoSpot) + 1;
  // The page icon of a column slot, 1..11.
  static constexpr Target Icon(int slot) {
    return static_cast<Target>(static_cast<int>(Target::kIcon1) + slot - 1);
  }

  // All are the form's and outlive this object.
  KeyFocus(MainControls& controls, components::Window& window, Pictures& pictures,
           SettingsPage& settings_page, Pages& pages)
      : controls_(controls),
        window_(window),
        pictures_(pictures),
        settings_page_(settings_page),
        pages_(pages) {}

  // Handles the keys above and returns true; false for every other key (the list's).
  bool KeyDown(components::Key key);

  // What has the focus now: the list when the focused control cannot be reached any more (a button that went
  // off, an icon scrolled away, the gallery over the panel).
  Target Focused() const;
  // True when a click would reach the target now (the list: while the gallery is closed).
  bool Available(Target target) const;
  // Moves the focus to the next (or previous) available target, wrapping around, and shows the mark.
  void Next(bool backwards);
  // Activates the focused target as a click on it would; true when something was clicked.
  bool Activate();

  // The frame to draw around the focused target, in window coordinates and within the menu panel; nothing
  // while the mark is not shown.
  std::optional<components::Rect> FocusMark() const;

 private:
  // The control of a target other than the list.
  components::Control* ControlOf(Target target) const;

  MainControls& controls_;
  components::Window& window_;
  Pictures& pictures_;
  SettingsPage& settings_page_;
  Pages& pages_;
  Target focused_ = Target::kList;
  bool mark_shown_ = false;
};

}  // namespace norva::menu
