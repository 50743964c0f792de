#include "menu/item_list.h"

#include <algorithm>

#include "catalog/text_prep.h"
#include "menu/page_kinds.h"
#include "menu/page_view.h"
#include "menu/picture_index.h"

namespace norva::menu {
namespace {

constexpr int kRows = 10;
constexpr std::uint32_t kRowText = 0x2B322F;
constexpr std::uint32_t kSilver = 0xC0C0C0;
constexpr std::uint32_t kBlack = 0x000000;

}  // namespace

void ItemList::Wire() {
  auto& c = controls_;
  for (int n = 1; n <= kRows; ++n) c.DemosLabel[n]->OnClick = [this, n] { SelectRow(n - 1); };
  c.Down1->OnClick = [this] { Down1Click(); };
  c.Up1->OnClick = [this] { Up1Click(); };
  c.Down1->OnMouseMove = [this](int, int) { Down1MouseMove(); };
  c.Up1->OnMouseMove = [this](int, int) { Up1MouseMove(); };
}

std::uint8_t ItemList::AssignTempNumber(int kind) const {
  return PageItemCount(data_, kind);
}

std::optional<std::string_view> ItemList::NameAt(int kind, int index) const {
  return PageItemName(data_, kind, index);
}

bool ItemList::InstalledAt(int index) const {
  const PageKindInfo* page = PageKindOf(selection_.PageKind);
  if (page == nullptr || page->quick_run_rows == 0) return false;
  const catalog::TDemos* item = PageProgram(data_, selection_.PageKind, index);
  return item != nullptr && item->Installed == 1;
}

std::vector<std::string> ItemList::AssignTempNamesList(int kind) const {
  std::vector<std::string> names;
  if (kind == kPageQuillon || kind == kPageSettings) return names;
  const int count = AssignTempNumber(kind);
  for (int i = 1; i <= count; ++i) {
    auto name = NameAt(kind, i);
    if (!name) break;
    names.emplace_back(*name);
  }
  return names;
}

std::uint8_t ItemList::FindPosition(char letter) const {
  const auto names = AssignTempNamesList(selection_.PageKind);
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (!names[i].empty() && names[i][0] == letter) return static_cast<std::uint8_t>((i + 1) & 0xFF);
  }
  return 0;
}

void ItemList::FillList() {
  auto& c = controls_;
  const int kind = selection_.PageKind;
  if (kind != kPageSettings) HideQuickBars();
  HighLight(selection_.ItemIndex - selection_.TopIndex + 1);
  if (NameAt(kind, 1)) {
    if (kind == kPageDemos || kind == kPageExtra2) Bold();
    for (int row = 1; row <= kRows; ++row) {
      // Names are shown as the catalog or the store has them, ampersands included.
      c.DemosLabel[row]->caption = catalog::DoubleAmpersands(*NameAt(kind, selection_.TopIndex + row - 1));
    }
  }
  if (kind == kPageSettings) {
    ClearList();
    for (int row = 1; row <= 3; ++row) {
      c.DemosLabel[row]->caption = services_.messages.LoadString(look_.Language * 100 + 72 + row);
    }
  }
}

void ItemList::ClearList() {
  auto& c = controls_;
  c.PositionLabel->caption.clear();
  for (int row = 1; row <= kRows; ++row) c.DemosLabel[row]->caption.clear();
}

void ItemList::HighLight(int row) {
  auto& c = controls_;
  const int night = look_.NightMode;
  const bool on_list = row >= 1 && row <= kRows;
  if (on_list) c.HighlightDIB->rect.top = 63 + 31 * (row - 1);
  Bold();
  for (int n = 1; n <= kRows; ++n) {
    auto* label = c.DemosLabel[n];
    if (label->color == kBlack || label->color == kSilver) {
      label->color = kRowText;
      label->hover_color = kBlack;
    }
  }
  if (on_list) {
    const std::uint32_t selected = night == 1 ? kBlack : kSilver;
    c.DemosLabel[row]->color = selected;
    c.DemosLabel[row]->hover_color = selected;
  }
  c.Up1->image = selection_.ItemIndex == 1 ? -1 : picture::kUpArrow + picture::kNightPair * night;
  c.Down1->image = selection_.ItemIndex == AssignTempNumber(selection_.PageKind)
                       ? -1
                       : picture::kDownArrow + picture::kNightPair * night;
}

void ItemList::Bold() {
  auto& c = controls_;
  const int kind = selection_.PageKind;
  if (kind != kPageSettings) {
    for (int n = 1; n <= kRows; ++n)
      c.Play[n]->image = picture::kQuickRun + picture::kNightPair * look_.NightMode;
  }
  const PageKindInfo* page = PageKindOf(kind);
  const int rows = page != nullptr ? page->quick_run_rows : 0;
  for (int n = 1; n <= rows; ++n) c.Play[n]->visible = InstalledAt(selection_.TopIndex + n - 1);
}

