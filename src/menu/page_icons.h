// The pressed look of the page-icon column: the selected page's icon, and the one under the pointer.
#pragma once

#include "menu/main_controls.h"
#include "menu/menu_state.h"

namespace norva::menu {

class PageIcons {
 public:
  // Both are the form's and outlive this object.
  PageIcons(MainControls& controls, Selection& selection) : controls_(controls), selection_(selection) {}

  // Hover highlighting of a column slot (1..11; other values only move the hover state).
  void PressIcon(int slot);
  void UnpressIcon(int slot);

 private:
  MainControls& controls_;
  Selection& selection_;
};

}  // namespace norva::menu
