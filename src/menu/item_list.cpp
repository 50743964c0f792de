#include "menu/item_list.h"

#include <algorithm>

#include "catalog/text_prep.h"
#include "menu/main_form.h"
#include "menu/page_kinds.h"
#include "menu/pages.h"

namespace norva::menu {
namespace {

constexpr int kRows = 10;
constexpr std::uint32_t kRowText = 0x2B322F;
constexpr std::uint32_t kSilver = 0xC0C0C0;
constexpr std::uint32_t kBlack = 0x000000;

template <typename Array>
std::string_view NameIn(const Array& items, int index) {
  if (index < 1 || index >= static_cast<int>(items.size())) return {};
  return items[index].Name;
}

template <typename Array>
bool InstalledIn(const Array& items, int index) {
  return index >= 1 && index < static_cast<int>(items.size()) && items[index].Installed == 1;
}

}  // namespace

void ItemList::Wire() {
  auto& c = form_.controls();
  for (int n = 1; n <= kRows; ++n) c.DemosLabel[n]->OnClick = [this, n] { SelectRow(n - 1); };
  c.Down1->OnClick = [this] { Down1Click(); };
  c.Up1->OnClick = [this] { Up1Click(); };
  c.Down1->OnMouseMove = [this](int, int) { Down1MouseMove(); };
  c.Up1->OnMouseMove = [this](int, int) { Up1MouseMove(); };
}

std::uint8_t ItemList::AssignTempNumber(int kind) const {
  const catalog::Catalog& cat = form_.catalog();
  int count = 0;
  switch (kind) {
    case kPageDemos:
      count = cat.DemoCount;
      break;
    case kPageExtra:
      count = cat.ExtraCount;
      break;
    case kPageShareware:
      count = cat.ShareCount;
      break;
    case kPageDrivers:
      count = cat.DriverCount;
      break;
    case kPageUpdates:
      count = cat.UpdateCount;
      break;
    case kPageReaders:
      count = cat.ReaderCount;
      break;
    case kPageShots:
      count = cat.ShotCount;
      break;
    case kPageFilms:
      count = cat.MovieCount;
      break;
    case kPageFulls:
      count = cat.FullCount;
      break;
    case kPageExtra2:
      count = cat.Extra2Count;
      break;
    case kPageInstalled:
      count = form_.InstalledCount;
      break;
    case kPageQuillon:
      count = 1;
      break;
    case kPageSettings:
      count = 3;
      break;
    default:
      break;
  }
  return static_cast<std::uint8_t>(count & 0xFF);
}

std::optional<std::string_view> ItemList::NameAt(int kind, int index) const {
  const catalog::Catalog& cat = form_.catalog();
  switch (kind) {
    case kPageDemos:
      return NameIn(cat.Demo, index);
    case kPageExtra:
      return NameIn(cat.Extra, index);
    case kPageShareware:
      return NameIn(cat.Share, index);
    case kPageDrivers:
      return NameIn(cat.Driver, index);
    case kPageUpdates:
      return NameIn(cat.Update, index);
    case kPageReaders:
      return NameIn(cat.Reader, index);
    case kPageShots:
      return NameIn(cat.Shot, index);
    case kPageFilms:
      return NameIn(cat.Movie, index);
    case kPageFulls:
      return NameIn(cat.Full, index);
    case kPageExtra2:
      return NameIn(cat.Extra2, index);
    case kPageInstalled:
      return NameIn(form_.InstalledList, index);
    default:
      return std::nullopt;
  }
}

bool ItemList::InstalledAt(int index) const {
  const catalog::Catalog& cat = form_.catalog();
  switch (form_.PageKind) {
    case kPageDemos:
      return InstalledIn(cat.Demo, index);
    case kPageReaders:
      return InstalledIn(cat.Reader, index);
    case kPageFulls:
      return InstalledIn(cat.Full, index);
    default:
      return false;
  }
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
  const auto names = AssignTempNamesList(form_.PageKind);
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (!names[i].empty() && names[i][0] == letter) return static_cast<std::uint8_t>((i + 1) & 0xFF);
  }
  return 0;
}

void ItemList::FillList() {
  auto& c = form_.controls();
  const int kind = form_.PageKind;
  if (kind != kPageSettings) HideQuickBars();
  HighLight(form_.ItemIndex - form_.TopIndex + 1);
  if (NameAt(kind, 1)) {
    if (kind == kPageDemos || kind == kPageExtra2) Bold();
    for (int row = 1; row <= kRows; ++row) {
      // Names are shown as the catalog or the store has them, ampersands included.
      c.DemosLabel[row]->caption = catalog::DoubleAmpersands(*NameAt(kind, form_.TopIndex + row - 1));
    }
  }
  if (kind == kPageSettings) {
    ClearList();
    for (int row = 1; row <= 3; ++row) {
      c.DemosLabel[row]->caption = form_.messages().LoadString(form_.Language * 100 + 72 + row);
    }
  }
}

void ItemList::ClearList() {
  auto& c = form_.controls();
  c.PositionLabel->caption.clear();
  for (int row = 1; row <= kRows; ++row) c.DemosLabel[row]->caption.clear();
}

