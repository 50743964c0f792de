// The uninstall command language, entry by entry, on a scratch prefix: the files, the registry files and the
// Start-menu folders after each entry, and the guards that keep the machine's own folders and keys.
#include "menu/uninstall_commands.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "install/launcher.h"
#include "install/lnk_writer.h"
#include "menu/uninstall_menu.h"
#include "support/fake_runner.h"

namespace norva::test {
namespace {

namespace fs = std::filesystem;
using menu::MessageAnswer;
using platform::RegRoot;

constexpr const char* kYes = "yes";
const std::string kUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

class UninstallCommandsTest : public ::testing::Test {
 protected:
  // In the catalog's debug mode, so that the registry notes are shown.
  UninstallCommandsTest() : m_({Numbered("Demos", "Demo", 1)}, "Version=0\r\nDebug=1\r\n") {}
  void SetUp() override { item_.InstalledDir = "C:\\Games\\Quake"; }

  void Run(std::string_view list, std::vector<const char*> answers = {}) {
    for (const char* answer : answers)
      m_.host().answers.push_back(std::string_view(answer) == kYes ? MessageAnswer::kYes
                                                                   : MessageAnswer::kNo);
    platform::Platform machine = m_.form().platform();
    install::Launcher launcher(machine, m_.host(), m_.form().files().DiscRoot, nullptr);
    menu::UninstallCommands(m_.form().services(), m_.form().look(), m_.form().files().Folders,
                            m_.form().catalog().DebugMode != 0, launcher)
        .Run(item_, list);
  }
  std::string Located(std::string_view list, bool shortcuts) {
    platform::Platform machine = m_.form().platform();
    install::Launcher launcher(machine, m_.host(), m_.form().files().DiscRoot, nullptr);
    menu::UninstallCommands(m_.form().services(), m_.form().look(), m_.form().files().Folders,
                            m_.form().catalog().DebugMode != 0, launcher)
        .LocateUninstaller(item_, list, shortcuts);
    return item_.UnInstallName;
  }
  // Whether the registry file holds a block for the key (written as Wine writes it).
  bool InHive(RegRoot root, std::string key) {
    for (std::size_t at = 0; (at = key.find('\\', at)) != std::string::npos; at += 2) key.insert(at, "\\");
    return m_.Hive(root).find("[" + key + "]") != std::string::npos;
  }

