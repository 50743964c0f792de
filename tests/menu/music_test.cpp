// The background music through the player: start, tune alternation, pause and resume with activation,
// switching it on and off, player errors, and the end of the program.
#include "menu/music.h"

#include <gtest/gtest.h>

#include "menu/screen_test_form.h"

namespace norva::test {
namespace {

using components::kPlayerFinished;
using components::kPlayerPaused;
using components::kPlayerPlaying;
using components::kPlayerStopped;

std::vector<std::string> TuneSetUp(const ScreenTestForm& t, const char* tune) {
  return {"SetModulePath " + t.DiscFile("Norva/elamp.esp"),
          "LoadModule",
          "SetInputMode",
          "SetInputName " + t.DiscFile(std::string("Norva/") + tune),
          "SetOutputMode",
          "OpenInput",
          "OpenOutput"};
}

std::vector<std::string> Then(std::vector<std::string> calls, const std::string& last) {
  calls.push_back(last);
  return calls;
}

TEST(Music, StartsFiveSecondsAfterTheCatalogLoad) {
  ScreenTestForm t;
  t.Start();
  t.clock().Advance(4999);
  EXPECT_TRUE(t.player().calls.empty());
  t.player().mode = kPlayerPlaying;
  t.clock().Advance(1);
  EXPECT_EQ(t.player().calls, Then(TuneSetUp(t, "music1.mp3"), "Play"));
  EXPECT_TRUE(t.form().music().MusicReady);
  EXPECT_EQ(t.form().music().CurrentTune, 1);
  EXPECT_STREQ(t.form().music().State(), "playing");
}

TEST(Music, WatchAlternatesTheTunesAndResumesOnlyWhileActive) {
  ScreenTestForm t;
  t.Start();
  auto& p = t.player();
  t.clock().Advance(5000);
  p.calls.clear();

  p.mode = kPlayerFinished;
  t.clock().Advance(5000);
  EXPECT_EQ(p.calls, Then(TuneSetUp(t, "music2.mp3"), "Play"));
  EXPECT_EQ(t.form().music().CurrentTune, 2);
  p.calls.clear();
  t.clock().Advance(5000);
  EXPECT_EQ(p.calls, Then(TuneSetUp(t, "music1.mp3"), "Play")) << "after tune 2 comes tune 1";
  EXPECT_EQ(t.form().music().CurrentTune, 1);

  const std::pair<int, std::vector<std::string>> modes[] = {
      {kPlayerStopped, {"Play"}}, {kPlayerPaused, {"Resume"}}, {kPlayerPlaying, {}}, {4, {}}};
  for (const auto& [mode, calls] : modes) {
    p.calls.clear();
    p.mode = mode;
    t.clock().Advance(5000);
    EXPECT_EQ(p.calls, calls) << "mode " << mode;
  }

  // A launch pauses the music and the menu loses activation; nothing resumes until it is back.
  p.calls.clear();
  t.form().music().StopMusic();
  p.mode = kPlayerPaused;
  t.form().ApplicationDeActivate();
  t.clock().Advance(20000);
  EXPECT_EQ(p.calls, std::vector<std::string>{"Pause"});
  t.clock().Advance(2000);
  t.form().ApplicationActivate();
  t.clock().Advance(4999);
  EXPECT_EQ(p.calls.size(), 1u) << "the watch starts a full period at activation";
  t.clock().Advance(1);
  EXPECT_EQ(p.calls.back(), "Resume");
}

TEST(Music, OffInTheStoreUntilTheSwitchTurnsItOn) {
  ScreenTestForm t;
  t.SeedStore("Music=0\r\n");
  t.Start();
  auto& f = t.form();
  auto& p = t.player();
  t.clock().Advance(15000);
  EXPECT_TRUE(p.calls.empty());
  EXPECT_TRUE(f.controls().AnimationTimer->enabled()) << "the start timer still starts the animations";

  t.Click(*f.controls().SetupSpot);
  EXPECT_EQ(f.controls().Play[3]->image, 110);
  t.Click(*f.controls().Play[3]);
  EXPECT_EQ(p.calls, Then(TuneSetUp(t, "music1.mp3"), "Play")) << "tune 1 starts at once";
  EXPECT_EQ(t.StoreValue("Music"), 1);
  EXPECT_EQ(f.selection().ItemIndex, 3);
  EXPECT_EQ(f.controls().NameLabel->caption, "STATUS: ENABLED");

  p.calls.clear();
  t.Click(*f.controls().Play[3]);
  EXPECT_EQ(p.calls, std::vector<std::string>{"Pause"});
  EXPECT_EQ(t.StoreValue("Music"), 0);
  p.mode = kPlayerPaused;
  t.clock().Advance(10000);
  EXPECT_EQ(p.calls.size(), 1u) << "switched off, the watch leaves the music paused";
}

TEST(Music, AnyPlayerErrorSilencesTheRunUntilSwitchedOnAgain) {
  for (const char* failing : {"LoadModule", "OpenInput", "Play"}) {
    ScreenTestForm t;
    t.Start();
    auto& f = t.form();
    auto& p = t.player();
    p.fail = failing;
    t.clock().Advance(5000);
    EXPECT_FALSE(f.music().MusicReady) << failing;
    const auto calls = p.calls.size();
    p.mode = kPlayerFinished;
    f.music().StopMusic();
    f.music().PlayMusic();
    t.clock().Advance(10000);
    EXPECT_EQ(p.calls.size(), calls) << failing << ": nothing reaches the player any more";

    p.fail.clear();
    t.Click(*f.controls().SetupSpot);
    t.Click(*f.controls().Play[3]);
    t.Click(*f.controls().Play[3]);
    EXPECT_TRUE(f.music().MusicReady) << failing << ": switching the music on sets the player up anew";
    EXPECT_EQ(p.calls.back(), "Play");
  }
}

TEST(Music, TheEndOfTheProgramStopsAndUnloadsAReadyPlayer) {
  ScreenTestForm t;
  t.Start();
  t.clock().Advance(5000);
  t.player().calls.clear();
  t.form().FormDestroy();
  EXPECT_EQ(t.player().calls, (std::vector<std::string>{"Stop", "UnloadModule"}));
  EXPECT_FALSE(t.form().music().MusicReady);

  ScreenTestForm silent;
  silent.SeedStore("Music=0\r\n");
  silent.Start();
  silent.form().FormDestroy();
  EXPECT_TRUE(silent.player().calls.empty());
}

}  // namespace
}  // namespace norva::test