void ItemList::Unbold() {
  auto& c = controls_;
  for (int n = 1; n <= kRows; ++n) {
    c.DemosLabel[n]->font.bold = false;
    c.DemosLabel[n]->color = kRowText;
    c.DemosLabel[n]->hover_color = kBlack;
  }
  if (selection_.PageKind != kPageSettings) HideQuickBars();
}

void ItemList::HideQuickBars() {
  for (int n = 1; n <= kRows; ++n) controls_.Play[n]->visible = false;
}

void ItemList::PumpMessages() {
  services_.host.ProcessMessages();
}

void ItemList::ScrollListDown() {
  const int n = AssignTempNumber(selection_.PageKind);
  if (n == 0 || selection_.ItemIndex >= n) return;
  const int old = selection_.ItemIndex;
  selection_.ItemIndex += 1;
  if (old == selection_.TopIndex + 9) selection_.TopIndex += 1;
  FillList();
  HighLight(selection_.ItemIndex - selection_.TopIndex + 1);
  PumpMessages();
  view_.ProcessPage();
}

void ItemList::ScrollListUp() {
  const int n = AssignTempNumber(selection_.PageKind);
  if (n == 0 || selection_.ItemIndex <= 1) return;
  const int old = selection_.ItemIndex;
  selection_.ItemIndex -= 1;
  if (old == selection_.TopIndex && selection_.TopIndex > 1) {
    selection_.TopIndex -= 1;
    FillList();
  }
  HighLight(selection_.ItemIndex - selection_.TopIndex + 1);
  PumpMessages();
  view_.ProcessPage();
}

void ItemList::SelectRow(int offset) {
  const int index = selection_.TopIndex + offset;
  if (index == selection_.ItemIndex || index > AssignTempNumber(selection_.PageKind)) return;
  selection_.ItemIndex = index;
  HighLight(offset + 1);
  view_.ProcessPage();
}

void ItemList::Down1Click() {
  if (controls_.Down1->image == -1) return;
  if (AssignTempNumber(selection_.PageKind) <= 10) {
    ScrollListDown();
    return;
  }
  selection_.PrevItemIndex = selection_.ItemIndex;
  // The jump lands on the next block of ten; later lines win, so item 20 goes to 21.
  const int old = selection_.ItemIndex;
  if (old >= 30 && old <= 39) selection_.TopIndex = 40;
  if (old >= 20 && old <= 29) selection_.TopIndex = 30;
  if (old >= 11 && old <= 20) selection_.TopIndex = 21;
  if (old >= 1 && old <= 10) selection_.TopIndex = 11;
  selection_.ItemIndex += 10;
  ClampListWindow();
  FillList();
  view_.ProcessPage();
}

void ItemList::Up1Click() {
  if (controls_.Up1->image == -1) return;
  if (AssignTempNumber(selection_.PageKind) > 10) {
    selection_.PrevItemIndex = selection_.ItemIndex;
    selection_.TopIndex -= 10;
    selection_.ItemIndex -= 10;
    ClampListWindow();
    FillList();
    view_.ProcessPage();
  } else {
    ScrollListUp();
  }
}

void ItemList::Down1MouseMove() {
  auto* arrow = controls_.Down1;
  if (arrow->image != -1)
    arrow->image = picture::kDownArrow + picture::kSecondState + picture::kNightPair * look_.NightMode;
}

void ItemList::Up1MouseMove() {
  auto* arrow = controls_.Up1;
  if (arrow->image != -1)
    arrow->image = picture::kUpArrow + picture::kSecondState + picture::kNightPair * look_.NightMode;
}

void ItemList::ClampListWindow() {
  int& top = selection_.TopIndex;
  int& item = selection_.ItemIndex;
  if (item < 1) {
    item = 1;
    top = 1;
  }
  if (top < 1) top = 1;
  const int n = AssignTempNumber(selection_.PageKind);
  if (item >= n) {
    item = n;
    top = n - 9;
  }
  if (n - top < 9) top = n - 9;
  // On a page of fewer than ten items the rules above put row 1 before the first item.
  top = std::max(top, 1);
}

void ItemList::RepositionListWindow() {
  const int n = AssignTempNumber(selection_.PageKind);
  selection_.TopIndex = n - selection_.ItemIndex < 9 ? n - 9 : selection_.ItemIndex;
  ClampListWindow();
  FillList();
  PumpMessages();
  view_.ProcessPage();
}

}  // namespace norva::menu
