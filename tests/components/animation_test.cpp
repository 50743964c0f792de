#include "components/animation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "components/clock.h"
#include "components/window.h"

namespace norva::components {
namespace {

class AnimationTest : public ::testing::Test {
 protected:
  AnimationTest()
      : window_("Form", 100, 100, clock_), anim_(window_.Create<Animation>(nullptr, "Animate1", {})) {
    anim_.OnOpen = [this] { log_.push_back("open@" + std::to_string(clock_.Now())); };
    anim_.OnStart = [this] { log_.push_back("start@" + std::to_string(clock_.Now())); };
    anim_.OnStop = [this] { log_.push_back("stop@" + std::to_string(clock_.Now())); };
  }

  Clock clock_;
  Window window_;
  Animation& anim_;
  std::vector<std::string> log_;
};

TEST_F(AnimationTest, PlaysOnceForFrameCountTimesFrameTime) {
  anim_.Play();  // no clip yet
  EXPECT_FALSE(anim_.active());
  anim_.Open(4, 12, 50);
  clock_.Advance(100);
  anim_.Play();
  EXPECT_TRUE(anim_.active());
  clock_.Advance(275);
  EXPECT_EQ(anim_.CurrentFrame(), 5);
  clock_.Advance(324);
  EXPECT_TRUE(anim_.active());  // 599 ms of 600
  EXPECT_EQ(anim_.CurrentFrame(), 11);
  clock_.Advance(1);
  EXPECT_FALSE(anim_.active());
  EXPECT_EQ(anim_.CurrentFrame(), 11);  // the last frame stays
  clock_.Advance(5000);
  EXPECT_EQ(log_, (std::vector<std::string>{"open@0", "start@100", "stop@700"}));
}

TEST_F(AnimationTest, StartingAgainRunsTheWholeClipAgain) {
  anim_.Open(8, 10, 100);
  anim_.Play();
  clock_.Advance(600);
  anim_.Play();
  EXPECT_EQ(anim_.CurrentFrame(), 0);
  clock_.Advance(999);
  EXPECT_TRUE(anim_.active());
  clock_.Advance(1);
  EXPECT_FALSE(anim_.active());
  EXPECT_EQ(log_, (std::vector<std::string>{"open@0", "start@0", "start@600", "stop@1600"}));
}

TEST_F(AnimationTest, StopAndReopenEndPlaying) {
  anim_.Open(1, 10, 100);
  anim_.Play();
  clock_.Advance(350);
  anim_.Stop();
  EXPECT_EQ(anim_.CurrentFrame(), 3);
  anim_.Play();
  anim_.Open(2, 5, 10);  // loading another clip stops the running one silently
  EXPECT_FALSE(anim_.active());
  clock_.Advance(2000);
  EXPECT_EQ(log_, (std::vector<std::string>{"open@0", "start@0", "stop@350", "start@350", "open@350"}));
  anim_.Open(0, 5, 10);
  EXPECT_FALSE(anim_.open());
}

}  // namespace
}  // namespace norva::components
