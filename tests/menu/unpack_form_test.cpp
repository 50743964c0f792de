// The unpack window over real archives on the disc: percentages by bytes and by entries, the completeness
// check with its delete question, the size written back to the catalog, Esc, and damaged entries.
#include "menu/unpack_form.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "menu/install_menu.h"
#include "menu/page_kinds.h"
#include "rar4_writer.h"
#include "support/temp_dir.h"

namespace norva::test {
namespace {

namespace fs = std::filesystem;
using namespace norva::menu;

// A stored RAR 4 archive of `count` files of `size` bytes each.
std::string Archive(int count, std::size_t size) {
  tools::Rar4Writer writer;
  for (int i = 1; i <= count; ++i) {
    writer.AddFile("file" + std::to_string(i) + ".dat", std::string(size, static_cast<char>('a' + i)), 0);
  }
  std::string error;
  return writer.Build(&error)->front();
}

std::string Catalog(const std::string& demo_size) {
  return "Demos=2\r\nReaders=1\r\nFulls=1\r\n"
         "[Demo1]\r\nName=Sized\r\nInstallDir=Sized\r\nInstallName=sized.rar\r\nGameName=file1.dat\r\n"
         "InstallType=2\r\nUnpackedSize=" +
         demo_size +
         "\r\n"
         "[Demo2]\r\nName=Unsized\r\nInstallDir=Unsized\r\nInstallName=sized.rar\r\nGameName=file1.dat\r\n"
         "InstallType=2\r\n"
         "[Reader1]\r\nName=Ten\r\nInstallDir=Ten\r\nInstallName=ten.rar\r\nGameName=file1."
         "dat\r\nInstallType=2\r\n"
         "[Full1]\r\nName=Full\r\nInstallDir=Full\r\nInstallName=ten.rar\r\nGameName=file1."
         "dat\r\nInstallType=2\r\n";
}

class UnpackFormTest : public ::testing::Test {
 protected:
  void Make(const std::string& demo_size) {
    m_ = std::make_unique<InstallMenu>(Catalog(demo_size));
    m_->DiscFile("DEMOS/Sized/sized.rar", Archive(4, 250000));
    m_->DiscFile("DEMOS/Unsized/sized.rar", Archive(4, 250000));
    m_->DiscFile("Readers/Ten/ten.rar", Archive(10, 10));
    m_->DiscFile("Full/ten.rar", Archive(10, 10));
    m_->Start(kPageDemos);
    fs::create_directories(m_->C("C:\\GAME"));
  }
  // Unpacks item `index` of page `kind` into C:\GAME as the window does and returns the form's folder.
  std::string Unpack(int kind, int index, catalog::TDemos& item) {
    m_->OpenPage(kind);
    m_->Select(index);
    m_->host().messages.clear();
    UnpackForm form(m_->form().services(), m_->form().window(), m_->form().look(), m_->form().selection(),
                    m_->form().files(), item, "C:\\GAME");
    m_->t.RunUnpack(form);
    percents_ = form.Percents;
    return form.ChosenDir();
  }
  std::vector<std::string> Texts() {
    std::vector<std::string> texts;
    for (const auto& message : m_->host().messages) texts.push_back(message.text);
    return texts;
  }

