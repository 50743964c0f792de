// The install procedure end to end: setups are shell scripts run by the fake runner in a scratch prefix, as
// installers run under Wine; each install ends with what detection writes into the store.
#include "menu/installer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "menu/actions.h"
#include "menu/install_menu.h"
#include "menu/page_kinds.h"
#include "rar4_writer.h"
#include "support/fake_runner.h"
#include "support/temp_dir.h"

namespace norva::test {
namespace {

namespace fs = std::filesystem;
using namespace norva::menu;

const char* const kCatalog =
    "Demos=8\r\n"
    "[Demo1]\r\nName=CASTLE\r\nInstallDir=Castle\r\nInstallName=castle.exe\r\nSetupName=setup.exe\r\n"
    "GameName=castle.exe\r\nInstallType=0\r\nTestName=C:\\windows\\castle.ini\r\n"
    "[Demo2]\r\nName=ARCHIVE\r\nInstallDir=Archive\r\nInstallName=game.rar\r\nSetupName=config.exe\r\n"
    "GameName=game.exe\r\nInstallType=2\r\nUnpackedSize=0\r\n"
    "[Demo3]\r\nName=FORCED\r\nInstallDir=Forced\r\nInstallName=game.rar\r\nGameName=game.exe\r\n"
    "InstallType=3\r\nForcedDir=?:\\Hry\\Forced\r\n"
    "[Demo4]\r\nName=POLLED\r\nInstallDir=Polled\r\nInstallName=setup.exe\r\nGameName=game.exe\r\n"
    "InstallType=4\r\nRegUninstall=Polled\r\n"
    "[Demo5]\r\nName=SEARCHED\r\nInstallDir=Searched\r\nInstallName=setup.exe\r\nGameName=game.exe\r\n"
    "InstallType=5\r\nDirDetect=8\r\nSearchFile=game.exe,3,C:\\GAMES\\X\r\n"
    "[Demo6]\r\nName=PACKAGE\r\nInstallDir=Package\r\nInstallName=setup.msi\r\nGameName=game.exe\r\n"
    "InstallType=5\r\n"
    "[Demo7]\r\nName=WAITED\r\nInstallDir=Waited\r\nInstallName=setup.exe\r\nGameName=game.exe\r\n"
    "InstallType=10\r\n"
    "[Demo8]\r\nName=NECROMANIA\r\nInstallDir=Necro\r\nInstallName=game.rar\r\nGameName=game.exe\r\n"
    "InstallType=2\r\n";

std::string GameArchive() {
  tools::Rar4Writer writer;
  writer.AddFile("game.exe", "exit 0\n", 0);
  writer.AddFile("config.exe", "echo configured > configured.txt\n", 0);
  std::string error;
  return writer.Build(&error)->front();
}

class InstallerTest : public ::testing::Test {
 protected:
  InstallerTest() : m_(kCatalog, /*run_programs=*/true) {
    Program("DEMOS/Castle/setup.exe", "echo setup > \"$WINEPREFIX/drive_c/castle-setup.txt\"\n");
    Program("DEMOS/Castle/castle.exe", "echo played > \"$WINEPREFIX/drive_c/windows/castle.ini\"\n");
    m_.DiscFile("DEMOS/Archive/game.rar", GameArchive());
    m_.DiscFile("DEMOS/Forced/game.rar", GameArchive());
    m_.DiscFile("DEMOS/Necro/game.rar", GameArchive());
    Program(
        "DEMOS/Polled/setup.exe",
        "sleep 1\nmkdir -p \"$WINEPREFIX/drive_c/POLL\"\necho x > \"$WINEPREFIX/drive_c/POLL/game.exe\"\n" +
            UninstallEntryScript("Polled",
                                 {{"UninstallString", "C:\\windows\\un.exe -f\"C:\\POLL\\un.log\""}}));
    Program("DEMOS/Searched/setup.exe",
            "mkdir -p \"$WINEPREFIX/drive_c/Deep/Er\"\necho x > \"$WINEPREFIX/drive_c/Deep/Er/GAME.EXE\"\n");
    Program("DEMOS/Waited/setup.exe", "echo waited > \"$WINEPREFIX/drive_c/waited.txt\"\n");
  }
  void Program(const std::string& relative, const std::string& script) {
    WriteWindowsProgram(m_.t.disc().path() / relative, script);
  }
  catalog::TDemos& Demo(int index) {
    m_.Select(index);
    return m_.form().catalog().Demo[index];
  }
  // The chooser answers with `folder` (empty: as it is) and Yes to its question.
  void ChooseFolder(const std::string& folder) {
    m_.host().on_chooser = [folder](DirChooser& chooser) {
      if (!folder.empty()) chooser.EditChange(folder);
      chooser.FormActivate();
      chooser.OKButtonClick();
    };
    m_.host().answers.push_back(MessageAnswer::kYes);
  }

