// The action buttons on each page, the quick-run icons, the version choice of RunProc and the media rule of
// LaunchItemFile, seen through what the menu hands to the machine.
#include "menu/actions.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "menu/install_menu.h"
#include "menu/page_kinds.h"

namespace norva::test {
namespace {

using namespace norva::menu;

const char* const kCatalog =
    "Demos=3\r\nShareware=2\r\nUpdates=2\r\nMovies=1\r\nReaders=1\r\nFulls=1\r\nDrivers=1\r\nShots=1\r\n"
    "[Demo1]\r\nName=Runner\r\nInstallDir=Runner\r\nGameName=run.exe\r\nInstallName=run.exe\r\nReadmeName="
    "read.txt\r\n"
    "Web=www.example.com/runner\r\nInstallType=0\r\n"
    "[Demo2]\r\nName=Versions\r\nInstallDir=Versions\r\nGameName=game.exe:Single "
    "player;mp.exe:Multiplayer\r\n"
    "InstallName=game.exe\r\n"
    "InstallType=0\r\nWeb=https://secure.example.com\r\n"
    "[Demo3]\r\nName=Film\r\nInstallDir=Film\r\nGameName=intro.avi\r\nInstallName=intro.avi\r\nInstallType="
    "0\r\n"
    "[Share1]\r\nName=Fonts\r\nInstallDir=Fonts\r\nInstallName=SETUP.INF\r\nReadmeName=fonts.txt\r\n"
    "[Share2]\r\nName=Tool\r\nInstallDir=Tool\r\nInstallName=tool.exe\r\n"
    "[Updates]\r\nUpdate1=Patch;1.1;game\\patch.exe;patch.txt;0\r\nUpdate2=Locked;1.0;locked.exe;;1\r\n"
    "[Movie1]\r\nName=Trailer\r\nInstallDir=\\Movies\r\nGameName=trailer.avi\r\n"
    "[Reader1]\r\nName=Puzzle\r\nInstallDir=Puzzle\r\nGameName=puzzle.exe\r\nInstallType=0\r\n"
    "[Full1]\r\nName=Big\r\nInstallDir=Big\r\nGameName=big.exe\r\nInstallName=big.rar\r\nInstallType=2\r\n"
    "[Driver1]\r\nName=DirectX\r\nInstallDir=DX\r\nInstallName=dxsetup.exe\r\nReadmeName=dx.txt\r\n"
    "InstallType=7\r\n"
    "[Shot1]\r\nName=Shot\r\nWeb=www.example.com/shot\r\n";

class ActionsTest : public ::testing::Test {
 protected:
  ActionsTest() : m_(kCatalog) {
    for (const char* file : {"DEMOS/Runner/run.exe", "DEMOS/Versions/game.exe", "DEMOS/Versions/mp.exe",
                             "DEMOS/Film/intro.avi", "Readers/Puzzle/puzzle.exe", "Big/big.rar"})
      m_.DiscFile(file);
  }
  void Play() { m_.form().controls().PlayImage->OnClick(); }
  void Readme() { m_.form().controls().ReadmeImage->OnClick(); }
  void Web() { m_.form().controls().WebImage->OnClick(); }

