#include "menu/list_input.h"

#include "menu/icon_column.h"
#include "menu/item_list.h"
#include "menu/key_focus.h"
#include "menu/main_form.h"
#include "menu/pages.h"
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
  form_.window().OnKeyDown = [this](Key key) { FormKeyDown(key); };
  form_.window().OnMouseWheel = [this](int delta, int x, int) {
    if (delta < 0) {
      FormMouseWheelUp(x);
    } else if (delta > 0) {
      FormMouseWheelDown(x);
    }
  };
}

bool ListInput::GalleryShown() const {
  return form_.pictures().GalleryShown();
}

void ListInput::TypeAhead(char letter) {
  ItemList& list = form_.item_list();
  form_.PrevItemIndex = form_.ItemIndex;
  const int p = list.FindPosition(letter);
  if (p == 0) return;
  form_.ItemIndex = p;
  const int row_offset = p - form_.TopIndex;
  if (row_offset >= 1 && row_offset <= 9) {
    list.ClampListWindow();
    list.FillList();
    form_.host().ProcessMessages();
  } else {
    list.RepositionListWindow();
  }
  form_.pages().ProcessPage();
}

void ListInput::FormKeyDown(Key key) {
  // Focus, activation, pages, settings and exit are keys the list does not use.
  if (form_.key_focus().KeyDown(key)) return;
  if (const char letter = components::KeyLetter(key); letter != 0) {
    TypeAhead(letter);
    return;
  }
  ItemList& list = form_.item_list();
  const int count = list.AssignTempNumber(form_.PageKind);
  auto refresh = [&] {
    list.FillList();
    form_.pages().ProcessPage();
  };
  switch (key) {
    case Key::Esc:
      // Starts the gallery's closing fade, unless it already runs.
      if (GalleryShown()) form_.pictures().CloseGallery();
      return;
    case Key::PageUp:
      if (count >= 10) {
        list.Up1Click();
      } else {
        form_.ItemIndex = 1;
        form_.TopIndex = 1;
        refresh();
      }
      return;
    case Key::PageDown:
      if (count >= 10) {
        list.Down1Click();
      } else {
        form_.ItemIndex = count;
        form_.TopIndex = 1;
        refresh();
      }
      return;
    case Key::End:
      form_.ItemIndex = count;
      form_.TopIndex = count - 9 < 1 ? 1 : count - 9;
      list.FillList();
      form_.host().ProcessMessages();
      form_.pages().ProcessPage();
      return;
    case Key::Home:
      form_.ItemIndex = 1;
      form_.TopIndex = 1;
      refresh();
      return;
    case Key::Left:
      if (GalleryShown()) form_.pictures().LeftArrowClick();
      return;
    case Key::Right:
      if (GalleryShown()) form_.pictures().RightArrowClick();
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
    form_.pictures().RightArrowClick();
  } else if (x > kColumnEdge) {
    form_.icon_column().Down2Hover();
  } else if (x < kListEdge) {
    form_.item_list().ScrollListDown();
  }
}

void ListInput::FormMouseWheelDown(int x) {
  if (GalleryShown()) {
    form_.pictures().LeftArrowClick();
  } else if (x > kColumnEdge) {
    form_.icon_column().Up2Hover();
  } else if (x < kListEdge) {
    form_.item_list().ScrollListUp();
  }
}

}  // namespace norva::menu