  UninstallMenu m_;
  MarkingDetector detector_;
  catalog::TDemos item_;
};

TEST_F(UninstallCommandsTest, FolderEntriesAskAndDeleteOrRemoveEmptyBranches) {
  m_.File("C:\\Games\\Quake\\save\\s1.sav");
  m_.File("C:\\Games\\Quake\\QUAKE.EXE");
  m_.File("C:\\Other\\x.txt");
  m_.File("C:\\Temp\\Quake\\log.txt");
  fs::create_directories(m_.Host("C:\\Program Files\\Vendor\\Game\\Data"));
  fs::create_directories(m_.Host("C:\\Games\\Empty\\Sub"));
  m_.Start(&detector_);

  Run("D?:\\OTHER;", {kYes});
  EXPECT_EQ(m_.TakeMessages(), std::vector<std::string>{"Would you like to delete all files in C:\\OTHER ?"});
  EXPECT_FALSE(m_.Exists("C:\\Other"));

  Run("DC:\\Temp\\Quake;DGsave", {"no", kYes});
  EXPECT_EQ(m_.TakeMessages(),
            (std::vector<std::string>{"Would you like to delete all files in C:\\TEMP\\QUAKE ?",
                                      "Would you like to delete all files in "
                                      "C:\\GAMES\\QUAKE\\SAVE ?"}));
  EXPECT_TRUE(m_.Exists("C:\\Temp\\Quake\\log.txt"));
  EXPECT_FALSE(m_.Exists("C:\\Games\\Quake\\save"));

  Run("DC:\\Temp\\Quake");  // one entry with a colon is cut there: "DC" and "\Temp\Quake"
  EXPECT_TRUE(m_.TakeMessages().empty()) << "a path without its drive is not taken from the disc";

  Run("DEFVendor\\Game\\Data");
  EXPECT_FALSE(m_.Exists("C:\\Program Files\\Vendor"));
  EXPECT_TRUE(m_.Exists("C:\\Program Files"));

  item_.InstalledDir = "C:\\Games\\Empty\\Sub";
  Run("DE");
  EXPECT_FALSE(m_.Exists("C:\\Games\\Empty"));
  EXPECT_TRUE(m_.Exists("C:\\Games\\Quake\\QUAKE.EXE"));

  item_.InstalledDir = "C:\\Games\\Quake";
  Run("DG", {kYes});
  EXPECT_EQ(m_.TakeMessages(),
            std::vector<std::string>{"Would you like to delete all files in C:\\GAMES\\QUAKE ?"});
  EXPECT_FALSE(m_.Exists("C:\\Games\\Quake"));
  EXPECT_TRUE(m_.Exists("C:\\Games"));
}

TEST_F(UninstallCommandsTest, FolderEntriesNeverOfferTheMachinesFolders) {
  m_.File("C:\\Games\\Quake\\QUAKE.EXE");
  m_.File("C:\\users\\player\\Desktop\\Quake.lnk");
  fs::create_directories(m_.Host("C:\\Program Files\\Vendor"));
  m_.Start(&detector_);
  item_.InstalledDir = "C:\\windows";
  Run("DC:\\;DC:\\WINDOWS;DC:\\users;DC:\\Program Files;DG;DG..\\..;D?:\\windows\\system32;DG..\\Games\\..",
      {kYes, kYes, kYes, kYes, kYes, kYes, kYes, kYes});
  EXPECT_TRUE(m_.TakeMessages().empty());
  EXPECT_TRUE(m_.Exists("C:\\Games\\Quake\\QUAKE.EXE"));
  EXPECT_TRUE(m_.Exists("C:\\windows\\system32"));
}

TEST_F(UninstallCommandsTest, FileEntriesByPlaceLetter) {
  const std::vector<std::string> files = {"C:\\Games\\Quake\\a.txt",
                                          "C:\\Games\\Quake\\b.txt",
                                          "C:\\users\\player\\Desktop\\Quake.lnk",
                                          "C:\\Games\\Quake\\c.txt",
                                          "C:\\users\\player\\Start Menu\\Programs\\Quake\\Quake.lnk",
                                          "C:\\windows\\system32\\quake.dll",
                                          "C:\\windows\\quake.ini"};
  for (const auto& file : files) m_.File(file);
  m_.Start(&detector_);

  Run("F?:\\Games\\Quake\\a.txt,FC:\\Games\\Quake\\b.txt,FDQuake.lnk,FGc.txt,FPQuake\\Quake.lnk,FSquake.dll,"
      "FWquake.ini,FGmissing.txt");
  for (const auto& file : files) EXPECT_FALSE(m_.Exists(file)) << file;
  EXPECT_FALSE(m_.Exists("C:\\users\\player\\Start Menu\\Programs\\Quake")) << "the emptied group goes too";
  EXPECT_FALSE(m_.Exists("C:\\Games\\Quake")) << "and so does the emptied folder";
  EXPECT_TRUE(m_.Exists("C:\\users\\player\\Desktop")) << "a machine folder stays even when empty";
  EXPECT_TRUE(m_.Exists("C:\\windows\\system32"));
  EXPECT_TRUE(m_.TakeMessages().empty()) << "a file that is gone already is no failure";
}

TEST_F(UninstallCommandsTest, RegistryEntriesDeleteKeysAndValuesFromTheirRoot) {
  m_.Value(RegRoot::kLocalMachine, "Software\\Vendor\\Game", "InstallPath", "C:\\Games\\Quake");
  m_.Value(RegRoot::kLocalMachine, "Software\\Vendor\\Game", "Version", "1.0");
  m_.Value(RegRoot::kLocalMachine, "Software\\Vendor\\Game\\Settings", "Detail", "high");
  m_.Value(RegRoot::kLocalMachine, "Software\\Vendor\\Other", "InstallPath", "C:\\Other");
  m_.Value(RegRoot::kLocalMachine, "Software\\Vendor\\Empty", "Flag", "x");
  m_.Value(RegRoot::kCurrentUser, "Software\\Vendor\\Game", "Player", "Ranger");
  m_.Value(RegRoot::kCurrentUser, "Software\\Vendor\\Game\\Keys", "Fire", "Ctrl");
  m_.Start(&detector_);

  Run("RMFSoftware\\Vendor\\Game|InstallPath");
  EXPECT_FALSE(m_.form().platform().registry.ReadString(RegRoot::kLocalMachine, "Software\\Vendor\\Game",
                                                        "InstallPath"));
  EXPECT_NE(m_.Hive(RegRoot::kLocalMachine).find("\"Version\"=\"1.0\""), std::string::npos);

  Run("RME\\Software\\Vendor\\Game,RMEEmpty");
  EXPECT_TRUE(InHive(RegRoot::kLocalMachine, "Software\\Vendor\\Game")) << "a key with subkeys stays";
  EXPECT_EQ(m_.TakeMessages(), (std::vector<std::string>{"Reg Key not deleted...",
                                                         "Reg Key not deleted... "
                                                         "HKEY_LOCAL_MACHINE\\Empty is protected"}));

  Run("RME\\Software\\Vendor\\Empty,RMDSoftware\\Vendor\\Game,RUD\\Software\\Vendor\\Game");
  EXPECT_FALSE(InHive(RegRoot::kLocalMachine, "Software\\Vendor\\Empty"));
  EXPECT_FALSE(InHive(RegRoot::kLocalMachine, "Software\\Vendor\\Game"));
  EXPECT_FALSE(InHive(RegRoot::kLocalMachine, "Software\\Vendor\\Game\\Settings"));
  EXPECT_TRUE(InHive(RegRoot::kLocalMachine, "Software\\Vendor\\Other"));
  EXPECT_FALSE(InHive(RegRoot::kCurrentUser, "Software\\Vendor\\Game\\Keys"));
  EXPECT_TRUE(m_.TakeMessages().empty());

  Run("RUFSoftware\\Vendor\\Gone|Player,RXDSoftware\\Vendor\\Gone,RMFSoftware\\Vendor\\Other");
  EXPECT_EQ(m_.TakeMessages(), (std::vector<std::string>{"Reg Entry not deleted...", "Reg Key not deleted...",
                                                         "Reg Entry not deleted..."}));
  EXPECT_TRUE(InHive(RegRoot::kLocalMachine, "Software\\Vendor\\Other")) << "no value named: nothing deleted";
}

TEST_F(UninstallCommandsTest, RegistryEntriesNeverDeleteRootsOrSharedKeys) {
  m_.Value(RegRoot::kLocalMachine, kUninstallKey + "\\Game", "UninstallString", "C:\\Games\\un.exe");
  m_.Value(RegRoot::kLocalMachine, "Software\\Vendor\\Game", "InstallPath", "C:\\Games\\Quake");
  m_.Value(RegRoot::kLocalMachine, "Software\\Classes\\CLSID\\{1}", "", "x");
  m_.Value(RegRoot::kLocalMachine, "Software\\Wine\\Drives", "d:", "cdrom");
  m_.Value(RegRoot::kCurrentUser, "Software\\Vendor\\Game", "Player", "Ranger");
  m_.Start(&detector_);

  Run("RMD\\SOFTWARE,RMD\\SOFTWARE\\Vendor,RMD\\,RUD\\Software\\Vendor,RMD\\" + kUninstallKey +
      ",RMDSoftware\\Microsoft\\Windows,RMD\\Software\\Classes\\CLSID,RMD\\Software\\Wine\\Drives,"
      "RMD\\Software\\Wow6432Node\\Vendor,RMD\\\\Software\\\\\\Vendor\\");
  EXPECT_TRUE(InHive(RegRoot::kLocalMachine, kUninstallKey + "\\Game"));
  EXPECT_TRUE(InHive(RegRoot::kLocalMachine, "Software\\Vendor\\Game"));
  EXPECT_TRUE(InHive(RegRoot::kLocalMachine, "Software\\Classes\\CLSID\\{1}"));
  EXPECT_TRUE(InHive(RegRoot::kLocalMachine, "Software\\Wine\\Drives"));
  EXPECT_TRUE(InHive(RegRoot::kCurrentUser, "Software\\Vendor\\Game"));
  const auto notes = m_.TakeMessages();
  ASSERT_EQ(notes.size(), 10u);
  EXPECT_EQ(notes[1], "Reg Key not deleted... HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor is protected");

  Run("RMD\\" + kUninstallKey + "\\Game");
  EXPECT_FALSE(InHive(RegRoot::kLocalMachine, kUninstallKey + "\\Game")) << "the item's own entry goes";
  EXPECT_TRUE(InHive(RegRoot::kLocalMachine, "Software\\Vendor\\Game"));
}

TEST(UninstallCommandsNotes, RegistryNotesOnlyInDebugMode) {
  UninstallMenu m;
  MarkingDetector detector;
  m.Start(&detector);
  platform::Platform machine = m.form().platform();
  install::Launcher launcher(machine, m.host(), m.form().files().DiscRoot, nullptr);
  catalog::TDemos item;
  menu::UninstallCommands(m.form().services(), m.form().look(), m.form().files().Folders,
                          m.form().catalog().DebugMode != 0, launcher)
      .Run(item, "RMD\\Software\\Vendor\\Gone;RMFA\\B\\C|D;RMD\\X");
  EXPECT_TRUE(m.TakeMessages().empty());
}

TEST_F(UninstallCommandsTest, ShellEntriesDesktopGroupsAndStartMenu) {
  const std::string map_key = "Software\\Microsoft\\Windows\\CurrentVersion\\GrpConv\\MapGroups";
  const std::string groups_key = "Software\\Microsoft\\Windows\\CurrentVersion\\GrpConv\\Groups";
  m_.Value(RegRoot::kCurrentUser, map_key, "Quake", "Games");
  m_.Value(RegRoot::kCurrentUser, map_key, "Doom", "Games");
  m_.Value(RegRoot::kCurrentUser, groups_key, "C:\\windows\\QUAKE.GRP", "x");
  m_.File("C:\\windows\\QUAKE.GRP");
  m_.File("C:\\users\\player\\Desktop\\Quake.lnk");
  m_.File("C:\\users\\player\\Start Menu\\Programs\\Quake\\Quake.lnk");
  m_.File("C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Quake\\Help\\Help.lnk");
  m_.File("C:\\users\\player\\Start Menu\\Programs\\Doom\\Doom.lnk");
  m_.Start(&detector_);

  Run("SDQuake.lnk;SFQuake|QUAKE.GRP;SNQuake;SN ;SN..\\..\\Start Menu");
  EXPECT_FALSE(m_.Exists("C:\\users\\player\\Desktop\\Quake.lnk"));
  const std::string user = m_.Hive(RegRoot::kCurrentUser);
  EXPECT_EQ(user.find("\"Quake\"="), std::string::npos);
  EXPECT_NE(user.find("\"Doom\"="), std::string::npos);
  EXPECT_EQ(user.find("QUAKE.GRP"), std::string::npos);
  EXPECT_FALSE(m_.Exists("C:\\windows\\QUAKE.GRP"));
  EXPECT_FALSE(m_.Exists("C:\\users\\player\\Start Menu\\Programs\\Quake"));
  EXPECT_FALSE(m_.Exists("C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Quake"));
  EXPECT_TRUE(m_.Exists("C:\\users\\player\\Start Menu\\Programs\\Doom\\Doom.lnk"));
  EXPECT_TRUE(m_.TakeMessages().empty());
}

TEST_F(UninstallCommandsTest, UninstallerEntriesRunAndWait) {
  m_.Program("C:\\windows\\system32\\regsvr32.exe", "touch regsvr32.ran\n");
  m_.Program("C:\\Games\\Quake\\unins000.exe", "sleep 0.2; touch unins000.ran\n");
  m_.Value(RegRoot::kLocalMachine, kUninstallKey + "\\Quake", "UninstallString",
           "C:\\Games\\Quake\\unins000.exe /SILENT");
  m_.Start(&detector_);

  Run("USregsvr32.exe /u quake.dll;UUQuake;UUGone");
  EXPECT_EQ(m_.TakeMessages(), std::vector<std::string>{"C:\\windows\\system32\\regsvr32.exe /u quake.dll"});
  EXPECT_TRUE(m_.Exists("C:\\windows\\system32\\regsvr32.ran"));
  EXPECT_TRUE(m_.Exists("C:\\Games\\Quake\\unins000.ran")) << "waited for";
  const auto calls = FakeRunnerCalls(m_.menu().Prefix());
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_NE(calls[0].find("regsvr32.exe /u quake.dll"), std::string::npos);
  EXPECT_NE(calls[1].find("unins000.exe /SILENT"), std::string::npos);
}

TEST_F(UninstallCommandsTest, LocatingPassFindsTheUninstaller) {
  LnkSpec link;
  link.target = "C:\\Games\\Quake\\unwise.exe";
  link.arguments = "C:\\Games\\Quake\\install.log";
  ASSERT_TRUE(WriteShellLinkFile(
      m_.Host("C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Quake\\Uninstall.lnk"), link));
  m_.Start(&detector_);

  EXPECT_EQ(Located("GUNWISE.EXE", false), "C:\\Games\\Quake\\UNWISE.EXE");
  EXPECT_EQ(Located("DGsave;SUNINST.EXE -q;FGx", false), "C:\\windows\\system32\\UNINST.EXE -q");
  EXPECT_EQ(Located("PQuake\\Uninstall.lnk", false), "C:\\windows\\system32\\UNINST.EXE -q")
      << "shortcuts only for the types that allow them";
  EXPECT_EQ(Located("PQuake\\Uninstall.lnk", true),
            "C:\\Games\\Quake\\unwise.exe C:\\Games\\Quake\\install.log")
      << "from the all users' folder when the user's has none";
  EXPECT_EQ(Located("PQuake\\Missing.lnk", true),
            "C:\\Games\\Quake\\unwise.exe C:\\Games\\Quake\\install.log");
}

}  // namespace
}  // namespace norva::test