  InstallMenu m_;
};

TEST_F(InstallerTest, DiscProgramsRunSetupAndAreFoundByTheirTestFile) {
  m_.Start();
  m_.form().installer().InstallProc(Demo(1));
  EXPECT_TRUE(fs::exists(m_.C("C:\\castle-setup.txt")));
  EXPECT_EQ(m_.LastLaunch(), "create D:\\DEMOS\\Castle\\setup.exe|D:\\DEMOS\\Castle\\|wait");
  EXPECT_EQ(m_.StoreText().find("CASTLE"), std::string::npos);

  // Running it waits and detects again: the program left its test file.
  m_.form().controls().PlayImage->OnClick();
  EXPECT_EQ(m_.form().catalog().Demo[1].Installed, 1);
  EXPECT_NE(m_.StoreText().find("CASTLE=C:\\windows\r\nCASTLE_=castle.ini,,,"), std::string::npos)
      << m_.StoreText();
}

TEST_F(InstallerTest, ArchivesUnpackIntoTheChosenFolderAndRunTheirSetupThere) {
  m_.Start();
  ChooseFolder("C:\\GAMES\\DEMO");
  m_.Select(2);
  m_.t.Hover("PlayImage");
  EXPECT_EQ(m_.form().controls().HelpLabel->caption, "INSTALL");
  m_.form().controls().PlayImage->OnClick();
  auto& item = m_.form().catalog().Demo[2];
  EXPECT_EQ(m_.form().controls().HelpLabel->caption, "RUN") << "the help follows the installed item";
  EXPECT_EQ(item.InstalledDir, "C:\\GAMES\\DEMO");
  EXPECT_EQ(item.Installed, 1);
  EXPECT_EQ(TempDir::ReadFile(m_.C("C:\\GAMES\\DEMO\\configured.txt")), "configured\n");
  EXPECT_NE(m_.StoreText().find("[CD0206]\r\nARCHIVE=C:\\GAMES\\DEMO\r\nARCHIVE_=game.exe,,,"),
            std::string::npos)
      << m_.StoreText();
  EXPECT_TRUE(m_.form().controls().Play[2]->visible);
  EXPECT_EQ(m_.form().controls().StopImage->tag, 1);
  EXPECT_FALSE(m_.form().activity().InstallOrUninstallRunning);

  // A forced folder: the question comes by itself; NECROMANIA leaves its text file in the Windows folder.
  m_.host().on_chooser = [](DirChooser& chooser) {
    chooser.FormActivate();
    chooser.Timer1Timer();
  };
  m_.host().answers.push_back(MessageAnswer::kYes);
  m_.form().installer().InstallProc(Demo(3));
  EXPECT_NE(m_.StoreText().find("FORCED=C:\\Hry\\Forced"), std::string::npos);
  ChooseFolder("C:\\NECRO");
  m_.form().installer().InstallProc(Demo(8));
  EXPECT_EQ(TempDir::ReadFile(m_.C("C:\\windows\\Necromania - demo.dr")), "C:\\NECRO\r\n");

  // A cancelled chooser installs nothing.
  m_.host().on_chooser = [](DirChooser& chooser) { chooser.CancelButtonClick(); };
  m_.form().installer().InstallProc(Demo(2));
  EXPECT_EQ(m_.host().calls.end()[-1], "SetBusyCursor 0");
}

TEST_F(InstallerTest, AFailedUnpackingRecordsNothingAndLeavesNoNewEmptyFolder) {
  m_.Start();
  // A byte total other than the catalog's, and Yes to deleting: the new parents go with the folder.
  m_.form().catalog().Demo[2].Param = "999";
  ChooseFolder("C:\\NEW\\DEEP\\GAME");
  m_.host().answers.push_back(MessageAnswer::kYes);
  m_.form().installer().InstallProc(Demo(2));
  EXPECT_FALSE(fs::exists(m_.C("C:\\NEW")));

  // No file can be created (each name is taken by a folder): one message, nothing recorded as installed.
  m_.form().catalog().Demo[2].Param = "0";
  m_.host().messages.clear();
  m_.host().on_chooser = [this](DirChooser& chooser) {
    chooser.EditChange("C:\\RO\\GAME");
    chooser.OKButtonClick();
    for (const char* name : {"game.exe", "config.exe"}) fs::create_directories(m_.C("C:\\RO\\GAME") / name);
  };
  m_.host().answers.push_back(MessageAnswer::kYes);
  m_.form().installer().InstallProc(Demo(2));
  ASSERT_EQ(m_.host().messages.size(), 2u);
  EXPECT_EQ(m_.host().messages[1].text.substr(0, 24), "The installation failed:");
  auto& item = m_.form().catalog().Demo[2];
  EXPECT_EQ(item.Installed, 0);
  EXPECT_EQ(item.InstalledDir, "");
  EXPECT_EQ(m_.StoreText().find("ARCHIVE=C:"), std::string::npos) << m_.StoreText();
}

TEST_F(InstallerTest, StartedSetupsArePolledUntilTheItemShowsUp) {
  m_.Start();
  m_.form().installer().InstallProc(Demo(4));
  EXPECT_TRUE(m_.form().controls().Timer1->enabled());
  auto& item = m_.form().catalog().Demo[4];
  for (int tick = 0; tick < 100 && item.Runnable != 1; ++tick) {
    m_.t.clock().Advance(3000);
    if (item.Runnable != 1) std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  EXPECT_EQ(item.Runnable, 1);
  EXPECT_FALSE(m_.form().controls().Timer1->enabled()) << "the poll stops once the item is there";
  EXPECT_EQ(item.InstalledDir, "C:\\POLL");
  EXPECT_NE(m_.StoreText().find("POLLED=C:\\POLL\r\nPOLLED_=game.exe,Polled,,"), std::string::npos);
}

TEST_F(InstallerTest, SetupsThatAreWaitedForAndSearchedFor) {
  m_.Start();
  // With the program in the default folder nothing is searched.
  WriteWindowsProgram(m_.C("C:\\GAMES\\X\\game.exe"), "exit 0\n");
  m_.form().installer().InstallProc(Demo(5));
  EXPECT_NE(m_.StoreText().find("SEARCHED=C:\\GAMES\\X\r\n"), std::string::npos);
  // Else the fixed drives are searched for it.
  fs::remove_all(m_.C("C:\\GAMES"));
  m_.form().detector()->CheckDemo(m_.form().catalog().Demo[5]);
  m_.form().installer().InstallProc(Demo(5));
  EXPECT_NE(m_.StoreText().find("SEARCHED=C:\\Deep\\Er\r\nSEARCHED_=game.exe,,,"), std::string::npos)
      << m_.StoreText();

  // An installer package goes to the shell and is not waited for; detection finds nothing yet.
  m_.form().installer().InstallProc(Demo(6));
  EXPECT_EQ(m_.LastLaunch(), "OPEN D:\\DEMOS\\Package\\setup.msi||");
  EXPECT_EQ(m_.StoreText().find("PACKAGE"), std::string::npos);

  m_.form().installer().InstallProc(Demo(7));
  EXPECT_EQ(TempDir::ReadFile(m_.C("C:\\waited.txt")), "waited\n");
  EXPECT_EQ(m_.form().catalog().Demo[7].Installed, 0);
}

TEST_F(InstallerTest, OneInstallAtATimeAndTheCommandShownWithT) {
  m_.Start();
  m_.form().files().ShowInstallCommands = true;
  // A second install asked for while the first waits is ignored.
  int nested = 0;
  m_.host().on_pump = [&] {
    if (nested++ == 0) m_.form().installer().InstallProc(m_.form().catalog().Demo[5]);
  };
  m_.form().installer().InstallProc(Demo(7));
  m_.host().on_pump = nullptr;
  EXPECT_GT(nested, 0);
  EXPECT_EQ(m_.StoreText().find("SEARCHED"), std::string::npos);
  ASSERT_FALSE(m_.host().messages.empty());
  EXPECT_EQ(m_.host().messages[0].text, "D:\\DEMOS\\Waited\\setup.exe ");

  // Not enough room for the catalog's size: the question, and No leaves nothing behind.
  m_.form().files().ShowInstallCommands = false;
  m_.form().catalog().Demo[2].Param = "999999999999999";
  m_.host().messages.clear();
  ChooseFolder("C:\\ROOMY\\GAME");
  m_.host().answers.push_back(MessageAnswer::kNo);
  m_.form().installer().InstallProc(Demo(2));
  ASSERT_EQ(m_.host().messages.size(), 2u);
  EXPECT_EQ(m_.host().messages[1].text.substr(0, 51),
            "There is not enough free space in C:\\ROOMY\\GAME (95");
  EXPECT_EQ(m_.host().messages[1].buttons, MessageButtons::kYesNo);
  EXPECT_FALSE(fs::exists(m_.C("C:\\ROOMY")));
  EXPECT_EQ(m_.form().catalog().Demo[2].Installed, 0);
}

// A setup that Wine cannot run: the person is told why, in the edition's language, once.
TEST(InstallerFailureTest, ASetupThisMachineCannotStartIsTold) {
  InstallMenu m(kCatalog);
  TempDir bin;
  const fs::path wine = bin.Write("wine", "#!/bin/sh\nexit 0\n");
  fs::permissions(wine, fs::perms::owner_all);
  m.t.runner = wine.string();
  m.DiscFile("DEMOS/Waited/setup.exe", "MZ" + std::string(200, '\0'));  // a DOS program
  m.Start();
  m.Select(7);
  m.form().installer().InstallProc(m.form().catalog().Demo[7]);
  ASSERT_EQ(m.host().messages.size(), 1u);
  EXPECT_EQ(m.host().messages[0].kind, MessageKind::kError);
  EXPECT_EQ(m.host().messages[0].text,
            "D:\\DEMOS\\Waited\\setup.exe is not a Windows program that Wine can run (a DOS program or a "
            "damaged file).");
  EXPECT_EQ(m.form().catalog().Demo[7].Installed, 0);
}

}  // namespace
}  // namespace norva::test
