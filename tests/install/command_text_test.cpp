// The command-text helpers: working folders of catalog command texts, quotes and arguments, and the folder
// named by an uninstaller's command line, including texts whose marks are missing, reversed or at the ends.
#include "install/command_text.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace norva::install {
namespace {

class WorkingDirTest : public ::testing::Test {
 protected:
  std::string Dir(std::string_view text) {
    return WorkingDirOf(text, [this](std::string_view path) {
      asked.emplace_back(path);
      return files.count(std::string(path)) > 0;
    });
  }
  std::set<std::string> files;
  std::vector<std::string> asked;
};

TEST_F(WorkingDirTest, QuotedProgramWithArgumentsStartsInItsFolder) {
  files = {"D:\\DEMOS\\GAME\\GAME.EXE"};
  EXPECT_EQ(Dir("\"D:\\DEMOS\\GAME\\GAME.EXE\" -window"), "D:\\DEMOS\\GAME\\");
  // The file test sees the program name without the blank that followed it.
  ASSERT_FALSE(asked.empty());
  EXPECT_EQ(asked.front(), "D:\\DEMOS\\GAME\\GAME.EXE");
}

TEST_F(WorkingDirTest, MissingProgramFallsBackToTheFolderOfTheWholeText) {
  // Only the last backslash counts, even inside the arguments.
  EXPECT_EQ(Dir("D:\\DEMOS\\GAME\\GAME.EXE -save D:\\SAVES\\slot1"),
            "D:\\DEMOS\\GAME\\GAME.EXE -save D:\\SAVES\\");
  files = {"D:\\DEMOS\\GAME\\GAME.EXE"};
  EXPECT_EQ(Dir("D:\\DEMOS\\GAME\\GAME.EXE -save D:\\SAVES\\slot1"), "D:\\DEMOS\\GAME\\");
}

TEST_F(WorkingDirTest, ProgramsInBinWin32StartTwoFoldersUp) {
  files = {"D:\\X\\BIN\\WIN32\\RUN.EXE"};
  EXPECT_EQ(Dir("D:\\X\\BIN\\WIN32\\RUN.EXE"), "D:\\X\\BIN\\WIN32\\..\\..\\");
  // The rule is case-sensitive.
  files = {"D:\\X\\bin\\win32\\RUN.EXE"};
  EXPECT_EQ(Dir("D:\\X\\bin\\win32\\RUN.EXE"), "D:\\X\\bin\\win32\\");
}

TEST_F(WorkingDirTest, TextsWithoutAProgramExtensionAreTheirOwnDirectory) {
  EXPECT_EQ(Dir(""), "");
  EXPECT_EQ(Dir("RunDll32 setupapi,InstallHinfSection DefaultInstall 132 D:\\X\\A.INF"),
            "RunDll32 setupapi,InstallHinfSection DefaultInstall 132 D:\\X\\A.INF");
  EXPECT_EQ(Dir("\"D:\\WEB\\INDEX.HTM\""), "D:\\WEB\\INDEX.HTM");
  EXPECT_EQ(Dir("D:\\X\\freeloader.com"), "D:\\X\\freeloader.com");
  EXPECT_TRUE(asked.empty());
}

TEST_F(WorkingDirTest, BatchAndComProgramsOnlyReplaceTheResultWhenTheyExist) {
  files = {"D:\\TOOLS\\GO.BAT"};
  EXPECT_EQ(Dir("D:\\TOOLS\\GO.BAT /q"), "D:\\TOOLS\\");
  files = {"D:\\DOS\\PLAY.COM"};
  EXPECT_EQ(Dir("D:\\DOS\\PLAY.COM"), "D:\\DOS\\");
  files.clear();
  // Neither an .EXE nor an existing .BAT: nothing is left, so the root of C: is used.
  EXPECT_EQ(Dir("D:\\TOOLS\\GO.BAT /q"), "C:\\");
  EXPECT_EQ(Dir("GAME.EXE"), "C:\\");
}

TEST(CommandTextTest, StripQuotesAndArguments) {
  EXPECT_EQ(StripQuotes("\"C:\\Program Files\\G\\g.exe\" \"a b\""), "C:\\Program Files\\G\\g.exe a b");
  EXPECT_EQ(StripArguments("D:\\X\\GAME.EXE -window"), "D:\\X\\GAME.EXE");
  EXPECT_EQ(StripArguments("D:\\X\\GAME.EXE"), "D:\\X\\GAME.EXE");
  EXPECT_EQ(StripArguments("D:\\X\\GAME -window"), "D:\\X\\GAME -window");
  // The first dot decides, even inside a folder name; a dot too near the end keeps what there is.
  EXPECT_EQ(StripArguments("D:\\V1.2\\GAME.EXE -w"), "D:\\V1.2\\G");
  EXPECT_EQ(StripArguments("A B."), "A B.");
}

TEST(DirFromUninstallStringTest, LogFileAfterMinusF) {
  EXPECT_EQ(
      DirFromUninstallString("C:\\WINDOWS\\UNINST.EXE -f\"C:\\Program Files\\Game\\uninst.log\" -c\"x\""),
      "C:\\Program Files\\Game\\");
  EXPECT_EQ(DirFromUninstallString("C:\\WINDOWS\\UNINST.EXE -fC:\\Games\\Kart\\uninst.log"),
            "C:\\Games\\Kart\\");
  EXPECT_EQ(DirFromUninstallString("C:\\WINDOWS\\UNINST.EXE -fC:\\Games\\Kart\\uninst.log -c \"x\""),
            "C:\\Games\\Kart\\");
}

TEST(DirFromUninstallStringTest, FolderAfterTheUninstallDataFile) {
  EXPECT_EQ(DirFromUninstallString(
                "\"C:\\WINDOWS\\IsUn0405.exe\" \"C:\\Hry\\Kart\\UNINST0.000\" \"C:\\Hry\\Kart\\Data\""),
            "C:\\Hry\\Kart\\");
}

TEST(DirFromUninstallStringTest, MissingReversedOrTrailingMarksGiveAFolderOrNothing) {
  EXPECT_EQ(DirFromUninstallString(""), "");
  EXPECT_EQ(DirFromUninstallString("C:\\Games\\Kart\\unins000.exe"), "C:\\Games\\Kart\\");
  // A leading quote starts the copy before position 5, so the copy falls back to the first blank (none here).
  EXPECT_EQ(DirFromUninstallString("\"C:\\Games\\Kart\\unins000.exe\""), "\"C:\\Games\\Kart\\");
  EXPECT_EQ(DirFromUninstallString("\"C:\\Games\\Kart\\unins000.exe\" /x"), "");
  EXPECT_EQ(DirFromUninstallString("C:\\Games\\UNINST.EXE -c\"x\" -f\"C:\\Logs\\a.log\""), "C:\\Logs\\");
  EXPECT_EQ(DirFromUninstallString("C:\\Games\\UNINST.EXE -f"), "");
  EXPECT_EQ(DirFromUninstallString("C:\\Games\\UNINST.EXE -f\""), "");
  EXPECT_EQ(DirFromUninstallString(" -c\""), "");
  EXPECT_EQ(DirFromUninstallString("\""), "");
  EXPECT_EQ(DirFromUninstallString("UNINST0.000\" \""), "");
  EXPECT_EQ(DirFromUninstallString("x"), "");
}

}  // namespace
}  // namespace norva::install
