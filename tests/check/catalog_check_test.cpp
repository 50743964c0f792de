// The catalog check against small discs built in a temporary folder: each planted fault is reported under
// its section and key with the severity an editor needs, and the sound case next to it is not.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "catalog/catalog.h"
#include "catalog/fake_ini_file.h"
#include "check/catalog_check.h"
#include "platform/wine/libarchive_archives.h"
#include "platform/wine/wine_machine.h"
#include "rar4_writer.h"
#include "support/host_path.h"
#include "support/temp_dir.h"

namespace norva::check {
namespace {

namespace fs = std::filesystem;

// Ten pixels a character, whatever the font: enough to tell which label's width a text is set against.
class CountingFit : public TextFit {
 public:
  bool FitsLine(std::string_view text, const components::Font&, int width) override {
    return Characters(text) * 10 <= width;
  }
  bool FitsBox(std::string_view text, const components::Font&, int width, int height) override {
    return Characters(text) * 10 <= width * (height / 10);
  }

 private:
  static int Characters(std::string_view text) {
    int n = 0;
    for (const char c : text) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
  }
};

class CatalogCheckTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(dir_.path() / "disc");
    std::string error;
    machine_ = platform::wine::WineMachine::Open({dir_.path() / "prefix", dir_.path() / "disc"}, &error);
    ASSERT_TRUE(machine_) << error;
    archives_ = std::make_unique<platform::wine::LibArchiveArchives>(machine_->files());
    root_ = std::string(1, machine_->disc_letter()) + ":";
  }

  void Put(const std::string& relative, const std::string& bytes) {
    const fs::path path = dir_.path() / "disc" / relative;
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
  }
  void PutRar(const std::string& relative, const std::vector<std::pair<std::string, std::string>>& files) {
    tools::Rar4Writer writer;
    for (const auto& [name, bytes] : files)
      writer.AddFile(name, bytes, tools::DosTime(2006, 11, 1, 12, 0, 0));
    std::string error;
    auto volumes = writer.Build(&error);
    ASSERT_TRUE(volumes) << error;
    Put(relative, volumes->front());
  }

  // Checks the catalog `ini` (INI text) against the disc folder.
  void Check(const std::string& ini, bool case_sensitive = true) {
    test::FakeIniFile catalog_ini(ini);
    CheckInputs inputs{catalog_ini, machine_->files(), root_};
    inputs.archives = archives_.get();
    inputs.text_fit = &fit_;
    inputs.case_sensitive = case_sensitive;
    inputs.decode_picture = [](std::string_view bytes) {
      components::ImageLoadResult result;
      if (bytes.starts_with("WxH")) {
        result.image.width = std::stoi(std::string(bytes.substr(3, 4)));
        result.image.height = std::stoi(std::string(bytes.substr(8, 4)));
      } else {
        result.error = "not a picture";
      }
      return result;
    };
    inputs.on_code_page = [&](platform::CodePage page) { machine_->SetAnsiCodePage(page); };
    findings_ = Findings();
    auto catalog = std::make_unique<catalog::Catalog>();
    CheckCatalog(inputs, *catalog, findings_);
  }

  // The findings under `section` and `key` whose message holds `text`, of `severity`.
  int Found(Severity severity, std::string_view section, std::string_view key, std::string_view text = "") {
    int n = 0;
    for (const Finding& f : findings_.all()) {
      n += f.severity == severity && f.section == section && f.key == key &&
           f.message.find(text) != std::string::npos;
    }
    return n;
  }
  std::string All() const {
    std::string out;
    for (const Finding& f : findings_.all()) out += FormatLine("", f) + "\n";
    return out;
  }

  test::TempDir dir_;
  std::unique_ptr<platform::wine::WineMachine> machine_;
  std::unique_ptr<platform::wine::LibArchiveArchives> archives_;
  std::string root_;
  CountingFit fit_;
  Findings findings_;
};

