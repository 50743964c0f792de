// The item list: the window over the page's items, the bar and row colours, the list arrows with their
// jumps by ten, and the quick-run icons of installed items.
#include <gtest/gtest.h>

#include "menu/item_list.h"
#include "menu/menu_test_form.h"
#include "menu/page_kinds.h"
#include "menu/pages.h"

namespace norva::test {
namespace {

using components::Key;
using namespace norva::menu;

struct Window {
  int top;
  int item;
  bool operator==(const Window&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Window& w) {
  return out << "{top " << w.top << ", item " << w.item << "}";
}
Window Of(const MainForm& f) {
  return {f.selection().TopIndex, f.selection().ItemIndex};
}

TEST(ItemList, SevenItemsLeaveEmptyRowsThatCannotBeSelected) {
  MenuTestForm t(CatalogText({Numbered("Demos", "Demo", 7)}));
  t.Start();
  auto& f = t.form();
  auto& c = t.controls();
  EXPECT_EQ(t.Row(7), "DEMO 7");
  for (int row = 8; row <= 10; ++row) EXPECT_EQ(t.Row(row), "") << row;
  EXPECT_EQ(c.Up1->image, -1) << "nothing above item 1";
  EXPECT_EQ(c.Down1->image, 80);

  t.Click("DemosLabel9");
  EXPECT_EQ(Of(f), (Window{1, 1}));
  t.Click("DemosLabel6");
  EXPECT_EQ(Of(f), (Window{1, 6}));
  EXPECT_EQ(c.HighlightDIB->rect.top, 63 + 31 * 5);
  EXPECT_EQ(c.DemosLabel[6]->color, 0xC0C0C0u) << "the selected row";
  EXPECT_EQ(c.DemosLabel[1]->color, 0x2B322Fu) << "the others in the normal colour";
  EXPECT_EQ(c.DemosLabel[1]->hover_color, 0u);

  t.Click("Down1");
  EXPECT_EQ(Of(f), (Window{1, 7}));
  EXPECT_EQ(c.Down1->image, -1) << "the last item is selected";
  t.Click("Down1");
  EXPECT_EQ(Of(f), (Window{1, 7})) << "a hidden arrow does nothing";

  t.Key(Key::Home);
  t.Key(Key::PageDown);
  EXPECT_EQ(Of(f), (Window{1, 7}));
  t.Key(Key::PageUp);
  EXPECT_EQ(Of(f), (Window{1, 1}));
  t.Key(Key::Up);
  EXPECT_EQ(Of(f), (Window{1, 1})) << "nothing above the first item";
}

TEST(ItemList, ArrowsJumpByTenAndTheClampKeepsTheLastPageFull) {
  MenuTestForm t(CatalogText({Numbered("Demos", "Demo", 25), Numbered("Readers", "Reader", 35)}));
  t.Start();
  auto& f = t.form();
  t.Key(Key::Digit5);
  t.Click("Down1");
  EXPECT_EQ(Of(f), (Window{11, 15}));
  EXPECT_EQ(f.selection().PrevItemIndex, 5);
  EXPECT_EQ(t.Row(1), "DEMO 11");
  t.Click("Down1");
  EXPECT_EQ(Of(f), (Window{16, 25})) << "the table gives 21; the clamp moves it to 25 - 9";
  EXPECT_EQ(t.Row(10), "DEMO 25");
  EXPECT_EQ(t.controls().Down1->image, -1);
  EXPECT_EQ(t.Position(), "25 z 25");
  t.Click("Up1");
  EXPECT_EQ(Of(f), (Window{6, 15}));
  t.Key(Key::PageUp);
  EXPECT_EQ(Of(f), (Window{1, 5})) << "Page Up is the arrow on a long page";

  // 35 readers (slot 3 after the diskmag).
  t.ClickIcon(3);
  ASSERT_EQ(f.selection().PageKind, kPageReaders);
  t.Key(Key::PageDown);
  t.Key(Key::PageDown);
  ASSERT_EQ(Of(f), (Window{21, 21})) << "item 11 jumps to the block from 21";
  t.Key(Key::Up);
  ASSERT_EQ(Of(f), (Window{20, 20})) << "scrolled up one row past the window's top";
  t.Click("Down1");
  EXPECT_EQ(Of(f), (Window{21, 30})) << "item 20 jumps like 11..19";
  t.Key(Key::Up);
  t.Key(Key::Up);
  t.Key(Key::Up);
  t.Key(Key::Up);
  t.Key(Key::Up);
  ASSERT_EQ(f.selection().ItemIndex, 25);
  t.Click("Down1");
  EXPECT_EQ(Of(f), (Window{26, 35})) << "the table gives 30; the clamp 35 - 9";
}

TEST(ItemList, TenItemsMoveByOneStep) {
  MenuTestForm t(CatalogText({Numbered("Demos", "Demo", 10)}));
  t.Start();
  auto& f = t.form();
  t.Key(Key::PageDown);
  EXPECT_EQ(Of(f), (Window{1, 2}));
  t.Click("Down1");
  EXPECT_EQ(Of(f), (Window{1, 3}));
  t.Key(Key::PageUp);
  EXPECT_EQ(Of(f), (Window{1, 2}));
  t.Click("Up1");
  EXPECT_EQ(Of(f), (Window{1, 1}));
  t.Key(Key::End);
  EXPECT_EQ(Of(f), (Window{1, 10}));
}

TEST(ItemList, StepsDownPastRowTenMoveTheWindowByOne) {
  MenuTestForm t(CatalogText({Numbered("Demos", "Demo", 13)}));
  t.Start();
  auto& f = t.form();
  t.Key(Key::Digit0);
  ASSERT_EQ(Of(f), (Window{1, 10}));
  t.Key(Key::Down);
  EXPECT_EQ(Of(f), (Window{2, 11}));
  EXPECT_EQ(t.Row(10), "DEMO 11");
  EXPECT_EQ(t.controls().HighlightDIB->rect.top, 63 + 31 * 9);
  t.Key(Key::Digit1);
  t.Key(Key::Up);
  EXPECT_EQ(Of(f), (Window{1, 1}));
  EXPECT_EQ(t.Row(1), "DEMO 1");
  t.Key(Key::End);
  EXPECT_EQ(Of(f), (Window{4, 13}));
  t.Key(Key::Down);
  EXPECT_EQ(Of(f), (Window{4, 13}));
}

TEST(ItemList, QuickRunIconsShowInstalledItemsAndStopAtRowSixOnFullVersions) {
  MarkingDetector detector;
  for (int n = 1; n <= 8; ++n) detector.installed.insert("FULL " + std::to_string(n));
  for (int n : {2, 11, 12}) detector.installed.insert("DEMO " + std::to_string(n));
  MenuTestForm t(CatalogText(
      {Numbered("Demos", "Demo", 12), Numbered("Fulls", "Full", 8), Numbered("Shots", "Shot", 3)}));
  t.Start(12, &detector);
  auto& c = t.controls();
  auto visible = [&] {
    std::string shown;
    for (int n = 1; n <= 10; ++n) shown += c.Play[n]->visible ? '1' : '0';
    return shown;
  };
  EXPECT_EQ(visible(), "0100000000");
  EXPECT_EQ(c.Play[2]->image, 88);
  t.Key(Key::End);
  EXPECT_EQ(visible(), "0000000011") << "the icons follow the window";

  t.ClickIcon(2);
  ASSERT_EQ(t.form().selection().PageKind, kPageFulls);
  EXPECT_EQ(visible(), "1111110000");
  t.ClickIcon(3);
  EXPECT_EQ(visible(), "0000000000") << "shots have no quick-run icons";
}

TEST(ItemList, NamesCountsAndFirstLetters) {
  MenuTestForm t(CatalogText({{"Demos", "Demo", {"ALPHA", "", "BRAVO", "ANNA"}}}));
  t.Start();
  auto& list = t.form().item_list();
  EXPECT_EQ(list.AssignTempNumber(kPageDemos), 4);
  EXPECT_EQ(list.AssignTempNumber(kPageQuillon), 1);
  EXPECT_EQ(list.AssignTempNumber(kPageSettings), 3);
  EXPECT_EQ(list.AssignTempNumber(9), 0);
  EXPECT_EQ(list.AssignTempNamesList(kPageDemos),
            (std::vector<std::string>{"ALPHA", "DEMO 2", "BRAVO", "ANNA"}));
  EXPECT_TRUE(list.AssignTempNamesList(kPageQuillon).empty());
  EXPECT_EQ(list.FindPosition('A'), 1);
  EXPECT_EQ(list.FindPosition('B'), 3);
  EXPECT_EQ(list.FindPosition('Z'), 0);
}

}  // namespace
}  // namespace norva::test