void ItemList::HighLight(int row) {
  auto& c = form_.controls();
  const int night = form_.NightMode;
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
  c.Up1->image = form_.ItemIndex == 1 ? -1 : 84 + 2 * night;
  c.Down1->image = form_.ItemIndex == AssignTempNumber(form_.PageKind) ? -1 : 80 + 2 * night;
}

void ItemList::Bold() {
  auto& c = form_.controls();
  const int kind = form_.PageKind;
  if (kind != kPageSettings) {
    for (int n = 1; n <= kRows; ++n) c.Play[n]->image = 88 + 2 * form_.NightMode;
  }
  // A full version's icons stop at row 6: the rows below were never given one.
  int rows = 0;
  if (kind == kPageDemos || kind == kPageReaders) rows = kRows;
  if (kind == kPageFulls) rows = 6;
  for (int n = 1; n <= rows; ++n) c.Play[n]->visible = InstalledAt(form_.TopIndex + n - 1);
}

void ItemList::Unbold() {
  auto& c = form_.controls();
  for (int n = 1; n <= kRows; ++n) {
    c.DemosLabel[n]->font.bold = false;
    c.DemosLabel[n]->color = kRowText;
    c.DemosLabel[n]->hover_color = kBlack;
  }
  if (form_.PageKind != kPageSettings) HideQuickBars();
}

void ItemList::HideQuickBars() {
  for (int n = 1; n <= kRows; ++n) form_.controls().Play[n]->visible = false;
}

void ItemList::PumpMessages() {
  form_.host().ProcessMessages();
}

void ItemList::ScrollListDown() {
  const int n = AssignTempNumber(form_.PageKind);
  if (n == 0 || form_.ItemIndex >= n) return;
  const int old = form_.ItemIndex;
  form_.ItemIndex += 1;
  if (old == form_.TopIndex + 9) form_.TopIndex += 1;
  FillList();
  HighLight(form_.ItemIndex - form_.TopIndex + 1);
  PumpMessages();
  form_.pages().ProcessPage();
}

void ItemList::ScrollListUp() {
  const int n = AssignTempNumber(form_.PageKind);
  if (n == 0 || form_.ItemIndex <= 1) return;
  const int old = form_.ItemIndex;
  form_.ItemIndex -= 1;
  if (old == form_.TopIndex && form_.TopIndex > 1) {
    form_.TopIndex -= 1;
    FillList();
  }
  HighLight(form_.ItemIndex - form_.TopIndex + 1);
  PumpMessages();
  form_.pages().ProcessPage();
}

void ItemList::SelectRow(int offset) {
  const int index = form_.TopIndex + offset;
  if (index == form_.ItemIndex || index > AssignTempNumber(form_.PageKind)) return;
  form_.ItemIndex = index;
  HighLight(offset + 1);
  form_.pages().ProcessPage();
}

void ItemList::Down1Click() {
  if (form_.controls().Down1->image == -1) return;
  if (AssignTempNumber(form_.PageKind) <= 10) {
    ScrollListDown();
    return;
  }
  form_.PrevItemIndex = form_.ItemIndex;
  // The jump lands on the next block of ten; later lines win, so item 20 goes to 21.
  const int old = form_.ItemIndex;
  if (old >= 30 && old <= 39) form_.TopIndex = 40;
  if (old >= 20 && old <= 29) form_.TopIndex = 30;
  if (old >= 11 && old <= 20) form_.TopIndex = 21;
  if (old >= 1 && old <= 10) form_.TopIndex = 11;
  form_.ItemIndex += 10;
  ClampListWindow();
  FillList();
  form_.pages().ProcessPage();
}

void ItemList::Up1Click() {
  if (form_.controls().Up1->image == -1) return;
  if (AssignTempNumber(form_.PageKind) > 10) {
    form_.PrevItemIndex = form_.ItemIndex;
    form_.TopIndex -= 10;
    form_.ItemIndex -= 10;
    ClampListWindow();
    FillList();
    form_.pages().ProcessPage();
  } else {
    ScrollListUp();
  }
}

void ItemList::Down1MouseMove() {
  auto* arrow = form_.controls().Down1;
  if (arrow->image != -1) arrow->image = 81 + 2 * form_.NightMode;
}

void ItemList::Up1MouseMove() {
  auto* arrow = form_.controls().Up1;
  if (arrow->image != -1) arrow->image = 85 + 2 * form_.NightMode;
}

void ItemList::ClampListWindow() {
  int& top = form_.TopIndex;
  int& item = form_.ItemIndex;
  if (item < 1) {
    item = 1;
    top = 1;
  }
  if (top < 1) top = 1;
  const int n = AssignTempNumber(form_.PageKind);
  if (item >= n) {
    item = n;
    top = n - 9;
  }
  if (n - top < 9) top = n - 9;
  // On a page of fewer than ten items the rules above put row 1 before the first item.
  top = std::max(top, 1);
}

void ItemList::RepositionListWindow() {
  const int n = AssignTempNumber(form_.PageKind);
  form_.TopIndex = n - form_.ItemIndex < 9 ? n - 9 : form_.ItemIndex;
  ClampListWindow();
  FillList();
  PumpMessages();
  form_.pages().ProcessPage();
}

}  // namespace norva::menu
