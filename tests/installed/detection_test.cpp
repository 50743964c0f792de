// Installed detection on a scratch Wine machine: each InstallType and DirDetect method finds (or misses) an
// item that an installer left behind, and the store ends up with exactly the text other issues read.
#include "installed/detection.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include "install/lnk_writer.h"
#include "installed/test_machine.h"
#include "support/fake_runner.h"

namespace norva::installed {
namespace {

using catalog::TDemos;
using platform::RegRoot;

constexpr std::string_view kUninstall = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

TDemos Item(std::string name, int install_type, int dir_detect, std::string game_name) {
  TDemos item;
  item.Name = std::move(name);
  item.InstallType = install_type;
  item.DirDetect = dir_detect;
  item.GameName = std::move(game_name);
  item.InstallDir = "D:\\DEMOS\\Game";
  item.CD = 1;
  return item;
}

struct State {
  int NotInstalled, Runnable, Installed;
  bool operator==(const State&) const = default;
};

State StateOf(const TDemos& item) {
  return {item.NotInstalled, item.Runnable, item.Installed};
}

void PrintTo(const State& s, std::ostream* os) {
  *os << "{NotInstalled " << s.NotInstalled << ", Runnable " << s.Runnable << ", Installed " << s.Installed
      << "}";
}

constexpr State kPresent{0, 1, 1};
constexpr State kAbsent{1, 0, 0};

class DetectionTest : public ::testing::Test {
 protected:
  Detector MakeDetector(std::string issue_code = "0206") {
    return Detector(machine_.Platform(), machine_.Folders(), machine_.Store(), "D:", std::move(issue_code),
                    platform::CodePage::kCentralEuropean);
  }
  std::string Stored(std::string_view section, std::string_view key) {
    return machine_.Store().ReadString(section, key, "<none>");
  }

