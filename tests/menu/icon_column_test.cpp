// Scrolling the page-icon column: the ticks, their stop tests, the fades and the arrows.
#include <gtest/gtest.h>

#include <set>

#include "menu/icon_column.h"
#include "menu/menu_test_form.h"

namespace norva::test {
namespace {

std::vector<CatalogKind> Kinds(int icons) {
  // Installed always comes last; readers bring two icons.
  std::vector<CatalogKind> all = {Numbered("Demos", "Demo", 1),    Numbered("Fulls", "Full", 1),
                                  Numbered("Movies", "Movie", 1),  Numbered("Shots", "Shot", 1),
                                  Numbered("Extra", "Extra", 1),   Numbered("Shareware", "Share", 1),
                                  Numbered("Drivers", "Driver", 1)};
  all.resize(icons - 1);
  return all;
}

// Advances 10 ms at a time until neither column timer runs (or a bound is hit); returns the ticks.
int RunColumn(MenuTestForm& t) {
  int ticks = 0;
  auto& c = t.controls();
  while ((c.ScrollDownTimer->enabled() || c.ScrollUpTimer->enabled()) && ticks < 1000) {
    t.clock().Advance(10);
    ++ticks;
  }
  return ticks;
}

// The icons a person can click while the column stands still: whole between the covers and opaque. No
// caption that is still drawn lies in the band of the top arrow.
std::set<int> ClickableAtRest(MenuTestForm& t) {
  std::set<int> icons;
  auto& c = t.controls();
  for (int n = 1; n <= t.form().selection().PageIconCount; ++n) {
    const int top = c.DIBSection[n]->rect.top;
    if (top >= 58 && top <= 329 && c.DIBSection[n]->opacity == 255) icons.insert(n);
    const auto& label = c.IconLabel[n]->rect;
    if (label.top < 60 && label.bottom() > 46) {
      EXPECT_EQ(c.IconLabel[n]->opacity, 0) << "caption " << n;
    }
  }
  return icons;
}

TEST(IconColumn, ElevenIconsRestHalfWaySoThatEveryIconCanBeClicked) {
  MenuTestForm t(
      CatalogText({Numbered("Demos", "Demo", 1), Numbered("Fulls", "Full", 1), Numbered("Movies", "Movie", 1),
                   Numbered("Shots", "Shot", 1), Numbered("Extra", "Extra", 1),
                   Numbered("Shareware", "Share", 1), Numbered("Readers", "Reader", 1),
                   Numbered("Drivers", "Driver", 1), Numbered("Extra2", "Extra2", 1)},
                  "Updates=1\r\n") +
      "[Updates]\r\nUpdate1=Patch,1.1,p.exe\r\n");
  t.Start();
  auto& c = t.controls();
  ASSERT_EQ(t.form().selection().PageIconCount, 11);
  std::set<int> clickable = ClickableAtRest(t);
  EXPECT_EQ(clickable, (std::set<int>{1, 2, 3, 4, 5}));

  t.Hover("Down2");
  EXPECT_EQ(t.form().selection().IconScrollStep, 5);
  RunColumn(t);
  // Icon 6 starts at 400 and rests in the first icon's place: 68 ticks of 5 pixels.
  EXPECT_EQ(c.DIBSection[6]->rect.top, 60);
  EXPECT_EQ(c.IconLabel[6]->rect.top, 60 + 51);
  EXPECT_EQ(c.Down2->image, 81) << "more below";
  EXPECT_EQ(ClickableAtRest(t), (std::set<int>{6, 7, 8, 9, 10}));

  t.Hover("Down2");
  RunColumn(t);
  // Icon 11 starts at 733 and stops once above 330: 81 ticks in all.
  EXPECT_EQ(c.DIBSection[11]->rect.top, 733 - 405);
  EXPECT_EQ(c.DIBSection[1]->rect.top, 60 - 405);
  EXPECT_EQ(c.Down2->image, -1) << "nothing more below";
  EXPECT_EQ(c.Up2->image, 84);
  EXPECT_EQ(c.DIBSection[1]->opacity, 0) << "faded out above the column";
  EXPECT_EQ(c.IconLabel[1]->opacity, 0);
  EXPECT_EQ(c.DIBSection[6]->opacity, 0) << "under the top cover";
  EXPECT_EQ(ClickableAtRest(t), (std::set<int>{7, 8, 9, 10, 11}));

  t.Hover("Down2");
  EXPECT_FALSE(c.ScrollDownTimer->enabled()) << "a hidden arrow starts nothing";

  t.Hover("Up2");
  EXPECT_EQ(c.Up2->image, 85);
  RunColumn(t);
  EXPECT_EQ(c.DIBSection[6]->rect.top, 60) << "half-way again";
  EXPECT_EQ(ClickableAtRest(t), (std::set<int>{6, 7, 8, 9, 10}));
  t.Hover("Up2");
  RunColumn(t);
  EXPECT_EQ(c.DIBSection[1]->rect.top, 60) << "back in place";
  EXPECT_EQ(c.Up2->image, -1);
  EXPECT_EQ(c.Down2->image, 80);
  // It fades in only over its last seven ticks (top above 20), as the column always did.
  EXPECT_EQ(c.DIBSection[1]->opacity, 210);

  // A wheel notch runs to the end without resting.
  t.Wheel(true, 620);
  RunColumn(t);
  EXPECT_EQ(c.DIBSection[11]->rect.top, 733 - 405);
}

TEST(IconColumn, SixAndSevenIconsStopWithoutHidingTheArrow) {
  for (int icons : {6, 7}) {
    MenuTestForm t(CatalogText(Kinds(icons)));
    t.Start();
    auto& c = t.controls();
    ASSERT_EQ(t.form().selection().PageIconCount, icons);
    t.Hover("Down2");
    RunColumn(t);
    EXPECT_LT(c.DIBSection[icons]->rect.top, 330) << icons;
    EXPECT_GE(c.DIBSection[icons]->rect.top, 325) << icons;
    EXPECT_EQ(c.Down2->image, 81) << icons;
  }
}

TEST(IconColumn, FiveIconsDoNotScroll) {
  MenuTestForm t(CatalogText(Kinds(5)));
  t.Start();
  auto& c = t.controls();
  t.Wheel(true, 620);
  t.form().icon_column().ScrollDownTimer();
  EXPECT_FALSE(c.ScrollDownTimer->enabled());
  EXPECT_EQ(c.DIBSection[1]->rect.top, 60);
  EXPECT_EQ(c.DIBSection[5]->rect.top, 329);
}

TEST(IconColumn, SetOpacityClampsAndFadesTheCaptionAlong) {
  MenuTestForm t(CatalogText(Kinds(2)));
  t.Start();
  auto& column = t.form().icon_column();
  auto& c = t.controls();
  column.SetOpacity(3, -200);
  EXPECT_EQ(c.DIBSection[3]->opacity, 55);
  EXPECT_EQ(c.IconLabel[3]->opacity, 55);
  column.SetOpacity(3, -60);
  EXPECT_EQ(c.DIBSection[3]->opacity, 0);
  column.SetOpacity(3, 400);
  EXPECT_EQ(c.IconLabel[3]->opacity, 255);
  column.SetOpacity(0, -30);
  column.SetOpacity(12, -30);
  for (int n = 1; n <= 11; ++n) EXPECT_EQ(c.DIBSection[n]->opacity, 255) << n;
}

}  // namespace
}  // namespace norva::test
