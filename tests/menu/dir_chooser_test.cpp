// The directory chooser: suggestions by page, forced folders, drives that are not ready or read-only, the
// confirmation, and the folder chain created with its rollback.
#include "menu/dir_chooser.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "menu/install_menu.h"
#include "menu/page_kinds.h"

namespace norva::test {
namespace {

namespace fs = std::filesystem;
using namespace norva::menu;

const char* const kCatalog =
    "Demos=3\r\nReaders=2\r\nFulls=1\r\nExtra=1\r\n"
    "[Demo1]\r\nName=Space\r\nInstallDir=SPACEGAME\r\nInstallName=space.rar\r\nGameName=s.exe\r\nInstallType="
    "2\r\n"
    "[Demo2]\r\nName=Anywhere\r\nInstallDir=Any\r\nInstallName=a.rar\r\nGameName=a.exe\r\nInstallType=3\r\n"
    "ForcedDir=?:\\GAMES\\X\r\n"
    "[Demo3]\r\nName=Fixed\r\nInstallDir=Fix\r\nInstallName=f.rar\r\nGameName=f.exe\r\nInstallType=3\r\n"
    "ForcedDir=D:\\GAMES\\X\r\n"
    "[Reader1]\r\nName=Puzzle\r\nInstallDir=Puzzle\r\nInstallName=p.rar\r\nGameName=p.exe\r\nInstallType="
    "2\r\n"
    "[Reader2]\r\nName=Texts\r\nInstallDir=Texts\r\nInstallType=11\r\n"
    "[Full1]\r\nName=Big\r\nInstallDir=Games\\Big\r\nInstallName=b.rar\r\nGameName=b.exe\r\nInstallType=2\r\n"
    "[Extra1]\r\nName=Bugs\r\nInstallDir=Extra\\Bugs\r\nInstallName=x.rar\r\nInstallType=2\r\n";

class DirChooserTest : public ::testing::Test {
 protected:
  DirChooserTest() : m_(kCatalog) {}
  void SetUp() override { m_.Start(kPageDemos); }

  // The chooser for item `index` of page `kind`, as the install procedure makes it.
  DirChooser Open(int kind, int index) {
    m_.OpenPage(kind);
    m_.Select(index);
    m_.host().messages.clear();
    return DirChooser(m_.form().services(), m_.form().window(), m_.form().look(), m_.form().selection(),
                      m_.form().files(), *Record(kind, index));
  }
  catalog::TDemos* Record(int kind, int index) {
    auto& cat = m_.form().catalog();
    switch (kind) {
      case kPageReaders:
        return &cat.Reader[index];
      case kPageFulls:
        return &cat.Full[index];
      case kPageExtra:
        return &cat.Extra[index];
      default:
        return &cat.Demo[index];
    }
  }
  std::vector<std::string> Texts() {
    std::vector<std::string> texts;
    for (const auto& message : m_.host().messages) texts.push_back(message.text);
    return texts;
  }

