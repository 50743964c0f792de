// The music as a script sees it: the tunes alternate on the virtual clock, and a disc without the player
// module stays silent.
#include <gtest/gtest.h>

#include <filesystem>

#include "headless/scenario.h"
#include "support/temp_dir.h"

namespace norva::test {
namespace {

namespace fs = std::filesystem;

class MusicScenarioTest : public ::testing::Test {
 protected:
  // A copy of the test disc with the player module and tunes of 1 s and 2 s.
  fs::path DiscWithMusic() {
    fs::copy(TestDisc(), disc_.path(), fs::copy_options::recursive);
    disc_.Write("Norva/elamp.esp", "module");
    disc_.Write("Norva/music1.mp3", std::string(16000, 'a'));
    disc_.Write("Norva/music2.mp3", std::string(32000, 'b'));
    return disc_.path();
  }
  ScenarioResult Run(const fs::path& disc, const std::string& script) {
    Scenario s{machine_.path() / "prefix", disc};
    s.script = script;
    return s.Run();
  }

  TempDir disc_;
  TempDir machine_;
};

TEST_F(MusicScenarioTest, TheTwoTunesAlternate) {
  const auto r =
      Run(DiscWithMusic(), "dump\nwait 5000\ndump\nwait 5000\ndump\nwait 5000\ndump\nwait 5000\ndump\n");
  ASSERT_EQ(r.exit_code, 0) << r.err;
  ASSERT_EQ(r.dumps.size(), 5u);
  EXPECT_EQ(r.dumps[0]["music"],
            (nlohmann::ordered_json{{"ready", false}, {"tune", 0}, {"state", "stopped"}}));
  const int tunes[] = {1, 2, 1, 2};
  for (int i = 1; i <= 4; ++i) {
    EXPECT_EQ(r.dumps[i]["music"]["ready"], true) << i;
    EXPECT_EQ(r.dumps[i]["music"]["tune"], tunes[i - 1]) << i;
    EXPECT_EQ(r.dumps[i]["music"]["state"], "playing") << i;
  }
}

TEST_F(MusicScenarioTest, AnEndedTuneWaitsForTheMenuToBeActive) {
  const auto r = Run(DiscWithMusic(),
                     "wait 5000\nclick SetupSpot\nclick Play3\ndeactivate\nclick Play3\nwait 20000\ndump\n"
                     "activate\nwait 4999\ndump\nwait 1\ndump\n");
  ASSERT_EQ(r.exit_code, 0) << r.err;
  ASSERT_EQ(r.dumps.size(), 3u);
  // Switching the music off pauses it; on again sets tune 1 up and plays it at once, even when inactive.
  EXPECT_EQ(r.dumps[0]["music"]["state"], "stopped") << "tune 1 (1 s) has ended and no watch ran";
  EXPECT_EQ(r.dumps[0]["timers"]["MusicTimer"]["enabled"], false);
  EXPECT_EQ(r.dumps[1]["music"]["state"], "stopped");
  EXPECT_EQ(r.dumps[2]["music"]["tune"], 2) << "the first watch tick after activation starts tune 2";
  EXPECT_EQ(r.dumps[2]["music"]["state"], "playing");
}

TEST_F(MusicScenarioTest, WithoutThePlayerModuleTheMenuIsSilent) {
  const auto r = Run(TestDisc(), "wait 5000\ndump\nwait 10000\ndump\n");
  ASSERT_EQ(r.exit_code, 0) << r.err;
  for (const auto& dump : r.dumps) {
    EXPECT_EQ(dump["music"]["ready"], false);
    EXPECT_EQ(dump["music"]["state"], "stopped");
    EXPECT_EQ(dump["settings"]["music"], 1);
    EXPECT_TRUE(dump["dialogs"].empty()) << "nothing is reported";
  }
}

}  // namespace
}  // namespace norva::test