  InstallMenu m_;
};

TEST_F(ActionsTest, PlayRunsInstallsOrOpensByPage) {
  m_.Start(kPageDemos);
  Play();
  EXPECT_EQ(m_.LastLaunch(), "create D:\\DEMOS\\Runner\\run.exe|D:\\DEMOS\\Runner\\|nowait");
  m_.Select(3);  // a film among the demos goes to the system's player
  Play();
  EXPECT_EQ(m_.LastLaunch(), "OPEN D:\\DEMOS\\Film\\intro.avi||");

  m_.OpenPage(kPageShareware);
  Play();
  EXPECT_EQ(m_.LastLaunch(), "INSTALL D:\\Software\\Fonts\\SETUP.INF||D:\\Software\\Fonts");
  m_.Select(2);
  Play();
  EXPECT_EQ(m_.LastLaunch(), "create D:\\Software\\Tool\\tool.exe|D:\\Software\\Tool\\|nowait");

  m_.OpenPage(kPageUpdates);
  Play();
  EXPECT_EQ(m_.LastLaunch(), "create D:\\Updates\\game\\patch.exe|D:\\Updates\\game\\|nowait");
  const auto before = m_.Launches().size();
  m_.Select(2);
  m_.form().actions().PlayDIBImageClick();  // NoRun: nothing, even with the button on
  EXPECT_EQ(m_.Launches().size(), before);

  m_.OpenPage(kPageFilms);
  Play();
  EXPECT_EQ(m_.LastLaunch(), "OPEN D:\\Movies\\trailer.avi||");
  m_.OpenPage(kPageQuillon);
  Play();
  EXPECT_EQ(m_.LastLaunch(), "OPEN D:\\Quillon\\index.htm||");

  // An archive item that is not installed is installed: the chooser comes up.
  m_.OpenPage(kPageFulls);
  Play();
  EXPECT_NE(std::find(m_.host().calls.begin(), m_.host().calls.end(), "ShowChooser"), m_.host().calls.end());
  // Drivers are always installed, never run.
  m_.OpenPage(kPageDrivers);
  Play();
  EXPECT_EQ(m_.LastLaunch(), "create D:\\Drivers\\DX\\dxsetup.exe|D:\\Drivers\\DX\\|wait");
}

TEST_F(ActionsTest, ReadmeAndWebOpenThePathsOfThePage) {
  m_.Start(kPageDemos);
  Readme();
  EXPECT_EQ(m_.LastLaunch(), "OPEN D:\\DEMOS\\Runner\\read.txt||");
  Web();
  EXPECT_EQ(m_.LastLaunch(), "OPEN http://www.example.com/runner||");
  m_.Select(2);
  Web();
  EXPECT_EQ(m_.LastLaunch(), "OPEN https://secure.example.com||") << "no second scheme in front";

  m_.OpenPage(kPageShareware);
  Readme();
  EXPECT_EQ(m_.LastLaunch(), "OPEN D:\\Software\\Fonts\\fonts.txt||");
  m_.OpenPage(kPageUpdates);
  Readme();
  EXPECT_EQ(m_.LastLaunch(), "OPEN D:\\Updates\\game\\patch.txt||");
  m_.OpenPage(kPageDrivers);
  Readme();
  EXPECT_EQ(m_.LastLaunch(), "OPEN D:\\Drivers\\DX\\dx.txt||");
  m_.OpenPage(kPageShots);
  Web();
  EXPECT_EQ(m_.LastLaunch(), "OPEN http://www.example.com/shot||");

  // A disabled button does nothing.
  const auto before = m_.Launches().size();
  m_.OpenPage(kPageFilms);
  Web();
  Readme();
  EXPECT_EQ(m_.Launches().size(), before);
}

TEST_F(ActionsTest, VersionChoiceRunsTheChosenProgramThatExists) {
  m_.Start(kPageDemos);
  m_.Select(2);
  m_.host().version_answers = {1};
  Play();
  ASSERT_EQ(m_.host().versions.size(), 1u);
  EXPECT_EQ(m_.host().versions[0].prompt, "Jakou verzi hry chcete spustit?");
  EXPECT_EQ(m_.host().versions[0].labels, (std::vector<std::string>{"Single player", "Multiplayer"}));
  EXPECT_EQ(m_.LastLaunch(), "create D:\\DEMOS\\Versions\\mp.exe|D:\\DEMOS\\Versions\\|nowait");

  // A closed chooser runs nothing; with one program left there is no question at all.
  const auto before = m_.Launches().size();
  Play();
  EXPECT_EQ(m_.Launches().size(), before);
  std::filesystem::remove(m_.t.disc().path() / "DEMOS/Versions/mp.exe");
  Play();
  EXPECT_EQ(m_.host().versions.size(), 2u);
  EXPECT_EQ(m_.LastLaunch(), "create D:\\DEMOS\\Versions\\game.exe|D:\\DEMOS\\Versions\\|nowait");

  // Without ";" the first program that exists runs, unchanged.
  catalog::TDemos item = m_.form().catalog().Demo[2];
  item.GameName = "game95.exe:game.exe";
  m_.form().actions().RunProc(item);
  EXPECT_EQ(m_.LastLaunch(), "create D:\\DEMOS\\Versions\\game.exe|D:\\DEMOS\\Versions\\|nowait");
  // A film played from the disc goes to the shell's PLAY, an MPEG one nowhere.
  item.InstallType = 20;
  item.GameName = "clip.avi";
  m_.form().actions().RunProc(item);
  EXPECT_EQ(m_.LastLaunch(), "PLAY D:\\DEMOS\\Versions\\clip.avi||D:\\DEMOS\\Versions");
  item.GameName = "clip.mpg";
  const auto launched = m_.Launches().size();
  m_.form().actions().RunProc(item);
  EXPECT_EQ(m_.Launches().size(), launched);
}

TEST_F(ActionsTest, QuickRunIconsRunTheirRowsItemAndSwitchSettings) {
  m_.Start(kPageReaders);
  m_.form().controls().Play[1]->OnClick();
  EXPECT_EQ(m_.LastLaunch(), "create D:\\Readers\\Puzzle\\puzzle.exe|D:\\Readers\\Puzzle\\|nowait");
  m_.form().controls().Play[1]->OnMouseEnter();
  EXPECT_EQ(m_.form().controls().Play[1]->image, 89);

  const auto before = m_.Launches().size();
  m_.OpenPage(kPageShareware);
  m_.form().controls().Play[1]->OnClick();
  EXPECT_EQ(m_.Launches().size(), before) << "no quick run on the Shareware page";

  m_.form().selection().PageKind = kPageSettings;
  const int music = m_.form().settings().MusicSetting;
  m_.form().controls().Play[3]->OnClick();
  EXPECT_EQ(m_.form().settings().MusicSetting, 1 - music);
}

}  // namespace
}  // namespace norva::test
