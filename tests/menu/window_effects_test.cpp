// The window modes, the random border animations, the pointer effects and the window drag.
#include "menu/window_effects.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "menu/screen_test_form.h"

namespace norva::test {
namespace {

using components::MouseButton;

bool Placed(const RecordingHost& host, const std::string& call) {
  return !host.calls.empty() && host.calls.back() == call;
}

void ExpectAnimationsVisible(menu::MainForm& form, bool visible) {
  for (int n = 1; n <= 10; ++n) EXPECT_EQ(form.controls().Animate[n]->visible, visible) << "Animate" << n;
}

TEST(WindowEffects, BorderPanelOffAndOnAgain) {
  ScreenTestForm t;
  t.Start();
  auto& f = t.form();
  auto& c = f.controls();
  EXPECT_EQ(f.window().width, 818);
  EXPECT_EQ(f.window().height, 742);
  EXPECT_TRUE(Placed(t.host(), "PlaceWindow 103 13 818 742")) << "centred on 1024 x 768 at the catalog load";
  EXPECT_TRUE(c.DIBFormShaper1->active);
  ExpectAnimationsVisible(f, true);

  f.settings().EnhancedSetting = 0;
  f.effects().SwitchMode();
  EXPECT_EQ(f.window().width, 638);
  EXPECT_EQ(f.window().height, 482);
  EXPECT_EQ(f.window().left, 193);
  EXPECT_EQ(f.window().top, 143);
  EXPECT_TRUE(Placed(t.host(), "PlaceWindow 193 143 638 482"));
  EXPECT_FALSE(c.DIBFormShaper1->active);
  ExpectAnimationsVisible(f, false);
  EXPECT_EQ(c.DIBContainer1->rect.left, 0);
  EXPECT_EQ(c.DIBContainer1->rect.top, 0);
  EXPECT_EQ(c.DIBBackImage->image, 96);
  EXPECT_EQ(c.CoverDown->image, 98);
  EXPECT_EQ(c.CoverUp->image, 100);
  // The panel's controls are reached where the panel now is.
  EXPECT_EQ(f.window().HitTest(5 + 0, 449 + 5), c.ExitSpot);

  f.settings().EnhancedSetting = 1;
  f.effects().SwitchMode();
  EXPECT_TRUE(Placed(t.host(), "PlaceWindow 103 13 818 742"));
  EXPECT_TRUE(c.DIBFormShaper1->active);
  ExpectAnimationsVisible(f, true);
  EXPECT_EQ(c.DIBContainer1->rect.left, 85);
  EXPECT_EQ(c.DIBContainer1->rect.top, 173);
  EXPECT_EQ(c.DIBBackImage->image, 52);
  EXPECT_EQ(c.CoverDown->image, 92);
  EXPECT_EQ(c.CoverUp->image, 94);
  EXPECT_FALSE(c.DIBImage3->visible);
  EXPECT_FALSE(c.DIBImage5->visible);
}

TEST(WindowEffects, NightPicturesAndCentringWithHalvesToEven) {
  ScreenTestForm t;
  t.host().screen = {1025, 769};
  t.Start(22);
  auto& f = t.form();
  ASSERT_EQ(f.look().NightMode, 1);
  EXPECT_EQ(f.controls().DIBBackImage->image, 53);
  EXPECT_TRUE(Placed(t.host(), "PlaceWindow 104 14 818 742")) << "103.5 and 13.5 go up to the even neighbour";

  t.host().screen = {1027, 771};
  f.settings().EnhancedSetting = 0;
  f.effects().SwitchMode();
  EXPECT_TRUE(Placed(t.host(), "PlaceWindow 194 144 638 482")) << "194.5 and 144.5 go down to the even one";
  EXPECT_EQ(f.controls().DIBBackImage->image, 97);
  EXPECT_EQ(f.controls().CoverDown->image, 99);
  EXPECT_EQ(f.controls().CoverUp->image, 101);
}

TEST(WindowEffects, DecorativeArrowsFollowThePointer) {
  ScreenTestForm t;
  t.Start();
  auto& f = t.form();
  auto& c = f.controls();
  struct Case {
    const components::Control* sender;
    int x, y;
    int lower, upper;
  };
  const Case cases[] = {
      {c.DIBBackImage, 0, 0, 10, 375},
      {c.DIBBackImage, 350, 500, 110, 271},  // the upper arrow stops at 271
      {c.DIBBackImage, 700, 12, 200, 372},   // the lower one at 200; 372.5 rounds to even
      {c.DIBBackImage, 0, 36, 10, 368},      // 367.5 rounds to even
      {c.DIBSection[1], 0, 0, 168, 362},     // the sender's place counts: 552 / 3.5 + 10, 375 - 60 / 4.8
  };
  for (const auto& k : cases) {
    f.effects().MoveArrows(*k.sender, k.x, k.y);
    EXPECT_EQ(c.LowerArrow->rect.top, k.lower) << k.sender->name() << " " << k.x << "," << k.y;
    EXPECT_EQ(c.UpperArrow->rect.top, k.upper) << k.sender->name() << " " << k.x << "," << k.y;
  }
}

TEST(WindowEffects, RandomAnimationsAndTheTimerStoppingForGood) {
  ScreenTestForm t;
  t.Start();
  auto& f = t.form();
  auto& c = f.controls();
  t.random().answers = {0, 9, 10, 14, 3};
  t.clock().Advance(5000);
  ASSERT_TRUE(c.AnimationTimer->enabled());
  t.clock().Advance(5 * 300);
  for (int n = 1; n <= 10; ++n) {
    EXPECT_EQ(c.Animate[n]->active(), n == 1 || n == 10 || n == 4) << "Animate" << n;
  }
  EXPECT_TRUE(std::all_of(t.random().bounds.begin(), t.random().bounds.end(), [](int b) { return b == 15; }));

  // Hidden animations show themselves when their clip starts.
  c.Animate[2]->visible = false;
  t.random().answers = {1};
  t.clock().Advance(300);
  EXPECT_TRUE(c.Animate[2]->visible);

  f.settings().EnhancedSetting = 0;
  f.effects().SwitchMode();
  t.clock().Advance(300);
  EXPECT_FALSE(c.AnimationTimer->enabled());
  f.settings().EnhancedSetting = 1;
  f.effects().SwitchMode();
  const auto draws = t.random().bounds.size();
  t.clock().Advance(3000);
  EXPECT_FALSE(c.AnimationTimer->enabled()) << "the border comes back without its animations";
  EXPECT_EQ(t.random().bounds.size(), draws);
}

TEST(WindowEffects, SpotsShowTheirNamesAndTheBackgroundResetsEveryHover) {
  ScreenTestForm t;
  t.Start();
  auto& f = t.form();
  auto& c = f.controls();
  t.MoveTo(*c.SetupSpot);
  EXPECT_TRUE(c.SetupSpotImage->visible);
  EXPECT_EQ(c.SetupSpotImage->image, 66);
  EXPECT_EQ(c.HelpLabel2->caption, "SETTINGS");
  t.MoveTo(*c.IndigoSpot);
  EXPECT_FALSE(c.SetupSpotImage->visible);
  EXPECT_TRUE(c.IndigoSpotImage->visible);
  EXPECT_EQ(c.HelpLabel2->caption, "ILLUMINATION");
  t.MoveTo(*c.ExitSpot);
  EXPECT_EQ(c.HelpLabel2->caption, "EXIT");

  // Leftovers of other hovers: a button under the mouse, a hovered arrow, a running column scroll, a pressed
  // page icon.
  c.WebImage->tag = 2;
  c.WebImage->image = 12;
  c.ReadmeImage->tag = 0;
  c.ReadmeImage->image = -1;
  c.Down1->visible = true;
  c.Down1->image = 81;
  c.ScrollUpTimer->SetEnabled(true);
  t.MoveTo(*c.DIBSection[2]);
  ASSERT_EQ(f.selection().HoverIcon, 2);
  c.HelpLabel->caption = "README";

  const auto panel = f.window().RectInWindow(*c.DIBContainer1);
  f.window().MouseMove(panel.left + 150, panel.top + 440);
  ASSERT_EQ(f.window().hovered(), c.DIBBackImage);
  EXPECT_FALSE(c.ExitSpotImage->visible);
  EXPECT_TRUE(c.HelpLabel2->caption.empty());
  EXPECT_TRUE(c.HelpLabel->caption.empty());
  EXPECT_EQ(c.WebImage->tag, 1);
  EXPECT_EQ(c.WebImage->image, 7);
  EXPECT_EQ(c.ReadmeImage->tag, 0) << "a disabled button stays disabled";
  EXPECT_EQ(c.ReadmeImage->image, -1);
  EXPECT_EQ(c.Down1->image, 80);
  EXPECT_FALSE(c.ScrollUpTimer->enabled());
  EXPECT_EQ(f.selection().HoverIcon, 0);
  EXPECT_EQ(c.LowerArrow->rect.top, 53) << "(150 / 3.5 + 10) rounded";
}

TEST(WindowEffects, OnlyTheLeftButtonDragsTheWindow) {
  ScreenTestForm t;
  t.Start();
  auto& f = t.form();
  auto count = [&] { return std::count(t.host().calls.begin(), t.host().calls.end(), "StartSystemMove"); };
  const auto panel = f.window().RectInWindow(*f.controls().DIBContainer1);
  f.window().MouseDown(MouseButton::Right, panel.left + 150, panel.top + 440);
  f.window().MouseUp(MouseButton::Right, panel.left + 150, panel.top + 440);
  EXPECT_EQ(count(), 0);
  f.window().MouseDown(MouseButton::Left, panel.left + 150, panel.top + 440);
  EXPECT_EQ(count(), 1);
  ASSERT_EQ(f.window().HitTest(800, 150), f.controls().Image4);
  f.window().MouseDown(MouseButton::Left, 800, 150);
  EXPECT_EQ(count(), 2) << "the border drags too";
}

}  // namespace
}  // namespace norva::test