  std::unique_ptr<InstallMenu> m_;
  std::vector<std::string> percents_;
  UnpackForm* current_ = nullptr;  // the window that gets the Esc of the pump hook
};

TEST_F(UnpackFormTest, ByteTotalsDecideWhetherTheUnpackingIsComplete) {
  Make("1000000");
  auto& demo = m_->form().catalog().Demo[1];
  EXPECT_EQ(Unpack(kPageDemos, 1, demo), "C:\\GAME");
  EXPECT_EQ(percents_.front(), "0%");
  EXPECT_EQ(percents_.back(), "100%");
  EXPECT_TRUE(Texts().empty());
  EXPECT_EQ(TempDir::ReadFile(m_->C("C:\\GAME\\file4.dat")).size(), 250000u);

  // One byte off the catalog's size: the delete question, and nothing is kept.
  Make("999999");
  m_->host().answers.push_back(MessageAnswer::kYes);
  EXPECT_EQ(Unpack(kPageDemos, 1, m_->form().catalog().Demo[1]), "");
  EXPECT_EQ(Texts(), std::vector<std::string>{"Would you like to delete all files in C:\\GAME ?"});
  EXPECT_FALSE(fs::exists(m_->C("C:\\GAME")));
}

TEST_F(UnpackFormTest, UnknownSizeShowsNoPercentageAndIsMeasuredIntoTheCatalog) {
  Make("0");
  auto& demo = m_->form().catalog().Demo[2];
  EXPECT_EQ(Unpack(kPageDemos, 2, demo), "C:\\GAME");
  EXPECT_EQ(percents_, (std::vector<std::string>{"0%", "100%"}));
  EXPECT_EQ(m_->form().files().CatalogIni->ReadString("Demo2", "UnpackedSize", ""), "1000000");
}

TEST_F(UnpackFormTest, EntriesCountOnOtherPagesAndEscOnlyStopsDemos) {
  Make("1000000");
  EXPECT_EQ(Unpack(kPageReaders, 1, m_->form().catalog().Reader[1]), "C:\\GAME");
  EXPECT_EQ(percents_, (std::vector<std::string>{"0%", "10%", "20%", "30%", "40%", "50%", "60%", "70%", "80%",
                                                 "90%", "100%"}));

  // Esc on the Fulls page does nothing.
  m_->host().on_pump = [this] {
    if (current_) current_->FormKeyDown(components::Key::Esc);
  };
  m_->OpenPage(kPageFulls);
  m_->Select(1);
  {
    UnpackForm form(m_->form().services(), m_->form().window(), m_->form().look(), m_->form().selection(),
                    m_->form().files(), m_->form().catalog().Full[1], "C:\\GAME");
    current_ = &form;
    m_->t.RunUnpack(form);
    current_ = nullptr;
    EXPECT_EQ(form.ChosenDir(), "C:\\GAME");
  }
  EXPECT_TRUE(Texts().empty());

  // On the Demos page No goes on where it was; Yes stops at once and offers to delete.
  m_->OpenPage(kPageDemos);
  m_->Select(1);
  m_->host().messages.clear();
  m_->host().answers = {MessageAnswer::kNo, MessageAnswer::kYes, MessageAnswer::kNo};
  UnpackForm form(m_->form().services(), m_->form().window(), m_->form().look(), m_->form().selection(),
                  m_->form().files(), m_->form().catalog().Demo[1], "C:\\GAME");
  current_ = &form;
  m_->t.RunUnpack(form);
  current_ = nullptr;
  EXPECT_TRUE(form.Cancelled);
  EXPECT_EQ(form.ChosenDir(), "");
  EXPECT_EQ(Texts(), (std::vector<std::string>{"Do you really want to quit this installation?",
                                               "Do you really want to quit this installation?",
                                               "Would you like to delete all files in C:\\GAME ?"}));
  EXPECT_LT(form.BytesDone, 1000000) << "the entry being written stops too";
}

TEST_F(UnpackFormTest, DamagedOrRefusedEntriesAreReportedAndMakeItIncomplete) {
  Make("0");
  tools::Rar4Writer writer;
  writer.AddFile("..\\outside.txt", "x", 0);
  writer.AddFile("inside.txt", "fine", 0);
  std::string error;
  m_->DiscFile("DEMOS/Unsized/sized.rar", writer.Build(&error)->front());
  EXPECT_EQ(Unpack(kPageDemos, 2, m_->form().catalog().Demo[2]), "");
  EXPECT_EQ(Texts(), (std::vector<std::string>{"CRC error, data damaged",
                                               "Would you like to delete all files in C:\\GAME ?"}));
  EXPECT_EQ(TempDir::ReadFile(m_->C("C:\\GAME\\inside.txt")), "fine") << "the other entries still come out";
  EXPECT_FALSE(fs::exists(m_->C("C:\\outside.txt")));
  EXPECT_EQ(m_->form().files().CatalogIni->ReadString("Demo2", "UnpackedSize", "none"), "none")
      << "a broken unpacking measures nothing";

  // A missing archive.
  fs::remove(m_->t.disc().path() / "DEMOS/Unsized/sized.rar");
  EXPECT_EQ(Unpack(kPageDemos, 2, m_->form().catalog().Demo[2]), "");
  EXPECT_EQ(Texts().front(), "File open error");
}

TEST_F(UnpackFormTest, NoFileThatCanBeCreatedFailsWithOneMessageAndNoDeleteQuestion) {
  Make("0");
  // Every name is taken by a folder of the user's: each file fails as one that cannot be created.
  for (int i = 1; i <= 4; ++i) fs::create_directories(m_->C("C:\\GAME\\file" + std::to_string(i) + ".dat"));
  EXPECT_EQ(Unpack(kPageDemos, 2, m_->form().catalog().Demo[2]), "");
  EXPECT_EQ(Texts(),
            std::vector<std::string>{"The installation failed: no file could be created in C:\\GAME (the "
                                     "folder is read-only or write-protected)."});
  EXPECT_EQ(m_->host().messages[0].kind, MessageKind::kError);
  EXPECT_TRUE(fs::is_directory(m_->C("C:\\GAME\\file1.dat")));

  // One file that could be written brings the question back, on the pages that count entries too.
  fs::remove(m_->C("C:\\GAME\\file4.dat"));
  m_->DiscFile("Readers/Ten/ten.rar", Archive(4, 10));
  EXPECT_EQ(Unpack(kPageReaders, 1, m_->form().catalog().Reader[1]), "");
  EXPECT_EQ(Texts(), std::vector<std::string>{"Would you like to delete all files in C:\\GAME ?"});
}

TEST(UnpackPercentTest, RoundsHalvesToEven) {
  EXPECT_EQ(RoundedPercent(1, 8), 12);  // 12.5
  EXPECT_EQ(RoundedPercent(7, 8), 88);  // 87.5
  EXPECT_EQ(RoundedPercent(1, 3), 33);
  EXPECT_EQ(RoundedPercent(2, 3), 67);
  EXPECT_EQ(RoundedPercent(5, 0), 0);
  EXPECT_EQ(RoundedPercent(std::int64_t{3} << 40, std::int64_t{4} << 40), 75);
}

}  // namespace
}  // namespace norva::test
