// The Settings page: its rows, the three switches with their store writes, and the narrow-screen rule.
#include "menu/settings_page.h"

#include <gtest/gtest.h>

#include "menu/screen_test_form.h"

namespace norva::test {
namespace {

TEST(SettingsPage, TheSpotOpensThePageAndAPageIconLeavesIt) {
  ScreenTestForm t;
  t.Start();
  auto& f = t.form();
  auto& c = f.controls();
  ASSERT_EQ(f.selection().PageKind, 1);
  t.Click(*c.SetupSpot);
  EXPECT_EQ(f.selection().PageKind, 21);
  EXPECT_EQ(f.selection().SelectedIcon, 0);
  EXPECT_EQ(c.DIBSection[1]->image, c.DIBSection[1]->tag) << "the Demos icon is released";
  EXPECT_EQ(c.DemosLabel[1]->caption, "BORDER PANEL");
  EXPECT_EQ(c.DemosLabel[2]->caption, "EFFECTS");
  EXPECT_EQ(c.DemosLabel[3]->caption, "MUSIC");
  for (int n = 1; n <= 3; ++n) EXPECT_TRUE(c.Play[n]->visible) << n;
  EXPECT_EQ(c.Play[1]->image, 114);
  EXPECT_EQ(c.Play[2]->image, 110);
  EXPECT_EQ(c.Play[3]->image, 114);
  EXPECT_EQ(c.NameLabel->caption, "STATUS: ENABLED");
  EXPECT_NE(c.TextLabel->caption.find("border panel"), std::string::npos) << c.TextLabel->caption;
  EXPECT_EQ(c.PlayImage->tag, 0);
  EXPECT_EQ(c.StopImage->tag, 0);

  f.selection().ItemIndex = 2;
  f.settings_page().SetSettings();
  EXPECT_EQ(c.NameLabel->caption, "STATUS: DISABLED");
  f.selection().ItemIndex = 4;
  f.settings_page().SetSettings();
  EXPECT_EQ(c.NameLabel->caption, "STATUS: DISABLED") << "no fourth row";

  t.Click(*c.DIBSection[1]);
  EXPECT_EQ(f.selection().PageKind, 1);
  EXPECT_EQ(f.selection().SelectedIcon, 1);
  EXPECT_EQ(c.DIBSection[1]->image, c.DIBSection[1]->tag + 1);
}

TEST(SettingsPage, SwitchesFlipStoreAndApplyTheirSettings) {
  ScreenTestForm t;
  t.Start(22);
  auto& f = t.form();
  auto& c = f.controls();
  t.Click(*c.SetupSpot);
  const int bar = c.HighlightDIB->rect.top;

  t.Click(*c.Play[2]);
  EXPECT_EQ(f.settings().EffectsSetting, 1);
  EXPECT_EQ(t.StoreValue("Slow"), 1);
  EXPECT_EQ(f.selection().ItemIndex, 2);
  EXPECT_EQ(c.NameLabel->caption, "STATUS: ENABLED");
  EXPECT_EQ(c.Play[2]->image, 117) << "the night hover picture of 'on'";
  f.window().MouseMove(0, 0);
  EXPECT_EQ(c.Play[2]->image, 116) << "leaving shows the plain picture";

  t.Click(*c.Play[1]);
  EXPECT_EQ(f.settings().EnhancedSetting, 0);
  EXPECT_EQ(t.StoreValue("Enhanced"), 0);
  EXPECT_EQ(f.window().width, 638);
  EXPECT_EQ(f.selection().ItemIndex, 1);
  EXPECT_EQ(c.Play[1]->image, 113);
  t.Click(*c.Play[1]);
  EXPECT_EQ(f.settings().EnhancedSetting, 1);
  EXPECT_EQ(t.StoreValue("Enhanced"), 1);
  EXPECT_EQ(f.window().width, 818);
  EXPECT_EQ(c.HighlightDIB->rect.top, bar) << "a switch leaves the highlight bar";

  // The row icons switch nothing on other pages.
  t.Click(*c.DIBSection[1]);
  f.controls().Play[1]->visible = true;
  t.Click(*c.Play[1]);
  EXPECT_EQ(f.settings().EnhancedSetting, 1);
}

TEST(SettingsPage, NarrowScreenRunsWithoutTheBorderUntilSwitchedOn) {
  ScreenTestForm t;
  t.host().screen = {800, 600};
  t.Start();
  auto& f = t.form();
  EXPECT_EQ(f.settings().EnhancedSetting, 0);
  EXPECT_EQ(f.window().width, 638);
  EXPECT_EQ(t.StoreValue("Enhanced"), -1) << "the store keeps its setting";
  t.Click(*f.controls().SetupSpot);
  EXPECT_EQ(f.controls().Play[1]->image, 110);
  t.Click(*f.controls().Play[1]);
  EXPECT_EQ(f.settings().EnhancedSetting, 1);
  EXPECT_EQ(t.StoreValue("Enhanced"), 1);
  EXPECT_EQ(f.window().width, 818);
}

TEST(SettingsPage, AWideScreenKeepsTheStoredSetting) {
  ScreenTestForm t;
  t.host().screen = {801, 600};
  t.SeedStore("Enhanced=1\r\n");
  t.Start();
  EXPECT_EQ(t.form().settings().EnhancedSetting, 1);
}

}  // namespace
}  // namespace norva::test
