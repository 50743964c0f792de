// The store norva.ini as other issues of the menu read it: exact section and key names, the comma record with
// its disc code, deletions per issue, the legacy stores, and long values kept whole.
#include "installed/install_store.h"

#include <gtest/gtest.h>

#include <string>

#include "installed/test_machine.h"

namespace norva::installed {
namespace {

class InstallStoreTest : public ::testing::Test {
 protected:
  InstallStore MakeStore(std::string issue_code, std::string windows_dir = "C:\\windows\\") {
    return InstallStore(machine_.Store(), machine_.Platform().ini, machine_.Platform().files,
                        std::move(windows_dir), std::move(issue_code));
  }

  test::TestMachine machine_;
};

TEST_F(InstallStoreTest, WritesTheThreeEntriesInTheIssueSection) {
  InstallStore store = MakeStore("0206");
  ASSERT_TRUE(store.WriteDirEntry("GAME", "C:\\Games\\Game"));
  ASSERT_TRUE(store.WriteRecordEntry("GAME", {"GAME.EXE", "Game", "", DiscCode(1)}));
  ASSERT_TRUE(
      store.WriteUninstallerEntry("GAME", "C:\\WINDOWS\\UNINST.EXE -f\"C:\\Games\\Game\\uninst.log\""));
  ASSERT_TRUE(
      store.WriteRecordEntry("MULTI", {"M.EXE:Normal;M3D.EXE:3D", "Multi 1.0", "DG,SNMulti", DiscCode(12)}));

  EXPECT_EQ(machine_.StoreText(),
            "[CD0206]\r\n"
            "GAME=C:\\Games\\Game\r\n"
            "GAME_=GAME.EXE,Game,,\r\n"
            "GAME__=C:\\WINDOWS\\UNINST.EXE -f\"C:\\Games\\Game\\uninst.log\"\r\n"
            "MULTI_=M.EXE:Normal;M3D.EXE:3D,Multi 1.0,DG,SNMulti,12\r\n");
}

// An item's Name is a key of the store: one that would read back as another key, a section or a comment, or
// that holds a line break, is not written at all. A comma is no harm in a key.
TEST_F(InstallStoreTest, NamesThatWouldSplitOrInjectLinesAreNotWritten) {
  InstallStore store = MakeStore("0206");
  for (const char* name : {"A=B", "[CD0105]", ";NOTE", "GAME\r\n[Main]", "GAME\nX"}) {
    EXPECT_FALSE(store.WriteDirEntry(name, "C:\\X")) << name;
    EXPECT_FALSE(store.WriteRecordEntry(name, {"X.EXE", "", "", ""})) << name;
  }
  EXPECT_FALSE(store.WriteUninstallerEntry("GAME", "C:\\UN.EXE\r\nEVIL=1"));
  ASSERT_TRUE(store.WriteDirEntry("FIRE, WATER", "C:\\FW"));
  EXPECT_EQ(machine_.StoreText(), "[CD0206]\r\nFIRE, WATER=C:\\FW\r\n");
  EXPECT_EQ(store.File().ReadString("CD0206", "FIRE, WATER", ""), "C:\\FW");
}

TEST_F(InstallStoreTest, DiscCodeIsWrittenOnlyForItemsBoundToTheirDisc) {
  EXPECT_EQ(DiscCode(1), "");
  EXPECT_EQ(DiscCode(9), "");
  EXPECT_EQ(DiscCode(10), "10");
  EXPECT_EQ(DiscCode(12), "12");
  EXPECT_EQ(DiscCode(255), "255");
  EXPECT_EQ(FormatRecordEntry({"GAME.EXE", "Game", "", DiscCode(1)}), "GAME.EXE,Game,,");
}

TEST_F(InstallStoreTest, DeletesOnlyTheInsertedIssuesKeys) {
  InstallStore old_issue = MakeStore("0105");
  InstallStore store = MakeStore("0206");
  old_issue.WriteDirEntry("GAME", "C:\\Old");
  old_issue.WriteRecordEntry("GAME", {"GAME.EXE", "", "", ""});
  store.WriteDirEntry("GAME", "C:\\New");
  store.WriteRecordEntry("GAME", {"GAME.EXE", "", "", ""});
  store.WriteUninstallerEntry("GAME", "C:\\New\\UNINST.EXE");
  store.WriteDirEntry("GAME 2", "C:\\Two");

  store.DeleteEntries("GAME");
  store.DeleteEntries("NEVER INSTALLED");  // missing keys are no error

  EXPECT_EQ(machine_.StoreText(),
            "[CD0105]\r\nGAME=C:\\Old\r\nGAME_=GAME.EXE,,,\r\n"
            "[CD0206]\r\nGAME 2=C:\\Two\r\n");
  store.DeleteEntries("0105", "GAME");
  EXPECT_EQ(old_issue.ReadStoredDir("GAME"), "");
  EXPECT_EQ(store.ReadStoredDir("GAME 2"), "C:\\Two");
}

TEST_F(InstallStoreTest, ReadStoredDirLooksOnlyAtTheInsertedIssueThenTheLegacyStores) {
  MakeStore("0105").WriteDirEntry("GAME", "C:\\Games\\Game");
  InstallStore store = MakeStore("0206");
  EXPECT_EQ(store.ReadStoredDir("GAME"), "");
  EXPECT_EQ(store.ReadStoredDir("game"), "");

  machine_.WriteFile("C:\\norva.ini", "[CD0206]\r\nROOT=C:\\Root\r\n[CD0105]\r\nGAME=C:\\Wrong\r\n");
  EXPECT_EQ(store.ReadStoredDir("ROOT"), "C:\\Root");
  EXPECT_EQ(store.ReadStoredDir("GAME"), "");

  // The current store wins over the legacy one.
  store.WriteDirEntry("ROOT", "C:\\Current");
  EXPECT_EQ(store.ReadStoredDir("ROOT"), "C:\\Current");
}

TEST_F(InstallStoreTest, WindowsFolderLegacyStoreCountsOnlyWhenTheWindowsFolderIsElsewhere) {
  // C:\windows\norva.ini stands for the store of an older Windows installation; this machine's Windows
  // folder, and so its store, is C:\WIN98.
  machine_.WriteFile("C:\\windows\\norva.ini", "[CD0206]\r\nGAME=C:\\FromWindows\r\n");
  auto current = machine_.Platform().ini.Open("C:\\WIN98\\norva.ini");
  auto& ini = machine_.Platform().ini;
  auto& files = machine_.Platform().files;
  InstallStore elsewhere(*current, ini, files, "C:\\WIN98\\", "0206");
  InstallStore same(*current, ini, files, "c:\\Windows\\", "0206");

  // Consulted only behind an existing C:\norva.ini.
  EXPECT_EQ(elsewhere.ReadStoredDir("GAME"), "");
  machine_.WriteFile("C:\\norva.ini", "[CD0206]\r\nOTHER=C:\\Other\r\n");
  EXPECT_EQ(elsewhere.ReadStoredDir("GAME"), "C:\\FromWindows");
  EXPECT_EQ(elsewhere.ReadStoredDir("OTHER"), "C:\\Other");
  EXPECT_EQ(elsewhere.ReadStoredDir("NONE"), "");
  EXPECT_EQ(same.ReadStoredDir("GAME"), "");
  EXPECT_EQ(same.ReadStoredDir("OTHER"), "C:\\Other");

  // Nothing is ever written to the legacy files.
  elsewhere.WriteDirEntry("NEW", "C:\\New");
  EXPECT_EQ(test::TempDir::ReadFile(machine_.Prefix() / "prefix" / "drive_c" / "norva.ini"),
            "[CD0206]\r\nOTHER=C:\\Other\r\n");
  EXPECT_EQ(test::TempDir::ReadFile(machine_.Prefix() / "prefix" / "drive_c" / "windows" / "norva.ini"),
            "[CD0206]\r\nGAME=C:\\FromWindows\r\n");
}

TEST_F(InstallStoreTest, LongValuesAreKeptWhole) {
  InstallStore store = MakeStore("0206");
  const std::string dir = "C:\\" + std::string(300, 'd');
  const std::string uninstall = std::string(200, 'U') + "," + std::string(100, 'V');
  ASSERT_TRUE(store.WriteDirEntry("LONG", dir));
  ASSERT_TRUE(store.WriteRecordEntry("LONG", {"GAME.EXE", "Long", uninstall, ""}));
  EXPECT_EQ(store.ReadStoredDir("LONG"), dir);
  EXPECT_EQ(machine_.Store().ReadString("CD0206", "LONG_", ""), "GAME.EXE,Long," + uninstall + ",");
}

TEST_F(InstallStoreTest, AStoreThatCannotBeWrittenReportsFalse) {
  auto nowhere = machine_.Platform().ini.Open("Q:\\norva.ini");
  InstallStore store(*nowhere, machine_.Platform().ini, machine_.Platform().files, "C:\\windows\\", "0206");
  EXPECT_FALSE(store.WriteDirEntry("GAME", "C:\\Game"));
  EXPECT_FALSE(store.WriteRecordEntry("GAME", {"GAME.EXE", "", "", ""}));
  store.DeleteEntries("GAME");
  EXPECT_EQ(store.ReadStoredDir("GAME"), "");
}

}  // namespace
}  // namespace norva::installed
