#include "menu/main_controls.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "components/clock.h"
#include "components/window.h"

namespace norva::menu {
namespace {

using components::Control;
using components::ControlKind;
using components::ImageControl;

class MainControlsTest : public ::testing::Test {
 protected:
  MainControlsTest() : window_("Form1", 1, 1, clock_), controls_(window_) {}

  components::Clock clock_;
  components::Window window_;
  MainControls controls_;
};

// The names every Part of the menu addresses; each must be a control of the right kind.
TEST_F(MainControlsTest, EveryDesignNameIsFindableOnceWithItsKind) {
  std::set<std::string> names;
  window_.Visit([&](Control& c) { EXPECT_TRUE(names.insert(c.name()).second) << c.name(); });

  auto expect = [&](const std::string& name, ControlKind kind) {
    const Control* found = window_.Find(name);
    ASSERT_NE(found, nullptr) << name;
    EXPECT_EQ(found->kind(), kind) << name;
  };
  for (int n = 1; n <= 11; ++n) {
    expect("DIBSection" + std::to_string(n), ControlKind::Image);
    expect("IconLabel" + std::to_string(n), ControlKind::FadeLabel);
  }
  for (int n = 1; n <= 10; ++n) {
    expect("DemosLabel" + std::to_string(n), ControlKind::FadeLabel);
    expect("Play" + std::to_string(n), ControlKind::Image);
    expect("Animate" + std::to_string(n), ControlKind::Animation);
  }
  for (const char* name : {"ReadmeImage", "WebImage", "PlayImage", "StopImage"}) {
    expect(name, ControlKind::PictureButton);
  }
  for (const char* name :
       {"Label1", "Label2", "TextLabel", "NameLabel", "FirmLabel", "DateLabel", "HelpLabel", "HelpLabel2",
        "PositionLabel", "CDNumberLabel", "DebugLabel1", "DebugLabel2"}) {
    expect(name, ControlKind::FadeLabel);
  }
  for (const char* name : {"Image4",          "ExitButton", "DIBBackImage", "DIBImage1",  "DIBImage2",
                           "DIBImage3",       "DIBImage4",  "DIBImage5",    "Up1",        "Up2",
                           "Down1",           "Down2",      "UpperArrow",   "LowerArrow", "HighlightDIB",
                           "CoverUp",         "CoverDown",  "LeftArrow",    "RightArrow", "Flag_Playable",
                           "Flag_Unplayable", "Flag_CZ",    "Flag_Net",     "Flag_3D",    "ExitSpot",
                           "SetupSpot",       "IndigoSpot"}) {
    expect(name, ControlKind::Image);
  }
  expect("DIBContainer1", ControlKind::Container);
  EXPECT_EQ(window_.shaper(), controls_.DIBFormShaper1);

  // The typed members point at the controls of those names.
  EXPECT_EQ(window_.Find("DIBSection7"), controls_.DIBSection[7]);
  EXPECT_EQ(window_.Find("DemosLabel10"), controls_.DemosLabel[10]);
  EXPECT_EQ(window_.Find("Play3"), controls_.Play[3]);
  EXPECT_EQ(window_.Find("StopImage"), controls_.StopImage);
  EXPECT_EQ(controls_.DIBSection[0], nullptr);
}

TEST_F(MainControlsTest, TimersHaveTheirIntervalsAndStartDisabled) {
  const std::pair<const char*, int> expected[] = {
      {"StartTimer", 5000}, {"AnimationTimer", 300}, {"ScrollDownTimer", 10}, {"ScrollUpTimer", 10},
      {"DIBTimer1", 50},    {"DIBTimer2", 50},       {"DIBTimer3", 10},       {"DIBTimer4", 10},
      {"MusicTimer", 5000}, {"Timer1", 3000}};
  EXPECT_EQ(window_.timers().size(), std::size(expected));
  for (const auto& [name, interval] : expected) {
    const components::Timer* timer = window_.FindTimer(name);
    ASSERT_NE(timer, nullptr) << name;
    EXPECT_EQ(timer->interval(), interval) << name;
    EXPECT_FALSE(timer->enabled()) << name;
  }
}

TEST_F(MainControlsTest, IconColumnAndListFollowTheLayout) {
  const int tops[] = {60, 127, 194, 261, 329, 400, 463, 530, 598, 666, 733};
  for (int n = 1; n <= 11; ++n) {
    EXPECT_EQ(controls_.DIBSection[n]->rect, (components::Rect{552, tops[n - 1], 50, 50})) << n;
    EXPECT_EQ(controls_.IconLabel[n]->rect.left, 538);
    EXPECT_EQ(controls_.IconLabel[n]->rect.width, 80);
    EXPECT_GT(controls_.IconLabel[n]->rect.top, controls_.DIBSection[n]->rect.top);
  }
  for (int n = 1; n <= 10; ++n) {
    // The quick-run icon and the bar share a row's top; the caption sits inside the bar.
    const int bar_top = 63 + 31 * (n - 1);
    EXPECT_EQ(controls_.Play[n]->rect.top, bar_top);
    const components::Rect bar{71, bar_top, 135, 28};
    EXPECT_TRUE(bar.Encloses(controls_.DemosLabel[n]->rect)) << n;
    EXPECT_FALSE(controls_.Play[n]->visible);
  }
  EXPECT_EQ(controls_.DemosLabel[10]->rect.top, 349);
}

TEST_F(MainControlsTest, ControlsLieInsideTheirOwners) {
  EXPECT_EQ(window_.width, 818);
  EXPECT_EQ(window_.height, 742);
  const components::Rect window_area{0, 0, window_.width, window_.height};
  window_.Visit([&](Control& c) {
    const components::Rect owner_area =
        c.owner() != nullptr ? components::Rect{0, 0, c.owner()->rect.width, c.owner()->rect.height}
                             : window_area;
    const std::string name = c.name();
    if (name.starts_with("DIBSection") || name.starts_with("IconLabel")) {
      // The icon column scrolls: its lower slots start below the panel, but never beside it.
      EXPECT_GE(c.rect.left, 0) << name;
      EXPECT_LE(c.rect.right(), owner_area.width) << name;
      return;
    }
    EXPECT_TRUE(owner_area.Encloses(c.rect)) << name;
  });
  // The border animations and the border are on the window, everything else in the panel.
  EXPECT_EQ(controls_.Animate[4]->owner(), nullptr);
  EXPECT_EQ(controls_.Image4->owner(), nullptr);
  EXPECT_EQ(controls_.DIBContainer1->rect, (components::Rect{85, 173, 638, 482}));
  EXPECT_EQ(controls_.PlayImage->owner(), controls_.DIBContainer1);
  EXPECT_EQ(controls_.DIBSection[1]->owner(), controls_.DIBContainer1);
}

TEST_F(MainControlsTest, PointerReachesTheControlsAPersonSees) {
  auto hit = [&](const Control* c) {
    const components::Rect r = window_.RectInWindow(*c);
    const Control* found = window_.HitTest(r.Centre().x, r.Centre().y);
    return found != nullptr ? found->name() : std::string("-");
  };
  // Nothing hidden (the closed gallery, the spot indicators) covers what lies beneath.
  EXPECT_EQ(hit(controls_.DIBImage4), "DIBImage4");
  EXPECT_EQ(hit(controls_.ExitSpot), "ExitSpot");
  EXPECT_EQ(hit(controls_.DemosLabel[4]), "DemosLabel4");
  EXPECT_EQ(hit(controls_.PlayImage), "PlayImage");
  EXPECT_EQ(hit(controls_.DIBSection[3]), "DIBSection3");
  EXPECT_EQ(hit(controls_.Down2), "Down2");  // above the cover it sits on
  EXPECT_EQ(hit(controls_.Animate[6]), "Animate6");
  // An open gallery takes the whole panel.
  controls_.DIBImage2->visible = true;
  EXPECT_EQ(hit(controls_.DemosLabel[4]), "DIBImage2");
}

TEST_F(MainControlsTest, PicturesStartAsTheDesignSetsThem) {
  EXPECT_EQ(controls_.DIBImage4->images, controls_.DIBImageList2);
  EXPECT_EQ(controls_.DIBImage4->opacity, 150);
  EXPECT_FALSE(controls_.DIBImage4->stretch);
  EXPECT_EQ(controls_.DIBImageList2->count(), 101);
  EXPECT_EQ(controls_.ControlsImageList->width(), 14);
  EXPECT_EQ(controls_.ControlsImageList->height(), 13);
  EXPECT_EQ(controls_.ControlsImageList->DisplayName(15 + 13), "Play_Hover_Night");
  EXPECT_EQ(controls_.DIBImageList1->DisplayName(74), "Highlight");
  EXPECT_EQ(controls_.DIBImageList1->DisplayName(119), "Empy_Night");
  EXPECT_EQ(controls_.DIBImageList1->DisplayName(115), "Menu_Settings_On_Hover");
  for (const ImageControl* arrow : {controls_.LeftArrow, controls_.RightArrow, controls_.DIBImage2}) {
    EXPECT_FALSE(arrow->visible);
    EXPECT_EQ(arrow->opacity, 0);
  }
  for (int n = 1; n <= 10; ++n) {
    EXPECT_EQ(controls_.Animate[n]->clip(), MainControls::kAnimateClip[static_cast<std::size_t>(n)]);
    EXPECT_FALSE(controls_.Animate[n]->active());
  }
  EXPECT_EQ(controls_.Animate[10]->rect, (components::Rect{0, 0, 314, 173}));
  EXPECT_EQ(controls_.DebugLabel1->caption, "Reload");
  EXPECT_EQ(controls_.DebugLabel2->caption, "Show ini");
  EXPECT_FALSE(controls_.DebugLabel1->visible);
  EXPECT_EQ(controls_.NameLabel->font.charset, components::kCentralEuropeanCharset);
}

}  // namespace
}  // namespace norva::menu
