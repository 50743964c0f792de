// Keyboard and mouse wheel of the main window: type-ahead by first letter, the navigation keys, the digit
// keys for rows, the gallery keys, and the wheel over the list, the page-icon column or the open gallery.
// The keys of the keyboard focus (KeyFocus) are handed on to it first.
#pragma once

#include "components/input.h"
#include "components/window.h"
#include "menu/menu_services.h"
#include "menu/menu_state.h"

namespace norva::menu {

class IconColumn;
class ItemList;
class KeyFocus;
class PageView;
class Pictures;

class ListInput {
 public:
  // All are the form's and outlive this object.
  ListInput(Services services, components::Window& window, Selection& selection, ItemList& list,
            Pictures& pictures, IconColumn& icon_column, KeyFocus& key_focus, PageView& view)
      : services_(services),
        window_(window),
        selection_(selection),
        list_(list),
        pictures_(pictures),
        icon_column_(icon_column),
        key_focus_(key_focus),
        view_(view) {}

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

  Services services_;
  components::Window& window_;
  Selection& selection_;
  ItemList& list_;
  Pictures& pictures_;
  IconColumn& icon_column_;
  KeyFocus& key_focus_;
  PageView& view_;
};

}  // namespace norva::menu