  InstallMenu m_;
};

TEST_F(DirChooserTest, SuggestsAFolderOnCNamedAfterTheItem) {
  DirChooser demo = Open(kPageDemos, 1);
  EXPECT_EQ(demo.Caption, "Directory selection");
  EXPECT_EQ(demo.EditDir1, "C:\\SPACEGAME");
  fs::create_directories(m_.C("C:\\GAMES"));
  demo.DirectoryListBox1Change("C:\\GAMES");
  EXPECT_EQ(demo.EditDir1, "C:\\GAMES\\SPACEGAME");

  EXPECT_EQ(Open(kPageReaders, 1).EditDir1, "C:\\Puzzle");
  EXPECT_EQ(Open(kPageReaders, 2).EditDir1, "C:\\") << "a document item gets no name";
  DirChooser full = Open(kPageFulls, 1);
  EXPECT_EQ(full.EditDir1, "C:\\Games\\Big");
  EXPECT_EQ(full.Caption, "Where do you want to install it?");
  EXPECT_EQ(Open(kPageExtra, 1).EditDir1, "C:\\BERUSKY");
}

TEST_F(DirChooserTest, ForcedFoldersAreConfirmedAtOnceAndOnlyAQuestionMarkMovesThem) {
  DirChooser anywhere = Open(kPageDemos, 2);
  EXPECT_EQ(anywhere.EditDir1, "C:\\GAMES\\X");
  EXPECT_TRUE(anywhere.EditReadOnly);
  EXPECT_FALSE(anywhere.FolderListEnabled);
  EXPECT_TRUE(anywhere.DriveListEnabled);
  anywhere.EditChange("C:\\ELSEWHERE");
  EXPECT_EQ(anywhere.EditDir1, "C:\\GAMES\\X");

  // The question comes from the 100 ms timer; No keeps the dialog open.
  components::Clock& clock = m_.t.clock();
  clock.Register(anywhere.Timer1);
  anywhere.FormActivate();
  clock.Advance(99);
  EXPECT_TRUE(m_.host().messages.empty());
  clock.Advance(1);
  EXPECT_EQ(Texts(), std::vector<std::string>{"Would you like to install this demo in C:\\GAMES\\X ?"});
  EXPECT_FALSE(anywhere.Closed());
  clock.Unregister(anywhere.Timer1);
  // Another drive keeps the rest of the forced folder.
  EXPECT_TRUE(anywhere.DriveComboBox1Change('D'));
  EXPECT_EQ(anywhere.EditDir1, "D:\\GAMES\\X");

  DirChooser fixed = Open(kPageDemos, 3);
  EXPECT_EQ(fixed.EditDir1, "C:\\GAMES\\X");
  EXPECT_FALSE(fixed.DriveListEnabled);
  EXPECT_FALSE(fixed.DriveComboBox1Change('E'));
}

TEST_F(DirChooserTest, DrivesThatAreNotReadyOrReadOnlyAreNotAccepted) {
  DirChooser chooser = Open(kPageDemos, 1);
  // D: is the disc, a CD-ROM: OK is disabled there.
  EXPECT_TRUE(chooser.DriveComboBox1Change('D'));
  EXPECT_EQ(chooser.EditDir1, "D:\\SPACEGAME");
  EXPECT_FALSE(chooser.OKEnabled);
  chooser.OKButtonClick();
  EXPECT_TRUE(m_.host().messages.empty());
  EXPECT_TRUE(chooser.DriveComboBox1Change('C'));
  EXPECT_TRUE(chooser.OKEnabled);

  // A letter whose target is missing.
  fs::create_symlink("/nonexistent-norva-drive", m_.t.Prefix() / "dosdevices" / "q:");
  EXPECT_FALSE(chooser.DriveComboBox1Change('Q'));
  EXPECT_EQ(Texts(), std::vector<std::string>{"Drive not ready!"});
  EXPECT_EQ(chooser.Drive, 'C');
  EXPECT_EQ(chooser.EditDir1, "C:\\SPACEGAME");

  // A typed folder on the disc or a relative one is refused as one that cannot be made.
  m_.host().messages.clear();
  for (const char* typed : {"D:\\NEW", "GAMES\\NEW"}) {
    chooser.EditChange(typed);
    m_.host().answers.push_back(MessageAnswer::kYes);
    chooser.OKButtonClick();
  }
  EXPECT_EQ(Texts(), (std::vector<std::string>{
                         "Would you like to install this demo in D:\\NEW ?", "Can''t create directory!",
                         "Would you like to install this demo in GAMES\\NEW ?", "Can''t create directory!"}));
  EXPECT_FALSE(chooser.Closed());
  EXPECT_FALSE(fs::exists(m_.t.disc().path() / "NEW"));
}

TEST_F(DirChooserTest, ConfirmedFolderIsCreatedWithItsParentsOrNotAtAll) {
  DirChooser chooser = Open(kPageDemos, 1);
  chooser.EditChange("C:\\NEW\\DEEP\\FOLDER\\");
  chooser.OKButtonClick();  // No
  EXPECT_EQ(chooser.EditDir1, "C:\\SPACEGAME");
  EXPECT_FALSE(chooser.Closed());

  chooser.EditChange("C:\\NEW\\DEEP\\FOLDER\\");
  m_.host().answers.push_back(MessageAnswer::kYes);
  chooser.OKButtonClick();
  EXPECT_TRUE(chooser.Closed());
  EXPECT_EQ(chooser.ChosenDir(), "C:\\NEW\\DEEP\\FOLDER");
  EXPECT_TRUE(fs::is_directory(m_.C("C:\\NEW\\DEEP\\FOLDER")));
  EXPECT_EQ(chooser.CreatedDirs(),
            (std::vector<std::string>{"C:\\NEW", "C:\\NEW\\DEEP", "C:\\NEW\\DEEP\\FOLDER"}));

  // The chain is made as the machine resolves the text: "/" separates, and a folder left by ".." is not made.
  DirChooser resolved = Open(kPageDemos, 1);
  resolved.EditChange("C:\\UP\\..\\SIDE/WAYS");
  m_.host().answers.push_back(MessageAnswer::kYes);
  resolved.OKButtonClick();
  EXPECT_EQ(resolved.CreatedDirs(), (std::vector<std::string>{"C:\\SIDE", "C:\\SIDE\\WAYS"}));
  EXPECT_FALSE(fs::exists(m_.C("C:\\UP")));

  // A last folder that cannot be made takes the ones made before with it: 130 letters "\xE8" are 260 bytes
  // on the host, more than its file system takes in one name.
  DirChooser again = Open(kPageDemos, 1);
  again.EditChange("C:\\ROLL\\BACK\\" + std::string(130, '\xE8'));
  m_.host().answers.push_back(MessageAnswer::kYes);
  again.OKButtonClick();
  EXPECT_FALSE(again.Closed());
  EXPECT_EQ(m_.host().messages.back().text, "Can''t create directory!");
  EXPECT_FALSE(fs::exists(m_.C("C:\\ROLL")));
}

}  // namespace
}  // namespace norva::test