  test::TestMachine machine_;
};

TEST_F(DetectionTest, RecordedFolderCountsWhileTheProgramIsThere) {
  Detector detector = MakeDetector();
  machine_.WriteFile("C:\\windows\\norva.ini",
                     "[CD0105]\r\nGAME=C:\\Games\\Game\r\nGAME_=GAME.EXE,Game,,\r\n"
                     "[CD0206]\r\nGAME=C:\\Games\\Game\\\r\n");
  machine_.WriteFile("C:\\Games\\Game\\GAME.EXE", "MZ");
  machine_.SetRegistry(RegRoot::kLocalMachine, std::string(kUninstall) + "Game", "UninstallString",
                       "C:\\Games\\Game\\unins000.exe");
  TDemos item = Item("GAME", 2, 0, "GAME.EXE");
  item.RegUninstall = "Game";

  detector.CheckDemo(item);
  EXPECT_EQ(StateOf(item), kPresent);
  EXPECT_EQ(item.InstalledDir, "C:\\Games\\Game");
  EXPECT_EQ(item.UnInstallName, "C:\\Games\\Game\\unins000.exe");
  EXPECT_EQ(machine_.StoreText(),
            "[CD0105]\r\nGAME=C:\\Games\\Game\r\nGAME_=GAME.EXE,Game,,\r\n"
            "[CD0206]\r\nGAME=C:\\Games\\Game\r\nGAME_=GAME.EXE,Game,,\r\nGAME__=C:\\Games\\Game\\unins000."
            "exe\r\n");

  // Deleted by hand: the item is offered for install again and its keys leave this issue's section only.
  machine_.RemoveFile("C:\\Games\\Game\\GAME.EXE");
  detector.CheckDemo(item);
  EXPECT_EQ(StateOf(item), kAbsent);
  EXPECT_EQ(item.InstalledDir, "C:\\Games\\Game");
  EXPECT_EQ(machine_.StoreText(),
            "[CD0105]\r\nGAME=C:\\Games\\Game\r\nGAME_=GAME.EXE,Game,,\r\n[CD0206]\r\n");
}

TEST_F(DetectionTest, AnotherIssuesRecordIsNotThisIssuesInstall) {
  machine_.WriteFile("C:\\windows\\norva.ini", "[CD0105]\r\nGAME=C:\\Games\\Game\r\nGAME_=GAME.EXE,,,\r\n");
  machine_.WriteFile("C:\\Games\\Game\\GAME.EXE", "MZ");
  Detector detector = MakeDetector("0206");
  TDemos item = Item("GAME", 3, 0, "GAME.EXE");
  detector.CheckDemo(item);
  EXPECT_EQ(StateOf(item), kAbsent);
  EXPECT_EQ(item.InstalledDir, "");
  EXPECT_EQ(machine_.StoreText(), "[CD0105]\r\nGAME=C:\\Games\\Game\r\nGAME_=GAME.EXE,,,\r\n");

  MakeDetector("0105").CheckDemo(item);
  EXPECT_EQ(StateOf(item), kPresent);
}

TEST_F(DetectionTest, RunFileOfProgramListsAndArguments) {
  Detector detector = MakeDetector();
  auto detect = [&](std::string name, std::string game_name, std::uint8_t cd = 1) {
    detector.Store().WriteDirEntry(name, "C:\\Games\\" + name);
    TDemos item = Item(name, 1, 0, std::move(game_name));
    item.CD = cd;
    detector.CheckDemo(item);
    return std::pair(StateOf(item), Stored("CD0206", name + "_"));
  };

  machine_.WriteFile("C:\\Games\\MODES\\GAME.EXE", "MZ");
  EXPECT_EQ(detect("MODES", "GAME.EXE:Normal;GAME3D.EXE:3D"),
            std::pair(kPresent, std::string("GAME.EXE:Normal;GAME3D.EXE:3D,,,")));

  machine_.WriteFile("C:\\Games\\PAIR\\START.EXE", "MZ");
  EXPECT_EQ(detect("PAIR", "START.EXE:SETUP.EXE"), std::pair(kPresent, std::string("START.EXE,,,")));
  machine_.WriteFile("C:\\Games\\PAIR\\SETUP.EXE", "MZ");
  EXPECT_EQ(detect("PAIR", "START.EXE:SETUP.EXE"), std::pair(kPresent, std::string("SETUP.EXE,,,")));
  machine_.RemoveFile("C:\\Games\\PAIR\\START.EXE");
  machine_.RemoveFile("C:\\Games\\PAIR\\SETUP.EXE");
  EXPECT_EQ(detect("PAIR", "START.EXE:SETUP.EXE"), std::pair(kAbsent, std::string("<none>")));

  machine_.WriteFile("C:\\Games\\SAFE\\game.exe", "MZ");
  EXPECT_EQ(detect("SAFE", "game.exe -safe", 12), std::pair(kPresent, std::string("game.exe -safe,,,12")));
  EXPECT_EQ(detect("SAFE", "game.exe -safe", 10), std::pair(kPresent, std::string("game.exe -safe,,,10")));
}

TEST_F(DetectionTest, FindRunFileNamesTheAlternativeWithItsLabel) {
  Detector detector = MakeDetector();
  machine_.WriteFile("C:\\Games\\X\\A.EXE", "MZ");
  TDemos item = Item("X", 2, 0, "A.EXE:Label A;B.EXE:Label B");
  EXPECT_FALSE(detector.FindRunFile(item).found);  // no folder yet
  item.InstalledDir = "C:\\Games\\X";
  const RunFileMatch match = detector.FindRunFile(item);
  EXPECT_TRUE(match.found);
  EXPECT_EQ(match.alternative, "A.EXE:Label A");
  item.GameName = "";
  EXPECT_FALSE(detector.FindRunFile(item).found);
}

TEST_F(DetectionTest, DiscItemsWithATestFile) {
  Detector detector = MakeDetector();
  TDemos item = Item("DISC GAME", 0, 0, "GAME.EXE");
  item.Param = "C:\\Saves\\Disc Game\\SAVE.DAT";
  item.Uninstall = "DGSaves";
  item.CD = 2;

  detector.CheckDemo(item);
  EXPECT_EQ(StateOf(item), (State{0, 1, 0}));
  EXPECT_EQ(item.InstalledDir, "D:\\DEMOS\\Game");
  EXPECT_EQ(machine_.StoreText(), "");

  machine_.WriteFile(item.Param, "save");
  detector.CheckDemo(item);
  EXPECT_EQ(StateOf(item), (State{0, 1, 1}));
  EXPECT_EQ(machine_.StoreText(),
            "[CD0206]\r\nDISC GAME=C:\\Saves\\Disc Game\r\nDISC GAME_=SAVE.DAT,,DGSaves,2\r\n");

  // Detection never takes these entries back; the Installed byte stays as it was.
  machine_.RemoveFile(item.Param);
  item.GameName.clear();
  detector.CheckDemo(item);
  EXPECT_EQ(StateOf(item), (State{0, 0, 1}));
  EXPECT_EQ(Stored("CD0206", "DISC GAME_"), "SAVE.DAT,,DGSaves,2");
}

TEST_F(DetectionTest, DiscOnlyItemsRunFromTheDisc) {
  Detector detector = MakeDetector();
  TDemos item = Item("VIEWER", 20, 5, "VIEW.EXE");
  item.Installed = 1;
  item.NotInstalled = 1;
  detector.CheckDemo(item);
  EXPECT_EQ(StateOf(item), (State{0, 1, 0}));
  EXPECT_EQ(item.InstalledDir, "D:\\DEMOS\\Game");
  EXPECT_EQ(machine_.StoreText(), "");
}

TEST_F(DetectionTest, UninstallEntryNamesTheFolder) {
  Detector detector = MakeDetector();
  // Longer than any fixed buffer: registry values are taken whole.
  const std::string folder = "C:\\Program Files\\" + std::string(100, 'L') + "\\" + std::string(100, 'o') +
                             "\\" + std::string(100, 'n');
  const std::string uninstaller = "C:\\WINDOWS\\UNINST.EXE -f\"" + folder + "\\uninst.log\" -c\"x\"";
  machine_.SetRegistry(RegRoot::kLocalMachine, std::string(kUninstall) + "Long Game", "UninstallString",
                       uninstaller);
  machine_.WriteFile(folder + "\\BIN\\LONG.EXE", "MZ");
  TDemos item = Item("LONG GAME", 4, 0, "BIN\\LONG.EXE");
  item.RegUninstall = "Long Game";
  item.Param = "BIN\\LONG.EXE";

  detector.CheckDemo(item);
  EXPECT_EQ(StateOf(item), kPresent);
  EXPECT_EQ(item.InstalledDir, folder);
  EXPECT_EQ(Stored("CD0206", "LONG GAME"), folder);
  EXPECT_EQ(Stored("CD0206", "LONG GAME__"), uninstaller);

  // "*" keeps the registry's uninstaller out of the record; a missing test file means not installed.
  item.Uninstall = "*DG";
  detector.CheckDemo(item);
  EXPECT_EQ(item.UnInstallName, "");
  EXPECT_EQ(Stored("CD0206", "LONG GAME_"), "BIN\\LONG.EXE,Long Game,*DG,");
  item.Param = "BIN\\MISSING.DAT";
  detector.CheckDemo(item);
  EXPECT_EQ(StateOf(item), kAbsent);
  EXPECT_EQ(item.InstalledDir, "");
  EXPECT_EQ(Stored("CD0206", "LONG GAME"), "<none>");
}

TEST_F(DetectionTest, UninstallKeysWithATrailingBlank) {
  Detector detector = MakeDetector();
  machine_.SetRegistry(RegRoot::kLocalMachine, std::string(kUninstall) + "Starships Unlim. ",
                       "UninstallString", "C:\\SU\\UNINST.EXE -f\"C:\\SU\\uninst.log\"");
  machine_.WriteFile("C:\\SU\\SU.EXE", "MZ");
  TDemos starships = Item("STARSHIPS UNLIM.", 4, 0, "SU.EXE");
  starships.RegUninstall = "Starships Unlim.";
  detector.CheckDemo(starships);
  detector.CheckDemo(starships);
  EXPECT_EQ(starships.RegUninstall, "Starships Unlim. ");
  EXPECT_EQ(StateOf(starships), kPresent);
  EXPECT_EQ(Stored("CD0206", "STARSHIPS UNLIM._"), "SU.EXE,Starships Unlim. ,,");

  machine_.SetRegistry(RegRoot::kLocalMachine, std::string(kUninstall) + "SOF2 ", "UninstallString",
                       "\"C:\\Raven\\SOF2\\Uninstall.exe\" /S");
  machine_.WriteFile("C:\\Raven\\SOF2\\Uninstall.exe", "MZ");
  machine_.WriteFile("C:\\Raven\\SOF2\\SoF2.exe", "MZ");
  for (int install_type : {7, 5}) {
    TDemos sof2 = Item("SOF 2", install_type, install_type == 5 ? 9 : 0, "SoF2.exe");
    sof2.RegUninstall = "SOF2";
    detector.CheckDemo(sof2);
    detector.CheckDemo(sof2);
    EXPECT_EQ(sof2.RegUninstall, "SOF2 ") << install_type;
    EXPECT_EQ(sof2.InstalledDir, "C:\\Raven\\SOF2") << install_type;
    EXPECT_EQ(StateOf(sof2), kPresent) << install_type;
  }
  // Other names keep their key as written.
  TDemos other = Item("OTHER", 7, 0, "SoF2.exe");
  other.RegUninstall = "SOF2";
  detector.CheckDemo(other);
  EXPECT_EQ(other.RegUninstall, "SOF2");
  EXPECT_EQ(StateOf(other), kAbsent);
}

TEST_F(DetectionTest, FolderFromRegistryValues) {
  Detector detector = MakeDetector();
  machine_.SetRegistry(RegRoot::kLocalMachine, "SOFTWARE\\Vendor\\Machine Game", "Path",
                       "C:\\Games\\MachineGame\\GAME.EXE");
  machine_.SetRegistry(RegRoot::kCurrentUser, "SOFTWARE\\Vendor\\User Game", "Folder", "C:\\Games\\UserGame");
  machine_.WriteFile("C:\\Games\\MachineGame\\GAME.EXE", "MZ");
  machine_.WriteFile("C:\\Games\\UserGame\\GAME.EXE", "MZ");

  TDemos machine_game = Item("MACHINE GAME", 5, 2, "GAME.EXE");
  machine_game.RegKey = "Vendor\\Machine Game";
  machine_game.RegName = "Path";
  detector.CheckDemo(machine_game);
  EXPECT_EQ(machine_game.InstalledDir, "C:\\Games\\MachineGame");
  EXPECT_EQ(StateOf(machine_game), kPresent);

  TDemos user_game = Item("USER GAME", 4, 4, "GAME.EXE");
  user_game.RegKey = "Vendor\\User Game";
  user_game.RegName = "Folder";
  detector.CheckDemo(user_game);
  EXPECT_EQ(user_game.InstalledDir, "C:\\Games\\UserGame");
  EXPECT_EQ(StateOf(user_game), kPresent);

  // The same value under the other root is not looked at.
  user_game.DirDetect = 2;
  detector.CheckDemo(user_game);
  EXPECT_EQ(StateOf(user_game), kAbsent);
}

TEST_F(DetectionTest, FolderFromTheUninstallerOnlyReadOnce) {
  Detector detector = MakeDetector();
  const std::string key = std::string(kUninstall) + "Tool";
  machine_.SetRegistry(RegRoot::kLocalMachine, key, "UninstallString", "C:\\Tools\\Tool\\remove.exe /quiet");
  machine_.WriteFile("C:\\Tools\\Tool\\remove.exe", "MZ");
  machine_.WriteFile("C:\\Tools\\Tool\\TOOL.EXE", "MZ");
  machine_.WriteFile("C:\\Tools\\Moved\\TOOL.EXE", "MZ");
  TDemos item = Item("TOOL", 5, 7, "TOOL.EXE");
  item.RegUninstall = "Tool";
  detector.CheckDemo(item);
  EXPECT_EQ(item.InstalledDir, "C:\\Tools\\Tool");
  EXPECT_EQ(Stored("CD0206", "TOOL__"), "C:\\Tools\\Tool\\remove.exe /quiet");

  // Once read, the uninstaller is kept for the rest of the run.
  machine_.SetRegistry(RegRoot::kLocalMachine, key, "UninstallString", "C:\\Tools\\Moved\\remove.exe");
  detector.CheckDemo(item);
  EXPECT_EQ(item.InstalledDir, "C:\\Tools\\Tool");

  TDemos logged = Item("LOGGED", 5, 1, "TOOL.EXE");
  logged.UnInstallName = "C:\\WINDOWS\\UNINST.EXE -f\"C:\\Tools\\Moved\\uninst.log\"";
  detector.CheckDemo(logged);
  EXPECT_EQ(logged.InstalledDir, "C:\\Tools\\Moved");
  EXPECT_EQ(StateOf(logged), kPresent);
}

TEST_F(DetectionTest, FolderFromAStartMenuShortcut) {
  Detector detector = MakeDetector();
  const std::string user_link = machine_.Folders().UserProgramsDir + "Game\\Play Game.lnk";
  const std::string common_link = machine_.Folders().CommonProgramsDir + "Game\\Play Game.lnk";
  auto link = [](std::string dir) {
    test::LnkSpec lnk;
    lnk.target = dir + "\\GAME.EXE";
    lnk.working_dir = dir;
    return test::WriteShellLink(lnk);
  };
  machine_.WriteFile("C:\\Games\\ForAll\\GAME.EXE", "MZ");
  machine_.WriteFile("C:\\Games\\Mine\\GAME.EXE", "MZ");
  machine_.WriteFile("C:\\Games\\Recorded\\GAME.EXE", "MZ");
  auto detect = [&] {
    TDemos item = Item("GAME", 5, 3, "GAME.EXE");
    item.Param = "Game\\Play Game.lnk";
    detector.CheckDemo(item);
    EXPECT_EQ(StateOf(item), kPresent);
    return item.InstalledDir;
  };

  // Neither shortcut: the folder an install recorded.
  detector.Store().WriteDirEntry("GAME", "C:\\Games\\Recorded");
  EXPECT_EQ(detect(), "C:\\Games\\Recorded");

  machine_.WriteFile(common_link, link("C:\\Games\\ForAll"));
  EXPECT_EQ(detect(), "C:\\Games\\ForAll");
  EXPECT_EQ(Stored("CD0206", "GAME"), "C:\\Games\\ForAll");

  // A file in the user's folder that is no shortcut counts as unreadable; a real one wins.
  machine_.WriteFile(user_link, "not a shortcut");
  EXPECT_EQ(detect(), "C:\\Games\\ForAll");
  machine_.WriteFile(user_link, link("C:\\Games\\Mine"));
  EXPECT_EQ(detect(), "C:\\Games\\Mine");
  EXPECT_EQ(Stored("CD0206", "GAME_"), "GAME.EXE,,,");
}

TEST_F(DetectionTest, FindsWhatASetupRunLeftBehind) {
  Detector detector = MakeDetector();
  auto space_game = [](int install_type, int dir_detect) {
    TDemos item = Item("SPACE GAME", install_type, dir_detect, "SPACE.EXE");
    item.InstallDir = "D:\\DEMOS\\Space";
    item.RegUninstall = "Space Game";
    item.Param = "Space Game\\Space Game.lnk";
    return item;
  };
  TDemos by_shortcut = space_game(5, 3);
  detector.CheckDemo(by_shortcut);
  EXPECT_EQ(StateOf(by_shortcut), kAbsent);

  // The setup copies the program, registers its uninstaller and puts the shortcut (kept beside it on the
  // disc) into the user's Start menu.
  test::LnkSpec link;
  link.target = "C:\\Program Files\\Space Game\\SPACE.EXE";
  link.working_dir = "C:\\Program Files\\Space Game";
  machine_.WriteFile("D:\\DEMOS\\Space\\Space Game.lnk", test::WriteShellLink(link));
  const std::string uninstaller =
      "C:\\Program Files\\Space Game\\UNINST.EXE -f\"C:\\Program Files\\Space Game\\uninst.log\"";
  test::WriteWindowsProgram(
      machine_.HostOf("D:\\DEMOS\\Space\\SETUP.EXE"),
      "game=\"$WINEPREFIX/drive_c/Program Files/Space Game\"\n"
      "mkdir -p \"$game\" && echo MZ > \"$game/SPACE.EXE\" && echo MZ > \"$game/UNINST.EXE\"\n"
      "menu=\"$WINEPREFIX/drive_c/users/player/Start Menu/Programs/Space Game\"\n"
      "mkdir -p \"$menu\" && cp 'Space Game.lnk' \"$menu/\"\n" +
          test::UninstallEntryScript("Space Game",
                                     {{"DisplayName", "Space Game"}, {"UninstallString", uninstaller}}));
  auto& processes = machine_.Platform().processes;
  const auto setup = processes.Create("D:\\DEMOS\\Space\\SETUP.EXE", "D:\\DEMOS\\Space\\", 1, true);
  ASSERT_TRUE(setup.has_value());
  processes.Wait(*setup);
  ASSERT_EQ(processes.ExitCode(*setup), 0);
  processes.Close(*setup);

  for (TDemos item : {by_shortcut, space_game(4, 0), space_game(4, 1), space_game(5, 7)}) {
    item.Param = item.DirDetect == 3 ? item.Param : "";
    detector.CheckDemo(item);
    EXPECT_EQ(StateOf(item), kPresent) << item.InstallType << "/" << item.DirDetect;
    EXPECT_EQ(item.InstalledDir, "C:\\Program Files\\Space Game")
        << item.InstallType << "/" << item.DirDetect;
  }
  EXPECT_EQ(machine_.StoreText(),
            "[CD0206]\r\n"
            "SPACE GAME=C:\\Program Files\\Space Game\r\n"
            "SPACE GAME_=SPACE.EXE,Space Game,,\r\n"
            "SPACE GAME__=" +
                uninstaller + "\r\n");
}

TEST_F(DetectionTest, FolderFromPrivateIniAndTextFiles) {
  Detector detector = MakeDetector();
  machine_.WriteFile("C:\\windows\\game.ini", "[Paths]\r\nDir=C:\\Games\\IniGame\\\r\n");
  machine_.WriteFile("C:\\Games\\IniGame\\GAME.EXE", "MZ");
  for (std::string param : {"game,Paths,Dir", "GAME.INI;Paths;Dir", "C:\\windows\\game.ini,Paths,Dir"}) {
    TDemos item = Item("INI GAME", 5, 6, "GAME.EXE");
    item.Param = param;
    detector.CheckDemo(item);
    EXPECT_EQ(item.InstalledDir, "C:\\Games\\IniGame") << param;
    EXPECT_EQ(StateOf(item), kPresent) << param;
  }
  TDemos missing = Item("INI GAME", 5, 6, "GAME.EXE");
  missing.Param = "nothere.ini,Paths,Dir";
  detector.CheckDemo(missing);
  EXPECT_EQ(StateOf(missing), kAbsent);

  // The first line of a text file below the Windows folder, whatever its length.
  const std::string folder = "C:\\Games\\" + std::string(150, 't') + "\\" + std::string(150, 'x');
  machine_.WriteFile("C:\\windows\\Vendor\\path.txt", folder + "\r\nsecond line\r\n");
  machine_.WriteFile(folder + "\\GAME.EXE", "MZ");
  TDemos text = Item("TEXT GAME", 4, 10, "GAME.EXE");
  text.Param = "Vendor\\path.txt";
  detector.CheckDemo(text);
  EXPECT_EQ(text.InstalledDir, folder);
  EXPECT_EQ(StateOf(text), kPresent);
  // Without the file the folder of the last detection stays.
  text.Param = "Vendor\\gone.txt";
  text.InstallType = 5;
  detector.CheckDemo(text);
  EXPECT_EQ(text.InstalledDir, folder);
}

TEST_F(DetectionTest, PrivateFilesAreReadOnlyWhereAWindowsProgramWouldName) {
  Detector detector = MakeDetector();
  machine_.WriteFile("C:\\Games\\IniGame\\GAME.EXE", "MZ");
  // An INI-shaped file that is no INI file: the name test must see the file really read.
  machine_.WriteFile("C:\\windows\\credentials", "[default]\r\nDir=C:\\Games\\IniGame\r\n");
  // A host file reached through Wine's drive of the whole host.
  const std::filesystem::path host_ini = machine_.Prefix() / "host.ini";
  std::ofstream(host_ini) << "[default]\r\nDir=C:\\Games\\IniGame\r\n";
  const std::filesystem::path z = machine_.Prefix() / "prefix" / "dosdevices" / "z:";
  if (!std::filesystem::is_symlink(z)) std::filesystem::create_directory_symlink("/", z);  // as Wine makes it
  std::string host_dos = "Z:" + host_ini.string();
  std::replace(host_dos.begin(), host_dos.end(), '/', '\\');
  for (const std::string& param :
       {std::string("x.ini\\..\\credentials,default,Dir"), host_dos + ",default,Dir"}) {
    TDemos item = Item("INI GAME", 5, 6, "GAME.EXE");
    item.Param = param;
    detector.CheckDemo(item);
    EXPECT_EQ(item.InstalledDir, "") << param;
    EXPECT_EQ(StateOf(item), kAbsent) << param;
  }
}

TEST_F(DetectionTest, FolderRecordedByAnInstall) {
  Detector detector = MakeDetector();
  detector.Store().WriteDirEntry("FOUND", "C:\\Found");
  machine_.WriteFile("C:\\Found\\FOUND.EXE", "MZ");
  for (int dir_detect : {5, 8}) {
    TDemos item = Item("FOUND", 5, dir_detect, "FOUND.EXE");
    detector.CheckDemo(item);
    EXPECT_EQ(StateOf(item), kPresent) << dir_detect;
  }
  // Methods outside 1..10 look nowhere.
  for (int dir_detect : {0, -1, 11}) {
    TDemos item = Item("FOUND", 5, dir_detect, "FOUND.EXE");
    detector.CheckDemo(item);
    EXPECT_EQ(item.InstalledDir, "") << dir_detect;
    EXPECT_EQ(StateOf(item), kAbsent) << dir_detect;
    detector.Store().WriteDirEntry("FOUND", "C:\\Found");
  }
}

TEST_F(DetectionTest, SierraFolder) {
  Detector detector = MakeDetector();
  machine_.WriteFile("C:\\Sierra\\Quest\\QUEST.EXE", "MZ");
  TDemos item = Item("QUEST", 6, 0, "Quest\\QUEST.EXE");
  detector.CheckDemo(item);
  EXPECT_EQ(StateOf(item), kAbsent);

  machine_.WriteFile("C:\\windows\\sierra.ini", "[Sierra]\r\nSierraDir=C:\\Sierra\r\n");
  detector.CheckDemo(item);
  EXPECT_EQ(item.InstalledDir, "C:\\Sierra");
  EXPECT_EQ(StateOf(item), kPresent);

  // A folder on the disc's drive (any letter case) or one that is gone does not count.
  machine_.WriteFile("D:\\Sierra\\Quest\\QUEST.EXE", "MZ");
  for (std::string dir : {"D:\\Sierra", "d:\\Sierra", "C:\\Gone"}) {
    machine_.WriteFile("C:\\windows\\sierra.ini", "[Sierra]\r\nSierraDir=" + dir + "\r\n");
    detector.CheckDemo(item);
    EXPECT_EQ(item.InstalledDir, "") << dir;
    EXPECT_EQ(StateOf(item), kAbsent) << dir;
  }
}

TEST_F(DetectionTest, UninstallerPrefixesExpandOnce) {
  Detector detector = MakeDetector();
  TDemos on_disc = Item("ON DISC", 99, 0, "X.EXE");
  on_disc.UnInstallName = "?I..\\Tools\\.\\UNINST.EXE";
  detector.CheckDemo(on_disc);
  EXPECT_EQ(on_disc.UnInstallName, "D:\\DEMOS\\Tools\\UNINST.EXE");
  detector.CheckDemo(on_disc);
  EXPECT_EQ(on_disc.UnInstallName, "D:\\DEMOS\\Tools\\UNINST.EXE");

  TDemos in_windows = Item("IN WINDOWS", 99, 0, "X.EXE");
  in_windows.UnInstallName = "?W..\\windows\\UNWISE.EXE /A ..\\INSTALL.LOG";
  detector.CheckDemo(in_windows);
  EXPECT_EQ(in_windows.UnInstallName, "C:\\windows\\UNWISE.EXE /A ..\\INSTALL.LOG");
}

TEST_F(DetectionTest, AStoreThatCannotBeWrittenStillGivesTheState) {
  auto nowhere = machine_.Platform().ini.Open("Q:\\norva.ini");
  Detector detector(machine_.Platform(), machine_.Folders(), *nowhere, "D:", "0206",
                    platform::CodePage::kCentralEuropean);
  machine_.SetRegistry(RegRoot::kLocalMachine, std::string(kUninstall) + "Game", "UninstallString",
                       "C:\\Game\\UNINST.EXE -f\"C:\\Game\\uninst.log\"");
  machine_.WriteFile("C:\\Game\\GAME.EXE", "MZ");
  TDemos item = Item("GAME", 4, 1, "GAME.EXE");
  item.RegUninstall = "Game";
  detector.CheckDemo(item);
  EXPECT_EQ(StateOf(item), kPresent);
  EXPECT_EQ(item.InstalledDir, "C:\\Game");
  machine_.RemoveFile("C:\\Game\\GAME.EXE");
  detector.CheckDemo(item);
  EXPECT_EQ(StateOf(item), kAbsent);
}

}  // namespace
}  // namespace norva::installed
