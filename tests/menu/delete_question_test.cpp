// The question before a folder tree is deleted: asked with the upper-cased folder, deleting only on Yes and
// never a protected folder.
#include "menu/delete_question.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "menu/main_form.h"
#include "menu/menu_test_form.h"

namespace norva::test {
namespace {

namespace fs = std::filesystem;

class DeleteQuestionTest : public ::testing::Test {
 protected:
  DeleteQuestionTest() : t_(CatalogText({Numbered("Demos", "Demo", 1)}, "Version=0\r\n")) {}
  void SetUp() override {
    t_.Start();
    game_ = t_.Prefix() / "drive_c" / "Games" / "Quake";
    fs::create_directories(game_ / "maps");
    std::ofstream(game_ / "maps" / "e1m1.bsp") << "map";
    t_.host().messages.clear();
  }
  MenuTestForm t_;
  fs::path game_;
};

TEST_F(DeleteQuestionTest, AsksWithTheUpperCasedFolderAndDeletesOnlyOnYes) {
  menu::DeleteQuestion(t_.form().services(), t_.form().look(), t_.form().files().Folders, "c:\\games\\quake");
  ASSERT_EQ(t_.host().messages.size(), 1u);
  EXPECT_EQ(t_.host().messages[0].text, "Would you like to delete all files in C:\\GAMES\\QUAKE ?");
  EXPECT_EQ(t_.host().messages[0].kind, menu::MessageKind::kConfirmation);
  EXPECT_EQ(t_.host().messages[0].buttons, menu::MessageButtons::kYesNo);
  EXPECT_TRUE(fs::exists(game_ / "maps" / "e1m1.bsp")) << "No keeps the files";

  t_.host().answers.push_back(menu::MessageAnswer::kYes);
  menu::DeleteQuestion(t_.form().services(), t_.form().look(), t_.form().files().Folders, "c:\\games\\quake");
  EXPECT_FALSE(fs::exists(game_));
}

TEST_F(DeleteQuestionTest, EmptyMissingAndProtectedFolders) {
  menu::DeleteQuestion(t_.form().services(), t_.form().look(), t_.form().files().Folders, "");
  menu::DeleteQuestion(t_.form().services(), t_.form().look(), t_.form().files().Folders,
                       "C:\\GAMES\\NOTHERE");
  EXPECT_TRUE(t_.host().messages.empty()) << "nothing to ask about";

  t_.host().answers.push_back(menu::MessageAnswer::kYes);
  menu::DeleteQuestion(t_.form().services(), t_.form().look(), t_.form().files().Folders, "C:\\");
  menu::DeleteQuestion(t_.form().services(), t_.form().look(), t_.form().files().Folders, "C:\\windows");
  EXPECT_TRUE(t_.host().messages.empty()) << "what is never deleted is not offered";
  EXPECT_TRUE(fs::exists(game_ / "maps" / "e1m1.bsp"))
      << "a drive root is never deleted, whatever the answer";
  EXPECT_TRUE(fs::exists(t_.Prefix() / "drive_c" / "windows"));
}

TEST(DeleteQuestionLanguage, AsksInTheInterfaceLanguage) {
  MenuTestForm t(CatalogText({Numbered("Demos", "Demo", 1)}, "Version=1\r\n"));  // the Czech edition
  t.Start();
  fs::create_directories(t.Prefix() / "drive_c" / "Games" / "Quake");
  t.host().messages.clear();
  menu::DeleteQuestion(t.form().services(), t.form().look(), t.form().files().Folders, "C:\\Games\\Quake");
  ASSERT_EQ(t.host().messages.size(), 1u);
  EXPECT_TRUE(t.host().messages[0].text.starts_with("Chcete smazat ")) << t.host().messages[0].text;
  EXPECT_TRUE(t.host().messages[0].text.ends_with(" C:\\GAMES\\QUAKE ?"));
}

}  // namespace
}  // namespace norva::test