// One demo whose archive lies in DEMOS\Game, with the keys given after the common ones.
std::string OneDemo(const std::string& keys, const std::string& main = "") {
  return "[Main]\nDemos=1\nCD=1206\n" + main + "\n[Demo1]\nName=Game\nDate=1106\nInstallDir=Game\n" + keys;
}

TEST_F(CatalogCheckTest, CatalogFormCountsSectionsKeysNumbersAndCodes) {
  Check(
      "[Main]\nDemos=2\nShots=90\nCD=12-06\nVersion=x\nDebg=1\n"
      "[Demo1]\nName=A\nDate=11ab\nInstaltype=2\nDirDetect=5x\nGamenme=a.exe\nZzzz=1\n"
      "[Demo3]\nName=C\nDate=1106\n[demo1]\nName=again\n");
  EXPECT_EQ(Found(Severity::kError, "Demo2", "", "counts it"), 1) << All();
  EXPECT_EQ(Found(Severity::kWarning, "Demo3", "", "not shown: [Main] Demos=2"), 1);
  EXPECT_EQ(Found(Severity::kError, "Main", "Shots", "at most"), 1);
  EXPECT_EQ(Found(Severity::kWarning, "demo1", "", "more than once"), 1);
  EXPECT_EQ(Found(Severity::kError, "Main", "CD", "issue code"), 1);
  EXPECT_EQ(Found(Severity::kError, "Main", "Version", "not a number"), 1);
  EXPECT_EQ(Found(Severity::kWarning, "Main", "Debg", "did you mean Debug?"), 1);
  EXPECT_EQ(Found(Severity::kError, "Demo1", "Date", "no date"), 1);
  EXPECT_EQ(Found(Severity::kError, "Demo1", "DirDetect", "\"5x\" is not a number"), 1);
  EXPECT_EQ(Found(Severity::kWarning, "Demo1", "Instaltype", "did you mean InstallType?"), 1);
  EXPECT_EQ(Found(Severity::kWarning, "Demo1", "Gamenme", "did you mean GameName?"), 1);
  // A key near none is only a note; the sound Demo3 has no finding of its own but its place in the count.
  EXPECT_EQ(Found(Severity::kNote, "Demo1", "Zzzz", "not a key"), 1);
  EXPECT_EQ(Found(Severity::kError, "Demo3", "Date"), 0);
}

TEST_F(CatalogCheckTest, NamedFilesAreFoundAsTheMenuFindsThemAndCaseOnlyMatchesWarnOnCaseSensitiveMedia) {
  Put("DEMOS/Game/Setup.EXE", "MZ");
  Put("DEMOS/Game/readme.txt", "text");
  fs::create_directories(dir_.path() / "disc/DEMOS/Game/game.exe");
  const std::string ini = OneDemo(
      "InstallType=0\nSetupName=setup.exe\nReadmeName=readme.txt\nGameName=game.exe\n"
      "TestName=game.exe\nInstallName=missing.exe\n");
  Check(ini);
  EXPECT_EQ(
      Found(Severity::kWarning, "Demo1", "SetupName", "found only as " + root_ + "\\DEMOS\\Game\\Setup.EXE"),
      1)
      << All();
  EXPECT_EQ(Found(Severity::kError, "Demo1", "GameName", "is a folder, not a file"), 1);
  EXPECT_EQ(Found(Severity::kError, "Demo1", "InstallName", "missing.exe is missing"), 1);
  EXPECT_EQ(Found(Severity::kWarning, "Demo1", "ReadmeName"), 0);
  EXPECT_EQ(Found(Severity::kError, "Demo1", "ReadmeName"), 0);
  // An image does not tell letter case apart: the same disc has no case finding there.
  Check(ini, /*case_sensitive=*/false);
  EXPECT_EQ(Found(Severity::kWarning, "Demo1", "SetupName"), 0) << All();
  EXPECT_EQ(Found(Severity::kError, "Demo1", "GameName", "is a folder"), 1);
}

