// The marks in front of an Uninstall list, which the install type decides, and the folder each D entry aims
// at: the rules the uninstall and the catalog check share.
#include <gtest/gtest.h>

#include "menu/uninstall_entry.h"

namespace norva::menu {
namespace {

TEST(UninstallEntryTest, TheListsMarksAreReadOnlyByTheTypesThatTakeThem) {
  const UninstallList unpacked = ParseUninstallList("?Guninst.exe,*DG", 2);
  EXPECT_TRUE(unpacked.locate);
  EXPECT_FALSE(unpacked.locate_shortcuts);
  EXPECT_EQ(unpacked.locate_entries, "Guninst.exe,*DG");
  EXPECT_EQ(ParseUninstallList("?!*DG", 2).commands, "!*DG");  // '!' is for types with their own uninstaller

  const UninstallList own = ParseUninstallList("?!*Puninst.lnk,DG", 5);
  EXPECT_TRUE(own.locate && own.locate_shortcuts && own.no_uninstaller);
  EXPECT_EQ(own.commands, "Puninst.lnk,DG");
  EXPECT_TRUE(ParseUninstallList("SETUP", 4).setup);
  EXPECT_FALSE(ParseUninstallList("SETUP", 6).setup);  // the Sierra setup uninstalls in its own mode

  const UninstallList disc = ParseUninstallList("?Guninst.exe", 0);
  EXPECT_FALSE(disc.locate);
  EXPECT_EQ(disc.commands, "?Guninst.exe");
}

TEST(UninstallEntryTest, EntriesGiveTheirOperationAndDEntriesTheirFolder) {
  EXPECT_EQ(ParseUninstallEntry("DX").op, UninstallOp::kIgnored);
  EXPECT_EQ(ParseUninstallEntry("D").op, UninstallOp::kIgnored);
  EXPECT_EQ(ParseUninstallEntry("SX").op, UninstallOp::kIgnored);
  EXPECT_EQ(ParseUninstallEntry("UUGame").op, UninstallOp::kRunKeyUninstaller);

  const UninstallEntry key = ParseUninstallEntry("RMDSOFTWARE\\Firm");
  EXPECT_EQ(key.op, UninstallOp::kDeleteKey);
  EXPECT_EQ(key.root, platform::RegRoot::kLocalMachine);
  EXPECT_EQ(key.key, "\\SOFTWARE\\Firm");
  const UninstallEntry value = ParseUninstallEntry("RUF\\Software\\Firm|" + std::string(40, 'v'));
  EXPECT_EQ(value.root, platform::RegRoot::kCurrentUser);
  EXPECT_EQ(value.key, "\\Software\\Firm");
  EXPECT_EQ(value.value, std::string(kValueNameLimit, 'v'));
  EXPECT_FALSE(ParseUninstallEntry("RUF\\Software\\Firm").value);

  const auto target = [](std::string_view entry, std::string_view installed) {
    const auto folder = UninstallFolderTarget(ParseUninstallEntry(entry), installed, "C:\\Program Files\\");
    return folder ? folder->path + (folder->resolve ? " (resolve)" : "") : "none";
  };
  EXPECT_EQ(target("D?:\\Games\\Old", "E:\\Games\\New"), "E:\\Games\\Old");
  EXPECT_EQ(target("D?:\\Games\\Old", ""), "none");
  EXPECT_EQ(target("DC:\\Games\\Old", "E:\\Games\\New"), "C:\\Games\\Old");
  EXPECT_EQ(target("DG", "E:\\Games\\New"), "E:\\Games\\New");
  EXPECT_EQ(target("DG..\\Saves", "E:\\Games\\New"), "E:\\Games\\New\\..\\Saves (resolve)");
  EXPECT_EQ(target("DEFFirm", "E:\\Games\\New"), "C:\\Program Files\\Firm");
  EXPECT_EQ(target("DE", "Games"), "none");  // no drive path: it would be taken from the disc
  EXPECT_EQ(target("FGgame.ini", "E:\\Games\\New"), "none");
}

}  // namespace
}  // namespace norva::menu
