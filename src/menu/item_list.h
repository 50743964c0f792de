// The item list: ten rows over the current page's records (`TopIndex` the item in row 1, `ItemIndex` the
// selected one, both 1-based), the highlight bar, the quick-run icons left of the rows, the list arrows and
// every way of moving the selection by rows, steps and jumps. Every change of the selection ends in the
// page's panel refresh.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "menu/main_controls.h"
#include "menu/menu_services.h"
#include "menu/menu_state.h"
#include "menu/page_kinds.h"

namespace norva::menu {

class PageView;

class ItemList {
 public:
  // The form owns this object and the parts it is given, and outlives them.
  ItemList(Services services, MainControls& controls, const Appearance& look, Selection& selection,
           PageData data, PageView& view)
      : services_(services),
        controls_(controls),
        look_(look),
        selection_(selection),
        data_(data),
        view_(view) {}

  // Assigns the row clicks and the list arrows' clicks and hovers.
  void Wire();

  // Redraws the ten rows for the page, the window and the selection (moves the bar too).
  void FillList();
  // Empties the position label and all ten rows.
  void ClearList();
  // Moves the bar to a row (1..10; any other value leaves the bar), recolours the rows, refreshes the
  // quick-run icons and the list arrows.
  void HighLight(int row);
  // Pictures and visibility of the quick-run icons for the page shown.
  void Bold();
  // Every row back to the normal colours; the quick-run icons hidden except on the settings page.
  void Unbold();
  void HideQuickBars();

  // One item down or up; nothing at either end.
  void ScrollListDown();
  void ScrollListUp();
  // Selects the item in row offset + 1 (offset 0..9); nothing for the selected item or a row past the end.
  void SelectRow(int offset);
  // The list arrows: one step on a page of up to ten items, a jump by ten on longer pages.
  void Down1Click();
  void Up1Click();
  void Down1MouseMove();
  void Up1MouseMove();

  // Keep `TopIndex` and `ItemIndex` inside the page after a jump. `TopIndex` never goes below 1.
  void ClampListWindow();
  // Brings a selection that lies outside the shown rows into the window.
  void RepositionListWindow();

  // Number of items of a page kind (low byte of the count): the diskmag has 1, settings 3, kinds without a
  // list 0.
  std::uint8_t AssignTempNumber(int kind) const;
  // The `Name` of every item of a page kind, in index order; empty for pages without a catalog list.
  std::vector<std::string> AssignTempNamesList(int kind) const;
  // The first item of the page shown whose name starts with `letter` (an upper-case ANSI letter); 0 if none.
  std::uint8_t FindPosition(char letter) const;

 private:
  // The caption of item `index` of a page kind: empty past the array's end, nothing for a kind without a
  // catalog list.
  std::optional<std::string_view> NameAt(int kind, int index) const;
  // Whether item `index` of the page shown is marked installed (false outside the array).
  bool InstalledAt(int index) const;
  // Lets the window handle what is pending before the panel is refreshed.
  void PumpMessages();

  Services services_;
  MainControls& controls_;
  const Appearance& look_;
  Selection& selection_;
  PageData data_;
  PageView& view_;
};

}  // namespace norva::menu
