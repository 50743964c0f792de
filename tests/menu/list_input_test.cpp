// Keyboard and wheel: type-ahead with the window kept or moved, digits for rows, and where the wheel acts.
#include <gtest/gtest.h>

#include "menu/menu_test_form.h"
#include "menu/page_kinds.h"

namespace norva::test {
namespace {

using components::Key;

// A page of `count` demos with the given names at the given 1-based places.
CatalogKind Demos(int count, std::vector<std::pair<int, std::string>> named) {
  CatalogKind kind = Numbered("Demos", "Demo", count);
  for (auto& [index, name] : named) kind.names[index - 1] = name;
  return kind;
}

TEST(ListInput, TypeAheadKeepsTheWindowWhenTheItemIsShown) {
  MenuTestForm t(CatalogText({Demos(30, {{4, "SPEED"}, {17, "STAR"}})}));
  t.Start();
  auto& f = t.form();
  t.Key(Key::Digit2);
  t.Key(Key::S);
  EXPECT_EQ(f.selection().ItemIndex, 4);
  EXPECT_EQ(f.selection().TopIndex, 1);
  EXPECT_EQ(f.selection().PrevItemIndex, 2);
  EXPECT_EQ(t.controls().NameLabel->caption, "SPEED");
  t.Key(Key::S);
  EXPECT_EQ(f.selection().ItemIndex, 4) << "the same letter finds the same item";
  t.Key(Key::X);
  EXPECT_EQ(f.selection().ItemIndex, 4) << "no name starts with X";
  EXPECT_EQ(f.selection().TopIndex, 1);
}

TEST(ListInput, TypeAheadMovesTheWindowToAnItemOutsideIt) {
  {
    MenuTestForm t(CatalogText({Demos(30, {{17, "SPEED"}})}));
    t.Start();
    t.Key(Key::S);
    EXPECT_EQ(t.form().selection().ItemIndex, 17);
    EXPECT_EQ(t.form().selection().TopIndex, 17);
    EXPECT_EQ(t.Row(1), "SPEED");
  }
  {
    MenuTestForm t(CatalogText({Demos(20, {{17, "SPEED"}})}));
    t.Start();
    t.Key(Key::S);
    EXPECT_EQ(t.form().selection().ItemIndex, 17);
    EXPECT_EQ(t.form().selection().TopIndex, 11) << "the last ten items";
  }
}

TEST(ListInput, TypeAheadOnAShortPageNeverPutsRowOneBeforeTheFirstItem) {
  MenuTestForm t(CatalogText({Demos(7, {{1, "ALPHA"}, {5, "ECHO"}})}));
  t.Start();
  auto& f = t.form();
  t.Key(Key::E);
  EXPECT_EQ(f.selection().ItemIndex, 5);
  EXPECT_EQ(f.selection().TopIndex, 1);
  EXPECT_EQ(t.Row(1), "ALPHA");
  t.Key(Key::A);
  EXPECT_EQ(f.selection().ItemIndex, 1);
  EXPECT_EQ(f.selection().TopIndex, 1);
  EXPECT_EQ(t.Row(5), "ECHO");
  EXPECT_EQ(t.controls().HighlightDIB->rect.top, 63);
}

TEST(ListInput, DigitsSelectRowsOfTheWindow) {
  MenuTestForm t(CatalogText({Numbered("Demos", "Demo", 9), Numbered("Shots", "Shot", 14)}));
  t.Start();
  auto& f = t.form();
  t.Key(Key::Digit0);
  EXPECT_EQ(f.selection().ItemIndex, 1) << "row 10 is empty with nine items";
  t.Key(Key::Digit9);
  EXPECT_EQ(f.selection().ItemIndex, 9);
  t.ClickIcon(2);
  t.Key(Key::End);
  ASSERT_EQ(f.selection().TopIndex, 5);
  t.Key(Key::Digit0);
  EXPECT_EQ(f.selection().ItemIndex, 14);
  t.Key(Key::Digit1);
  EXPECT_EQ(f.selection().ItemIndex, 5);
  EXPECT_EQ(t.Position(), "5 z 14");
}

TEST(ListInput, WheelScrollsTheListOrTheIconColumnByWhereThePointerIs) {
  MenuTestForm t(CatalogText({Numbered("Demos", "Demo", 12), Numbered("Fulls", "Full", 1),
                              Numbered("Shots", "Shot", 1), Numbered("Movies", "Movie", 1),
                              Numbered("Extra", "Extra", 1), Numbered("Shareware", "Share", 1)}));
  t.Start();
  auto& f = t.form();
  auto& c = t.controls();
  t.Wheel(true, 100);
  t.Wheel(true, 100);
  EXPECT_EQ(f.selection().ItemIndex, 3);
  t.Wheel(false, 100);
  EXPECT_EQ(f.selection().ItemIndex, 2);
  t.Wheel(true, 595);
  EXPECT_EQ(f.selection().ItemIndex, 2) << "between the list and the column the wheel does nothing";
  EXPECT_FALSE(c.ScrollDownTimer->enabled());

  t.Wheel(true, 601);
  EXPECT_EQ(f.selection().ItemIndex, 2) << "over the column the list stays";
  EXPECT_TRUE(c.ScrollDownTimer->enabled());
  EXPECT_EQ(c.Down2->image, 81);
  t.clock().Advance(10);
  EXPECT_EQ(c.DIBSection[1]->rect.top, 55);
  t.Wheel(false, 620);
  EXPECT_TRUE(c.ScrollUpTimer->enabled());
  EXPECT_FALSE(c.ScrollDownTimer->enabled());
}

TEST(ListInput, EndAndHome) {
  MenuTestForm t(CatalogText({Numbered("Demos", "Demo", 17)}));
  t.Start();
  auto& f = t.form();
  t.Key(Key::End);
  EXPECT_EQ(f.selection().ItemIndex, 17);
  EXPECT_EQ(f.selection().TopIndex, 8);
  EXPECT_EQ(t.Row(10), "DEMO 17");
  EXPECT_GT(t.host().pumps, 0) << "pending messages run before the panel";
  t.Key(Key::Home);
  EXPECT_EQ(f.selection().ItemIndex, 1);
  EXPECT_EQ(f.selection().TopIndex, 1);
  EXPECT_EQ(t.Row(1), "DEMO 1");
}

}  // namespace
}  // namespace norva::test
