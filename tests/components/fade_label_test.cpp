#include "components/fade_label.h"

#include <gtest/gtest.h>

#include <vector>

#include "components/clock.h"
#include "components/window.h"

namespace norva::components {
namespace {

constexpr std::uint32_t kText = 0x2B322F;
constexpr std::uint32_t kBlack = 0x000000;

class FadeLabelTest : public ::testing::Test {
 protected:
  FadeLabelTest()
      : window_("Form", 100, 100, clock_), label_(window_.Create<FadeLabel>(nullptr, "Row", {0, 0, 50, 20})) {
    label_.color = kText;
    label_.hover_color = kBlack;
  }

  // The colour after each of the next `frames` steps of 50 ms.
  std::vector<std::uint32_t> Frames(int frames) {
    std::vector<std::uint32_t> shown;
    for (int i = 0; i < frames; ++i) {
      clock_.Advance(50);
      shown.push_back(label_.ShownColor());
    }
    return shown;
  }

  Clock clock_;
  Window window_;
  FadeLabel& label_;
};

TEST_F(FadeLabelTest, FadesInTenFramesOfFiftyMillisecondsAndBack) {
  window_.MouseMove(5, 5);
  EXPECT_EQ(label_.ShownColor(), kText);  // nothing changes before the first frame
  clock_.Advance(49);
  EXPECT_EQ(label_.ShownColor(), kText);
  clock_.Advance(1);
  EXPECT_EQ(label_.fade_step(), 1);
  // Frame 1 of 10 of 0x2F,0x32,0x2B towards black, per channel and rounded.
  EXPECT_EQ(label_.ShownColor(), 0x272D2Au);
  std::vector<std::uint32_t> rest = Frames(9);
  EXPECT_EQ(rest[3], 0x161918u);  // frame 5: halfway
  EXPECT_EQ(rest.back(), kBlack);
  EXPECT_FALSE(label_.fading());
  clock_.Advance(1000);
  EXPECT_EQ(label_.ShownColor(), kBlack);

  window_.MouseMove(80, 80);  // off the label, onto the bare window
  std::vector<std::uint32_t> back = Frames(10);
  EXPECT_EQ(back[4], 0x161918u);
  EXPECT_EQ(back.back(), kText);
  EXPECT_FALSE(label_.fading());
}

TEST_F(FadeLabelTest, LeavingMidwayTurnsBackFromWhereItWas) {
  window_.MouseMove(5, 5);
  clock_.Advance(150);
  EXPECT_EQ(label_.fade_step(), 3);
  window_.MouseLeave();
  clock_.Advance(100);
  EXPECT_EQ(label_.fade_step(), 1);
  clock_.Advance(50);
  EXPECT_EQ(label_.fade_step(), 0);
  EXPECT_FALSE(label_.fading());
  EXPECT_EQ(label_.ShownColor(), kText);
}

TEST_F(FadeLabelTest, ColourChangedDuringTheFadeIsBlendedFromTheNewValue) {
  window_.MouseMove(5, 5);
  clock_.Advance(500);
  label_.color = 0xC0C0C0;  // the row became the selected one
  label_.hover_color = 0xC0C0C0;
  EXPECT_EQ(label_.ShownColor(), 0xC0C0C0u);
}

TEST_F(FadeLabelTest, WithoutHoverFadeTheColourStays) {
  label_.hover_fade = false;
  window_.MouseMove(5, 5);
  clock_.Advance(1000);
  EXPECT_EQ(label_.ShownColor(), kText);
  EXPECT_EQ(label_.font.charset, kCentralEuropeanCharset);
}

}  // namespace
}  // namespace norva::components
