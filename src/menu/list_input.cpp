#include "menu/list_input.h"

#include "menu/icon_column.h"
#include "menu/item_list.h"
#include "menu/key_focus.h"
#include "menu/page_view.h"
#include "menu/pictures.h"

namespace norva::menu {
namespace {

using components::Key;

// Window x beyond which the wheel scrolls the page-icon column, and below which it scrolls the list; in
// between it does nothing.
constexpr int kColumnEdge = 600;
constexpr int kListEdge = 590;

}  // namespace

void ListInput::Wire() {
  window_.OnKeyDown = [this](Key key) { FormKeyDown(key); };
  window_.OnMouseWheel = [this](int delta, int x, int) {
    if (delta < 0) {
      FormMouseWheelUp(x);
    } else if (delta > 0) {
      FormMouseWheelDown(x);
    }
  };
}

bool ListInput::GalleryShown() const {
  return pictures_.GalleryShown();
}

void ListInput::TypeAhead(char letter) {
  ItemList& list = list_;
  selection_.PrevItemIndex = selection_.ItemIndex;
  const int p = list.FindPosition(letter);
  if (p == 0) return;
  selection_.ItemIndex = p;
  const int row_offset = p - selection_.TopIndex;
  if (row_offset >= 1 && row_offset <= 9) {
    list.ClampListWindow();
    list.FillList();
    services_.host.ProcessMessages();
  } else {
    list.RepositionListWindow();
  }
  view_.ProcessPage();
}

void ListInput::FormKeyDown(Key key) {
  // Focus, activation, pages, settings and exit are keys the list does not use.
  if (key_focus_.KeyDown(key)) return;
  if (const char letter = components::KeyLetter(key); letter != 0) {
    TypeAhead(letter);
    return;
  }
  ItemList& list = list_;
  const int count = list.AssignTempNumber(selection_.PageKind);
  auto refresh = [&] {
    list.FillList();
    view_.ProcessPage();
  };
  switch (key) {
    case Key::Esc:
      // Starts the gallery's closing fade, unless it already runs.
      if (GalleryShown()) pictures_.CloseGallery();
      return;
    case Key::PageUp:
      if (count >= 10) {
        list.Up1Click();
      } else {
        selection_.ItemIndex = 1;
        selection_.TopIndex = 1;
        refresh();
      }
      return;
    case Key::PageDown:
      if (count >= 10) {
        list.Down1Click();
      } else {
        selection_.ItemIndex = count;
        selection_.TopIndex = 1;
        refresh();
      }
      return;
    case Key::End:
      selection_.ItemIndex = count;
      selection_.TopIndex = count - 9 < 1 ? 1 : count - 9;
      list.FillList();
      services_.host.ProcessMessages();
      view_.ProcessPage();
      return;
    case Key::Home:
      selection_.ItemIndex = 1;
      selection_.TopIndex = 1;
      refresh();
      return;
    case Key::Left:
      if (GalleryShown()) pictures_.LeftArrowClick();
      return;
    case Key::Right:
      if (GalleryShown()) pictures_.RightArrowClick();
      return;
    case Key::Up:
      list.ScrollListUp();
      return;
    case Key::Down:
      list.ScrollListDown();
      return;
    default:
      break;
  }
  if (const int digit = components::KeyDigit(key); digit >= 0) list.SelectRow(digit == 0 ? 9 : digit - 1);
}

void ListInput::FormMouseWheelUp(int x) {
  if (GalleryShown()) {
    pictures_.RightArrowClick();
  } else if (x > kColumnEdge) {
    icon_column_.Down2Hover();
  } else if (x < kListEdge) {
    list_.ScrollListDown();
  }
}

void ListInput::FormMouseWheelDown(int x) {
  if (GalleryShown()) {
    pictures_.LeftArrowClick();
  } else if (x > kColumnEdge) {
    icon_column_.Up2Hover();
  } else if (x < kListEdge) {
    list_.ScrollListUp();
  }
}

}  // namespace norva::menu
