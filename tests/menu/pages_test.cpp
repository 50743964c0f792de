// The page list and the icon column: which pages the catalog offers and in what order, switching pages,
// hover highlighting, the colour-scheme toggle and the position label.
#include <gtest/gtest.h>

#include "menu/item_list.h"
#include "menu/menu_test_form.h"
#include "menu/page_icons.h"
#include "menu/page_kinds.h"
#include "menu/pages.h"

namespace norva::test {
namespace {

using components::Key;
using namespace norva::menu;

constexpr const char* kEnglish = "Version=0\r\n";

TEST(Pages, OnlyDemosGiveTwoIconsAndTheEmptySlotsAreHiddenAndInert) {
  MenuTestForm t(CatalogText({Numbered("Demos", "Demo", 3)}, kEnglish));
  t.Start();
  auto& f = t.form();
  ASSERT_EQ(f.selection().PageIconCount, 2);
  EXPECT_EQ(f.selection().Pages[1].Kind, kPageDemos);
  EXPECT_EQ(f.selection().Pages[1].Caption, "DEMOS");
  EXPECT_EQ(f.selection().Pages[2].Kind, kPageInstalled);
  EXPECT_EQ(f.selection().Pages[2].Caption, "INSTALLED");
  EXPECT_EQ(t.controls().DIBSection[2]->image, 20);
  EXPECT_EQ(t.controls().IconLabel[2]->caption, "INSTALLED");
  for (int n = 3; n <= 11; ++n) {
    EXPECT_FALSE(t.controls().DIBSection[n]->visible) << n;
    EXPECT_FALSE(t.controls().IconLabel[n]->visible) << n;
  }
  // The catalog load selected slot 1 and shows the Demos page with its first item.
  EXPECT_EQ(f.selection().PageKind, kPageDemos);
  EXPECT_EQ(f.selection().SelectedIcon, 1);
  EXPECT_EQ(t.controls().DIBSection[1]->image, 1) << "the page's icon is pressed";
  EXPECT_EQ(t.Row(1), "DEMO 1");

  t.Key(Key::Digit3);
  for (int slot = 3; slot <= 11; ++slot) f.pages().MainButtonClick(slot);
  EXPECT_EQ(f.selection().PageKind, kPageDemos);
  EXPECT_EQ(f.selection().SelectedIcon, 1);
  EXPECT_EQ(f.selection().ItemIndex, 3) << "clicks on empty slots change nothing";
  // Too few icons to scroll: the column's down arrow is gone.
  EXPECT_EQ(t.controls().Down2->image, -1);
}

TEST(Pages, FixedOrderWithQuillonBeforeReadersAndNoExtra2) {
  MenuTestForm t(CatalogText({Numbered("Drivers", "Driver", 1), Numbered("Readers", "Reader", 2),
                              Numbered("Extra2", "Extra2", 2), Numbered("Shareware", "Share", 1),
                              Numbered("Extra", "Extra", 1), Numbered("Shots", "Shot", 1),
                              Numbered("Movies", "Movie", 1), Numbered("Fulls", "Full", 1),
                              Numbered("Demos", "Demo", 1)},
                             std::string(kEnglish) + "DVD=1\r\nUpdates=1\r\n") +
                 "[Updates]\r\nUpdate1=Patch,1.1,p.exe\r\n");
  t.Start();
  const auto& f = t.form();
  const int expected[] = {kPageDemos,   kPageFulls,     kPageFilms,    kPageShots,
                          kPageExtra,   kPageShareware, kPageQuillon,  kPageReaders,
                          kPageUpdates, kPageDrivers,   kPageInstalled};
  ASSERT_EQ(f.selection().PageIconCount, 11);
  for (int n = 1; n <= 11; ++n) EXPECT_EQ(f.selection().Pages[n].Kind, expected[n - 1]) << "slot " << n;
  EXPECT_EQ(f.selection().Pages[2].Caption, "PLN\xC9 HRY") << "a DVD edition's full versions";
  EXPECT_EQ(f.selection().Pages[7].Caption, "QUILLON");
  EXPECT_EQ(f.selection().Pages[8].Caption, "OD \xC8TEN\xC1\xD8U");
  EXPECT_EQ(t.controls().DIBSection[7]->tag, 106);
  EXPECT_EQ(t.controls().DIBSection[3]->tag, 102);
  EXPECT_EQ(t.controls().Down2->image, 80) << "eleven icons can scroll";
}

TEST(Pages, FullVersionsOutsideDvdEditionOneGoByTheDvdNameWhileTheirMessageIsEmpty) {
  for (const char* dvd : {"DVD=2\r\n", "DVD=0\r\n", "DVD=0\r\nVersion=0\r\n"}) {
    MenuTestForm t(CatalogText({Numbered("Fulls", "Full", 1)}, dvd));
    t.Start();
    EXPECT_EQ(t.form().selection().Pages[1].Kind, kPageFulls);
    ASSERT_EQ(t.form().messages().LoadString(t.form().look().Language * 100 + 79), "") << dvd;
    EXPECT_EQ(t.form().selection().Pages[1].Caption, "PLN\xC9 HRY") << dvd;
    EXPECT_EQ(t.controls().IconLabel[1]->caption, "PLN\xC9 HRY") << dvd;
  }
}

TEST(Pages, SwitchingPagesResetsTheSelectionAndTheHoverFollowsThePointer) {
  MenuTestForm t(CatalogText({Numbered("Demos", "Demo", 17), Numbered("Shots", "Shot", 4)}, kEnglish));
  t.Start();
  auto& f = t.form();
  auto& c = t.controls();
  t.Key(Key::End);
  t.Key(Key::Up);
  t.Key(Key::Up);
  ASSERT_EQ(f.selection().ItemIndex, 15);
  ASSERT_EQ(f.selection().TopIndex, 8);

  // The page already shown: nothing changes.
  t.ClickIcon(1);
  EXPECT_EQ(f.selection().ItemIndex, 15);
  EXPECT_EQ(f.selection().TopIndex, 8);

  // Hovering another icon presses it; leaving it for a third releases it; the page's icon stays pressed.
  t.Hover("DIBSection2");
  EXPECT_EQ(f.selection().HoverIcon, 2);
  EXPECT_EQ(c.DIBSection[2]->image, c.DIBSection[2]->tag + 1);
  t.Hover("DIBSection3");
  EXPECT_EQ(c.DIBSection[2]->image, c.DIBSection[2]->tag);
  EXPECT_EQ(f.selection().HoverIcon, 3);
  t.Hover("DIBSection1");
  EXPECT_EQ(c.DIBSection[3]->image, c.DIBSection[3]->tag);
  f.page_icons().UnpressIcon(1);
  EXPECT_EQ(c.DIBSection[1]->image, 1) << "the shown page's icon is never released";

  t.Click("DIBSection2");
  EXPECT_EQ(f.selection().PageKind, kPageShots);
  EXPECT_EQ(f.selection().SelectedIcon, 2);
  EXPECT_EQ(f.selection().ItemIndex, 1);
  EXPECT_EQ(f.selection().TopIndex, 1);
  EXPECT_EQ(t.Row(1), "SHOT 1");
  EXPECT_EQ(t.Row(5), "") << "rows past the last item are empty";
  EXPECT_EQ(c.DIBSection[1]->image, 0) << "the old page's icon is released";
  EXPECT_EQ(c.DIBSection[2]->image, c.DIBSection[2]->tag + 1);
  EXPECT_EQ(t.Position(), "1 z 4");
  EXPECT_EQ(c.Flag_Unplayable->image, 56) << "the shots page's own step";
}

TEST(Pages, PositionLabelCountsThePage) {
  MenuTestForm t(CatalogText({Numbered("Demos", "Demo", 17)}));
  t.Start();
  t.Key(Key::Digit3);
  EXPECT_EQ(t.Position(), "3 z 17") << "the same in every language";
}

TEST(Pages, ColourToggleKeepsPageSelectionAndPressedIconAndSwapsThePictures) {
  MenuTestForm t(CatalogText({Numbered("Demos", "Demo", 3), Numbered("Shots", "Shot", 12)}, kEnglish));
  t.Start();
  auto& f = t.form();
  auto& c = t.controls();
  t.ClickIcon(2);
  t.Key(Key::PageDown);
  ASSERT_EQ(f.selection().ItemIndex, 11);
  ASSERT_EQ(c.Flag_CZ->image, 118) << "the English edition's placeholder";
  const int background = c.DIBBackImage->image;

  t.Click("IndigoSpot");
  EXPECT_EQ(f.look().NightMode, 1);
  EXPECT_EQ(f.selection().PageKind, kPageShots);
  EXPECT_EQ(f.selection().ItemIndex, 11);
  EXPECT_EQ(f.selection().TopIndex, 3);
  EXPECT_EQ(f.selection().SelectedIcon, 2);
  EXPECT_EQ(f.selection().PageIconCount, 3);
  EXPECT_EQ(c.DIBSection[2]->tag, 30);
  EXPECT_EQ(c.DIBSection[2]->image, 31) << "the shown page's icon is pressed in the night pictures";
  EXPECT_EQ(c.DIBSection[1]->image, 2);
  EXPECT_EQ(c.DIBBackImage->image, background + 1);
  EXPECT_EQ(c.HighlightDIB->image, 75);
  EXPECT_EQ(c.HighlightDIB->rect.top, 63 + 31 * 8) << "the bar stays on the selected row";
  EXPECT_EQ(c.DemosLabel[9]->color, 0u) << "the selected row is black at night";
  EXPECT_EQ(c.IconLabel[1]->color, 0u);
  EXPECT_EQ(c.Up1->image, 86);
  EXPECT_EQ(c.Down1->image, 82);
  EXPECT_EQ(c.Flag_CZ->image, 119);
  EXPECT_EQ(t.Position(), "11 z 12");

  t.Click("IndigoSpot");
  EXPECT_EQ(f.look().NightMode, 0);
  EXPECT_EQ(c.DIBSection[2]->image, 29);
  EXPECT_EQ(c.IconLabel[1]->color, 0xC0C0C0u);
  EXPECT_EQ(c.DemosLabel[9]->color, 0xC0C0C0u);
}

TEST(Pages, EndOnAnEmptyPageReadsNoRecordAndShowsAnEmptyPanel) {
  // Without demos slot 1 is the full versions, but the catalog load still ends on the (empty) Demos page.
  MenuTestForm t(CatalogText({Numbered("Fulls", "Full", 2)}));
  t.Start();
  auto& f = t.form();
  ASSERT_EQ(f.selection().PageKind, kPageDemos);
  t.controls().NameLabel->caption = "stale";
  t.Key(Key::End);
  EXPECT_EQ(f.selection().ItemIndex, 0);
  EXPECT_EQ(f.selection().TopIndex, 1);
  EXPECT_EQ(t.controls().NameLabel->caption, "");
  EXPECT_EQ(t.controls().PlayImage->tag, 0);
  EXPECT_EQ(t.Position(), "");
  t.Key(Key::PageDown);
  t.Key(Key::Up);
  t.Key(Key::Down);
  EXPECT_EQ(f.selection().ItemIndex, 0) << "nothing to move to";
}

TEST(PageScreens, DetectionRunsOnEveryVisitOfTheInstallablePages) {
  MarkingDetector detector;
  MenuTestForm t(CatalogText(
      {Numbered("Demos", "Demo", 3), Numbered("Fulls", "Full", 2), Numbered("Extra2", "Extra2", 2)}));
  detector.installed = {"DEMO 2"};
  t.Start(12, &detector);
  auto& f = t.form();
  EXPECT_EQ(f.catalog().Demo[2].Installed, 1);
  EXPECT_TRUE(t.controls().Play[2]->visible);

  // Removed behind the menu's back: the next visit of the page shows it.
  detector.installed.clear();
  t.ClickIcon(2);
  ASSERT_EQ(f.selection().PageKind, kPageFulls);
  const int before = detector.calls;
  t.ClickIcon(1);
  EXPECT_EQ(detector.calls - before, 3) << "one check per demo";
  EXPECT_EQ(f.catalog().Demo[2].Installed, 0);
  EXPECT_FALSE(t.controls().Play[2]->visible);

  f.pages().SelectPage(kPageExtra2);
  EXPECT_EQ(f.selection().PageKind, kPageExtra2);
  EXPECT_EQ(detector.calls - before, 5);
  EXPECT_EQ(t.Row(2), "EXTRA2 2");
}

TEST(PageScreens, QuillonShowsOneFixedEntryAndLettersDoNothing) {
  MenuTestForm t(CatalogText({Numbered("Demos", "Demo", 2), Numbered("Readers", "Reader", 12)}, kEnglish));
  t.Start();
  auto& f = t.form();
  auto& c = t.controls();
  ASSERT_EQ(f.selection().Pages[2].Kind, kPageQuillon);
  t.ClickIcon(2);
  EXPECT_EQ(f.selection().PageKind, kPageQuillon);
  EXPECT_EQ(t.Row(1), "QUILLON 52");
  EXPECT_EQ(t.Row(2), "") << "the demos' rows are gone";
  EXPECT_EQ(c.NameLabel->caption, "QUILLON 52");
  EXPECT_FALSE(c.TextLabel->caption.empty());
  EXPECT_FALSE(c.FirmLabel->caption.empty());
  EXPECT_EQ(c.PlayImage->tag, 1) << "the diskmag can be opened";
  EXPECT_EQ(t.Position(), "1 z 1");
  t.Keys("QR");
  t.Key(Key::Down);
  EXPECT_EQ(f.selection().ItemIndex, 1);
  EXPECT_EQ(t.Row(1), "QUILLON 52");

  t.ClickIcon(3);
  EXPECT_EQ(f.selection().PageKind, kPageReaders);
  EXPECT_EQ(t.Row(1), "READER 1");
  EXPECT_EQ(t.Position(), "1 z 12");
}

}  // namespace
}  // namespace norva::test
