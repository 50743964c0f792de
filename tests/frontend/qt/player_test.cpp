// The player on Qt Multimedia with the backend the program chooses, on the sample disc's real tune: it plays
// where there is an audio output and is cleanly not ready where there is none; a tune it cannot decode ends
// in a state the menu takes as "no music", never in a crash.
#include <gtest/gtest.h>
#include <QAudioDevice>
#include <QMediaDevices>
#include <QTest>
#include <filesystem>
#include <iostream>

#include "components/player.h"
#include "frontend/qt/qt_player.h"
#include "support/temp_dir.h"

namespace norva::test {
namespace {

namespace fs = std::filesystem;
using frontend::qt::QtPlayer;

const fs::path kNorvaDir = fs::path(NORVA_SAMPLE_DISC) / "Norva";

bool OpenTune(QtPlayer& player, const fs::path& tune) {
  return player.SetModulePath((kNorvaDir / "elamp.esp").string()) && player.LoadModule() &&
         player.SetInputName(tune.string()) && player.OpenInput();
}

TEST(QtPlayerPlayback, PlaysTheSampleTuneOrIsCleanlyNotReady) {
  if (!fs::exists(kNorvaDir / "music1.mp3")) GTEST_SKIP() << "the sample disc is not built";
  QtPlayer player;
  ASSERT_TRUE(OpenTune(player, kNorvaDir / "music1.mp3"));
  if (QMediaDevices::defaultAudioOutput().isNull()) {
    std::cout << "no audio output on this machine: checking the not-ready path\n";
    EXPECT_FALSE(player.OpenOutput());
    EXPECT_FALSE(player.Play());
    EXPECT_NE(player.Mode(), components::kPlayerPlaying);
    return;
  }
  ASSERT_TRUE(player.OpenOutput());
  ASSERT_TRUE(player.Play());
  EXPECT_EQ(player.Mode(), components::kPlayerPlaying);
  EXPECT_TRUE(QTest::qWaitFor([&] { return player.PositionMs() > 100; }, 5000)) << "the tune is decoded";
  ASSERT_TRUE(player.Pause());
  EXPECT_TRUE(QTest::qWaitFor([&] { return player.Mode() == components::kPlayerPaused; }, 2000));
  ASSERT_TRUE(player.Resume());
  EXPECT_TRUE(QTest::qWaitFor([&] { return player.Mode() == components::kPlayerPlaying; }, 2000));
  EXPECT_TRUE(player.Stop());
}

TEST(QtPlayerPlayback, AnUndecodableTuneIsNotOpened) {
  TempDir dir;
  const auto tune = dir.Write("music1.mp3", std::string(4096, 'Z'));
  QtPlayer player;
  EXPECT_FALSE(OpenTune(player, tune));
  EXPECT_FALSE(player.OpenOutput());
  EXPECT_FALSE(player.Play());
  EXPECT_EQ(player.Mode(), components::kPlayerClosed);
}

}  // namespace
}  // namespace norva::test