TEST_F(CatalogCheckTest, ArchivesAreWalkedAsTheUnpackWindowWalksThem) {
  const std::string keys = "InstallType=2\nDirDetect=5\nReadmeName=readme.txt\nGameName=game.exe\n";
  PutRar("DEMOS/Game/game.rar", {{"game.exe", std::string(1000, 'x')}, {"readme.txt", std::string(24, 'r')}});
  Check(OneDemo(keys + "InstallName=game.rar\nUnpackedSize=1024\n"));
  EXPECT_EQ(Found(Severity::kWarning, "Demo1", "UnpackedSize"), 0) << All();
  EXPECT_EQ(Found(Severity::kError, "Demo1", "InstallName"), 0);
  Check(OneDemo(keys + "InstallName=game.rar\nUnpackedSize=1000\nSetupName=install.exe\n"));
  EXPECT_EQ(Found(Severity::kWarning, "Demo1", "UnpackedSize", "1000 but the archive holds 1024 bytes"), 1)
      << All();
  EXPECT_EQ(Found(Severity::kError, "Demo1", "SetupName", "install.exe is not in the archive"), 1);

  PutRar("DEMOS/Game/evil.rar", {{"..\\..\\evil.exe", "x"}, {"game.exe", "x"}});
  Check(OneDemo(keys + "InstallName=evil.rar\n"));
  EXPECT_EQ(Found(Severity::kError, "Demo1", "InstallName", "would leave the target folder"), 1) << All();

  fs::copy_file(test::SourceDir() / "tests/data/rar/test_read_format_rar4_encrypted.rar",
                dir_.path() / "disc/DEMOS/Game/locked.rar");
  Check(OneDemo(keys + "InstallName=locked.rar\n"));
  EXPECT_GE(Found(Severity::kError, "Demo1", "InstallName", "is encrypted"), 1) << All();

  const auto whole = fs::file_size(dir_.path() / "disc/DEMOS/Game/game.rar");
  fs::resize_file(dir_.path() / "disc/DEMOS/Game/game.rar", whole - 300);
  Check(OneDemo(keys + "InstallName=game.rar\nUnpackedSize=1000\n"));
  EXPECT_EQ(Found(Severity::kError, "Demo1", "InstallName", "damaged or incomplete"), 1) << All();
  // A damaged archive tells no size: nothing to compare with.
  EXPECT_EQ(Found(Severity::kWarning, "Demo1", "UnpackedSize"), 0);
}

TEST_F(CatalogCheckTest, InstallTypesDetectionAndUninstallEntriesAreReadWithTheMenusRules) {
  Check(OneDemo(
      "InstallType=4\nInstallName=\nDirDetect=2\nRegKey=Software\\Game\n"
      "Uninstall=DC:\\windows,DG..\\..,RMDSOFTWARE,RUD\\Software\\Firm\\Game,XQ,RMFSoftware\\Game\n"));
  EXPECT_EQ(Found(Severity::kError, "Demo1", "InstallName", "needs InstallName"), 1) << All();
  EXPECT_EQ(Found(Severity::kError, "Demo1", "TestName", "never ends"), 1);
  EXPECT_EQ(Found(Severity::kError, "Demo1", "RegName", "RegKey and RegName"), 1);
  EXPECT_EQ(Found(Severity::kError, "Demo1", "Uninstall", "\"DC:\\windows\" aims at a protected folder"), 1);
  // Below the item's folder, but up to the drive's root.
  EXPECT_EQ(Found(Severity::kError, "Demo1", "Uninstall", "\"DG..\\..\" aims at a protected folder"), 1);
  // The uninstall reads "MDSOFTWARE" as "MD\SOFTWARE".
  EXPECT_EQ(Found(Severity::kError, "Demo1", "Uninstall", "\"RMDSOFTWARE\" aims at a protected registry key"),
            1);
  EXPECT_EQ(Found(Severity::kError, "Demo1", "Uninstall", "Firm"), 0);
  EXPECT_EQ(Found(Severity::kWarning, "Demo1", "Uninstall", "\"XQ\" is not an uninstall command"), 1);
  EXPECT_EQ(Found(Severity::kWarning, "Demo1", "Uninstall", "names no value"), 1);

  // A '?' is read by unpacked items: its G entry locates the uninstaller. A disc item runs the list as it
  // stands, where "?Guninst.exe" is no command.
  Check(OneDemo("InstallType=2\nInstallName=game.rar\nDirDetect=5\nUninstall=?Guninst.exe,DG\n"));
  EXPECT_EQ(Found(Severity::kWarning, "Demo1", "Uninstall"), 0) << All();
  Check(OneDemo("InstallType=0\nTestName=game.exe\nUninstall=?Guninst.exe\n"));
  EXPECT_EQ(Found(Severity::kWarning, "Demo1", "Uninstall", "\"?Guninst.exe\" is not an uninstall command"),
            1)
      << All();
}

