// The headless script: its commands, its errors, and modal dialogs answered by the lines after them.
#include <gtest/gtest.h>

#include <filesystem>

#include "headless/scenario.h"
#include "support/temp_dir.h"

namespace norva::test {
namespace {

namespace fs = std::filesystem;

class ScriptTest : public ::testing::Test {
 protected:
  ScenarioResult Run(const std::string& script, std::optional<fs::path> disc = TestDisc()) {
    Scenario s{scratch_.path() / "prefix", disc};
    s.script = script;
    return s.Run();
  }
  TempDir scratch_;
};

TEST_F(ScriptTest, CommentsAndBlankLinesAreSkippedAndEndIsNormal) {
  const auto r = Run("# a comment\n\n   \ndump\n# the end\n");
  EXPECT_EQ(r.exit_code, 0) << r.err;
  EXPECT_EQ(r.dumps.size(), 1u);
  EXPECT_TRUE(r.err.empty());
}

TEST_F(ScriptTest, ErrorsNameTheLineAndEndWithStatusTwo) {
  struct Case {
    const char* script;
    const char* message;
  };
  for (const Case& c :
       {Case{"dump\nfrobnicate\n", "line 2: unknown command: frobnicate"},
        Case{"key F13\n", "line 1: unknown key: F13"}, Case{"wait soon\n", "line 1: not a number: soon"},
        Case{"click NoSuchControl\n", "line 1: no control named NoSuchControl"},
        Case{"answer yes\n", "line 1: answer: no message box"},
        Case{"chooser ok\n", "line 1: chooser: the directory chooser is not open"},
        Case{"unpack-esc 3\n", "line 1: unpack-esc: the unpack window is not open"},
        Case{"wheel sideways\n", "line 1: wheel wants up or down"},
        Case{"click ExitSpot 5\n", "line 1: click needs both X and Y"}}) {
    const auto r = Run(c.script);
    EXPECT_EQ(r.exit_code, 2) << c.script;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << c.script << " gave: " << r.err;
  }
}

TEST_F(ScriptTest, WhileAMessageBoxIsOpenOnlyItsAnswerWaitAndDumpMayFollow) {
  // Without a disc the error box opens during start-up.
  auto r = Run("wait 10\ndump\nkey Down\n", std::nullopt);
  EXPECT_EQ(r.exit_code, 2);
  EXPECT_NE(r.err.find("line 3"), std::string::npos) << r.err;

  r = Run("answer yes\n", std::nullopt);
  EXPECT_EQ(r.exit_code, 2) << "an OK box has no Yes button";
  EXPECT_NE(r.err.find("has no button yes"), std::string::npos) << r.err;
}

TEST_F(ScriptTest, AnOpenBoxGetsTheDefaultAnswerWhenTheScriptEnds) {
  TempDir disc;
  disc.Write("NORVA.EXE", "MZ");
  // The catalog is missing: its error box is still open when the script runs out, and the run ends anyway.
  const auto r = Run("dump\n", disc.path());
  EXPECT_EQ(r.exit_code, 1);
  ASSERT_EQ(r.dumps.size(), 1u);
  EXPECT_EQ(r.dumps[0]["modal"]["kind"], "error");
  EXPECT_TRUE(r.dumps[0]["modal"]["answer"].is_null());
  EXPECT_EQ(r.dumps[0]["dialogs"].size(), 1u);
}

TEST_F(ScriptTest, ExitSpotAndQuitEndNormally) {
  auto r = Run("click ExitSpot\ndump\n");
  EXPECT_EQ(r.exit_code, 0) << r.err;
  EXPECT_TRUE(r.dumps.empty()) << "nothing runs after the exit spot";

  r = Run("click ExitButton\ndump\n");
  EXPECT_EQ(r.exit_code, 0) << r.err;
  EXPECT_TRUE(r.dumps.empty());

  r = Run("quit\ndump\n");
  EXPECT_EQ(r.exit_code, 0) << r.err;
  EXPECT_TRUE(r.dumps.empty());
}

TEST_F(ScriptTest, ActivationRestartsTheMusicWatchAndDeactivationStopsIt) {
  const auto r = Run("activate\ndump\ndeactivate\ndump\n");
  ASSERT_EQ(r.exit_code, 0) << r.err;
  ASSERT_EQ(r.dumps.size(), 2u);
  EXPECT_TRUE(r.dumps[0]["timers"]["MusicTimer"]["enabled"]);
  EXPECT_FALSE(r.dumps[1]["timers"]["MusicTimer"]["enabled"]);
}

TEST_F(ScriptTest, EveryTopLevelKeyIsPresent) {
  const auto r = Run("dump\n");
  ASSERT_EQ(r.dumps.size(), 1u);
  for (const char* key : {"app_title",     "caption",       "disc_root",
                          "norva_dir",     "issue_code",    "is_dvd",
                          "debug_mode",    "edition",       "language",
                          "night_mode",    "os_name",       "folders",
                          "page_kind",     "top_index",     "item_index",
                          "selected_icon", "hover_icon",    "page_icon_count",
                          "pages",         "gallery_index", "small_picture_loaded",
                          "picture_count", "settings",      "music",
                          "window",        "screen",        "timers",
                          "controls",      "records",       "modal",
                          "dialogs",       "launches"}) {
    EXPECT_TRUE(r.dumps[0].contains(key)) << key;
  }
  for (const char* folder : {"WindowsDir", "SystemDir", "TempDir", "ProgramFilesDir", "CommonDesktopDir",
                             "CommonProgramsDir", "UserDesktopDir", "UserProgramsDir"}) {
    EXPECT_TRUE(r.dumps[0]["folders"].contains(folder)) << folder;
  }
  EXPECT_EQ(r.dumps[0]["screen"]["width"], 1024);
  EXPECT_EQ(r.dumps[0]["screen"]["height"], 768);
}

}  // namespace
}  // namespace norva::test
