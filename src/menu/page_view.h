// What the page screens and the actions ask of the item list and the detail panel: rebuild the rows, refresh
// the panel for the selection, both, or empty the panel. The list and the panel use it too, each for the
// other, so that neither holds the other.
#pragma once

namespace norva::menu {

class ItemList;
class DetailPanel;

class PageView {
 public:
  virtual ~PageView() = default;
  // The ten rows for the page, the window and the selection.
  virtual void FillList() = 0;
  // The detail panel and the position label for the page shown and its selected item.
  virtual void ProcessPage() = 0;
  // Empties the detail panel.
  virtual void SetOff() = 0;
  // The rows, then the panel: what every change of the page's data ends in.
  void Refresh() {
    FillList();
    ProcessPage();
  }
};

// The page view of the menu's own list and panel, given once both are made.
class ListAndPanel final : public PageView {
 public:
  void Connect(ItemList& list, DetailPanel& panel) {
    list_ = &list;
    panel_ = &panel;
  }
  void FillList() override;
  void ProcessPage() override;
  void SetOff() override;

 private:
  ItemList* list_ = nullptr;
  DetailPanel* panel_ = nullptr;
};

}  // namespace norva::menu