TEST_F(CatalogCheckTest, TextsThatClipAndBytesOutsideTheCodePage) {
  // The item list is 127 pixels wide, the panel's title 225.
  Check(OneDemo("FullName=A title of exactly thirty letters\nFirm=Firm\xE8\n", "") +
        "[Demo1b]\nName=\x83\nTitle=\xC5\xA1koda\n");
  EXPECT_EQ(Found(Severity::kWarning, "Demo1", "FullName", "is cut in the panel's title"), 1) << All();
  EXPECT_EQ(Found(Severity::kWarning, "Demo1", "Name"), 0);
  EXPECT_EQ(Found(Severity::kWarning, "Demo1b", "Name", "byte 0x83 at 1 has no character in Windows-1250"),
            1);
  EXPECT_EQ(Found(Severity::kWarning, "Demo1b", "Title", "looks like UTF-8"), 1);
  EXPECT_EQ(Found(Severity::kWarning, "Demo1", "Firm"), 0);  // è of Windows-1250
  // 0x83 is a letter of the Turkish edition's code page.
  Check(OneDemo("", "Version=2\n") + "[Demo1b]\nName=\x83\n");
  EXPECT_EQ(Found(Severity::kWarning, "Demo1b", "Name"), 0) << All();
}

TEST_F(CatalogCheckTest, PicturesMustDecodeAndFitTheirBoxes) {
  Put("Norva/Small/big.bmp", "WxH0300x0100");
  Put("Norva/Small/bad01.bmp", "GIF89a");
  Put("Norva/bad01.jpg", "WxH0640x0480");
  Check(OneDemo("Picture=big\n"));
  EXPECT_EQ(Found(Severity::kWarning, "Demo1", "Picture", "big.bmp is 300x100; the panel shows 243x151"), 1)
      << All();
  Check(OneDemo("Picture=bad\n"));
  EXPECT_EQ(Found(Severity::kError, "Demo1", "Picture", "bad01.bmp does not decode: not a picture"), 1)
      << All();
  EXPECT_EQ(Found(Severity::kNote, "Demo1", "Picture", "bad01.jpg is 640x480"), 1);
  Check(OneDemo("Picture=none\n"));
  EXPECT_EQ(Found(Severity::kError, "Demo1", "Picture", "none.bmp is missing"), 1) << All();
}

TEST(FindingsTest, OneLineForPeopleAndOneEscapedJsonObjectForTools) {
  const Finding item{Severity::kWarning, "Demo3", "FullName", "\"Cesta\" is cut\\\n\x01 \xC5\xA1"};
  EXPECT_EQ(FormatLine("NORVAXP.INI", item), "NORVAXP.INI: warning: [Demo3] FullName: " + item.message);
  EXPECT_EQ(FormatLine("NORVAXP.INI", {Severity::kNote, "Main", "", "x"}), "NORVAXP.INI: note: [Main] x");
  EXPECT_EQ(FormatLine("NORVAXP.INI", {Severity::kError, "", "", "x"}), "NORVAXP.INI: error: x");
  EXPECT_EQ(FormatJson(item),
            "{\"severity\":\"warning\",\"section\":\"Demo3\",\"key\":\"FullName\","
            "\"message\":\"\\\"Cesta\\\" is cut\\\\\\u000a\\u0001 \xC5\xA1\"}");
}

}  // namespace
}  // namespace norva::check
