#include "components/clock.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "components/timer.h"

namespace norva::components {
namespace {

// Timers that write "name@time" into one shared log when they fire.
class ClockTest : public ::testing::Test {
 protected:
  Timer& Make(const std::string& name, int interval, bool enabled = true) {
    timers_.push_back(std::make_unique<Timer>(name, interval));
    Timer& timer = *timers_.back();
    clock_.Register(timer);
    timer.OnTimer = [this, &timer] { log_.push_back(timer.name() + "@" + std::to_string(clock_.Now())); };
    timer.SetEnabled(enabled);
    return timer;
  }

  Clock clock_;
  std::vector<std::unique_ptr<Timer>> timers_;
  std::vector<std::string> log_;
};

TEST_F(ClockTest, FiresInTimeOrderWithTiesInRegistrationOrder) {
  Make("slow", 30);
  Make("fast", 10);
  Make("tie", 30);
  clock_.Advance(60);
  EXPECT_EQ(log_, (std::vector<std::string>{"fast@10", "fast@20", "slow@30", "fast@30", "tie@30", "fast@40",
                                            "fast@50", "slow@60", "fast@60", "tie@60"}));
  EXPECT_EQ(clock_.Now(), 60);
}

TEST_F(ClockTest, LongAdvanceFiresPeriodicTimerOncePerPeriodAndKeepsPhase) {
  Make("t", 10);
  clock_.Advance(5);
  EXPECT_TRUE(log_.empty());
  clock_.Advance(1000);  // up to 1005: ticks at 10, 20, ..., 1000
  EXPECT_EQ(log_.size(), 100u);
  EXPECT_EQ(log_.back(), "t@1000");
  EXPECT_EQ(clock_.NextDue(), 1010);
}

TEST_F(ClockTest, EnablingOrRetimingStartsThePeriodFromNow) {
  Timer& timer = Make("t", 100, false);
  clock_.Advance(70);
  timer.SetEnabled(true);  // due at 170
  clock_.Advance(90);
  EXPECT_TRUE(log_.empty());
  timer.SetEnabled(true);  // already enabled: no restart
  clock_.Advance(10);
  EXPECT_EQ(log_, std::vector<std::string>{"t@170"});
  clock_.Advance(50);
  timer.SetInterval(100);  // same value: no restart, next tick at 270
  timer.SetInterval(40);   // restart at 220: next tick at 260
  clock_.Advance(40);
  EXPECT_EQ(log_.back(), "t@260");
  // Disabled and enabled again: a full period later (the music timer's restart on activation).
  timer.SetEnabled(false);
  timer.SetEnabled(true);
  clock_.Advance(39);
  EXPECT_EQ(log_.size(), 2u);
}

TEST_F(ClockTest, HandlersMayStopAndStartTimersWhileFiring) {
  Timer& once = Make("once", 50);
  Timer& started = Make("started", 20, false);
  Timer& victim = Make("victim", 50);
  once.OnTimer = [&] {
    log_.push_back("once@" + std::to_string(clock_.Now()));
    once.SetEnabled(false);    // fires only once, like the start timer
    victim.SetEnabled(false);  // due at the same time, but must not fire any more
    started.SetEnabled(true);  // first tick 20 ms after this handler ran
  };
  clock_.Advance(100);
  EXPECT_EQ(log_, (std::vector<std::string>{"once@50", "started@70", "started@90"}));
  EXPECT_FALSE(once.enabled());
}

TEST_F(ClockTest, HandlerRestartingItselfTicksAgainOnePeriodLater) {
  Timer& timer = Make("t", 30);
  timer.OnTimer = [&] {
    log_.push_back("t@" + std::to_string(clock_.Now()));
    timer.SetEnabled(false);
    timer.SetEnabled(true);
  };
  clock_.Advance(90);
  EXPECT_EQ(log_, (std::vector<std::string>{"t@30", "t@60", "t@90"}));
}

TEST_F(ClockTest, ZeroIntervalAndUnregisteredTimersNeverFire) {
  Make("zero", 0);
  Timer loose("loose", 10);
  loose.SetEnabled(true);
  loose.OnTimer = [&] { log_.push_back("loose"); };
  clock_.Advance(100);
  EXPECT_TRUE(log_.empty());
  EXPECT_EQ(clock_.NextDue(), std::nullopt);
  // Registering an enabled timer starts its period at the present time.
  clock_.Register(loose);
  clock_.Advance(10);
  EXPECT_EQ(log_, std::vector<std::string>{"loose"});
}

TEST_F(ClockTest, TimerDestroyedByAnotherHandlerDoesNotFire) {
  Make("killer", 10);
  Make("doomed", 10);
  timers_[0]->OnTimer = [&] {
    log_.push_back("killer");
    timers_[1].reset();
  };
  clock_.Advance(20);
  EXPECT_EQ(log_, (std::vector<std::string>{"killer", "killer"}));
}

TEST_F(ClockTest, NestedAdvanceFromAHandlerKeepsTimeMonotonic) {
  Timer& waiter = Make("waiter", 10);
  Make("other", 15);
  waiter.OnTimer = [&] {
    log_.push_back("waiter@" + std::to_string(clock_.Now()));
    waiter.SetEnabled(false);
    clock_.Advance(30);  // a wait inside a handler: to 40
  };
  clock_.Advance(20);
  EXPECT_EQ(log_, (std::vector<std::string>{"waiter@10", "other@15", "other@30"}));
  EXPECT_EQ(clock_.Now(), 40);
}

}  // namespace
}  // namespace norva::components
