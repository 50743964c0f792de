// The headless player: real checks of the module and tune files, and tunes that run on the virtual clock.
#include "headless/headless_player.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "support/temp_dir.h"

namespace norva::test {
namespace {

using components::kPlayerClosed;
using components::kPlayerFinished;
using components::kPlayerPaused;
using components::kPlayerPlaying;
using components::kPlayerStopped;

class HeadlessPlayerTest : public ::testing::Test {
 protected:
  // Loads the module and opens `tune`; false at the first step that fails.
  bool Open(const std::string& module, const std::string& tune) {
    return player_.SetModulePath(module) && player_.LoadModule() &&
           player_.SetInputMode(components::PlayerInput::kFile) && player_.SetInputName(tune) &&
           player_.SetOutputMode(components::PlayerOutput::kDirectSound) && player_.OpenInput() &&
           player_.OpenOutput();
  }
  std::string File(const char* name, std::size_t size) const {
    return dir_.Write(name, std::string(size, 'x'));
  }

  TempDir dir_;
  components::Clock clock_;
  headless::HeadlessPlayer player_{clock_};
};

TEST_F(HeadlessPlayerTest, MissingOrUnreadableFilesFail) {
  const auto module = File("elamp.esp", 10);
  const auto tune = File("music1.mp3", 1600);
  EXPECT_FALSE(Open((dir_.path() / "none.esp").string(), tune));
  EXPECT_FALSE(player_.Play()) << "nothing opened, nothing plays";
  EXPECT_FALSE(Open(module, (dir_.path() / "none.mp3").string()));
  EXPECT_FALSE(Open(module, dir_.path().string())) << "a folder is no tune";
  EXPECT_EQ(player_.Mode(), kPlayerClosed);
  if (getuid() != 0) {
    chmod(tune.c_str(), 0);
    EXPECT_FALSE(Open(module, tune)) << "an unreadable tune";
    chmod(tune.c_str(), 0644);
  }
  EXPECT_TRUE(Open(module, tune));
  EXPECT_EQ(player_.Mode(), kPlayerStopped);
  EXPECT_TRUE(player_.UnloadModule());
  EXPECT_FALSE(player_.Play());
}

TEST_F(HeadlessPlayerTest, ATuneRunsSixteenBytesAMillisecondAndPausesHoldIt) {
  ASSERT_TRUE(Open(File("elamp.esp", 10), File("music1.mp3", 16000)));
  EXPECT_EQ(player_.tune_length(), 1000);
  EXPECT_TRUE(player_.Pause()) << "pausing a tune that does not play changes nothing";
  EXPECT_EQ(player_.Mode(), kPlayerStopped);
  ASSERT_TRUE(player_.Play());
  clock_.Advance(400);
  ASSERT_TRUE(player_.Pause());
  EXPECT_EQ(player_.Mode(), kPlayerPaused);
  clock_.Advance(60000);
  EXPECT_EQ(player_.Mode(), kPlayerPaused);
  ASSERT_TRUE(player_.Resume());
  clock_.Advance(599);
  EXPECT_EQ(player_.Mode(), kPlayerPlaying);
  clock_.Advance(1);
  EXPECT_EQ(player_.Mode(), kPlayerFinished);
  EXPECT_TRUE(player_.Resume());
  EXPECT_EQ(player_.Mode(), kPlayerFinished) << "resume does not restart a finished tune";
  ASSERT_TRUE(player_.Play());
  EXPECT_EQ(player_.Mode(), kPlayerPlaying) << "play starts it again from the beginning";
}

}  // namespace
}  // namespace norva::test
