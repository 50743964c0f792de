#include "install/shell_linker.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "install/lnk_writer.h"
#include "support/temp_dir.h"

namespace norva::install {
namespace {

using platform::CodePage;
using test::LnkSpec;
using test::WriteShellLink;

std::string Ansi(const std::string& utf8, CodePage code_page = CodePage::kCentralEuropean) {
  return platform::Utf8ToAnsi(utf8, code_page);
}

// The sample shortcuts: the repository's copies first, else the shared corpus beside the repository.
std::filesystem::path CorpusDir() {
  const std::filesystem::path copies = test::SourceDir() / "tests" / "data" / "lnk";
  if (std::filesystem::exists(copies / "lnkrs_test.lnk")) return copies;
  const std::filesystem::path shared = test::SourceDir() / ".." / "shared" / "corpus" / "lnk";
  if (std::filesystem::exists(shared / "lnkrs_test.lnk")) return shared;
  return {};
}

struct CorpusCase {
  const char* file;
  bool ok;
  const char* path;  // UTF-8, as the target should read
  const char* working_dir;
  const char* arguments = "";
  const char* description = "";
  const char* icon = nullptr;  // nullptr: the path
  bool has_id_list = true;
};

const std::vector<CorpusCase>& CorpusCases() {
  static const std::vector<CorpusCase> cases = {
      {"libarchive_testshortcut.lnk", true, "C:\\Documents and Settings\\owner\\Desktop\\test.txt",
       "C:\\Documents and Settings\\owner\\Desktop"},
      {"lnkrs_test.lnk", true, "C:\\test\\a.txt", "C:\\test"},
      {"pylnk_local_file.lnk", true, "C:\\Windows\\explorer.exe", "C:\\Windows"},
      {"pylnk_local_folder.lnk", true, "C:\\Users\\stray\\Desktop\\New folder", ""},
      {"pylnk_desktop.lnk", true, "C:\\Users\\heznik\\Desktop", ""},
      {"pylnk_local_disk.lnk", true, "C:\\", ""},
      {"pylnk_diacritic_symbols.lnk", true, "D:\\ööö\\äöüàéèíïóòúü.txt", "D:\\ööö"},
      {"pylnk_local_emoji.lnk", true, "C:\\Users\\Public\\Downloads\\test❤️and🍰.txt",
       "C:\\Users\\Public\\Downloads"},
      {"pylnk_local_thispc.lnk", false, "", ""},
      {"pylnk_mounted_folder1_file1.lnk", true, "Z:\\Downloads\\folder1\\file1.txt",
       "Z:\\Downloads\\folder1"},
      {"pylnk_net_folder1_file1.lnk", true, "\\\\192.168.138.2\\STORAGE\\Downloads\\folder1\\file1.txt",
       "\\\\192.168.138.2\\storage\\Downloads\\folder1", "", "", nullptr, false},
      {"pylnk_recent1.lnk", true, "C:\\Users\\heznik\\Downloads\\2020M09_01_contract.pdf",
       "C:\\Users\\heznik\\Downloads"},
      {"pylnk_send_to_fax.lnk", true, "%windir%\\system32\\WFS.exe", "", "/SendTo",
       "@%windir%\\system32\\FXSRESM.dll,-121", "%windir%\\system32\\WFSR.dll", false},
      {"pylnk_uwp_calc.lnk", false, "", ""},
      {"mslinks_testlink3.lnk", true,
       "E:\\Музыка\\Yousei Teikoku\\1997 - Momo no Hane (桃の羽)\\07. Hoshi ni Negai wo (星に願いを).mp3",
       "E:\\Музыка\\Yousei Teikoku\\1997 - Momo no Hane (桃の羽)"},
      {"mslinks_testlink8.lnk", true, "C:\\Users\\admin\\AppData\\Roaming\\Network Meter_Settings.ini",
       "%appdata%"},
  };
  return cases;
}

std::vector<std::pair<std::string, std::string>> CorpusFiles() {
  std::vector<std::pair<std::string, std::string>> files;
  const std::filesystem::path dir = CorpusDir();
  if (dir.empty()) return files;
  for (const CorpusCase& c : CorpusCases()) {
    files.emplace_back(c.file, test::TempDir::ReadFile(dir / c.file));
  }
  return files;
}

TEST(ShellLinkerCorpus, EverySampleGivesTheExpectedFields) {
  if (CorpusDir().empty()) GTEST_SKIP() << "no shortcut samples";
  for (CodePage code_page : {CodePage::kCentralEuropean, CodePage::kTurkish}) {
    for (const CorpusCase& c : CorpusCases()) {
      SCOPED_TRACE(c.file);
      const std::string bytes = test::TempDir::ReadFile(CorpusDir() / c.file);
      ASSERT_FALSE(bytes.empty());
      TLinkInfo info;
      ASSERT_EQ(ParseShellLink(bytes, code_page, info), c.ok);
      if (!c.ok) {
        EXPECT_TRUE(info.Path.empty());
        EXPECT_FALSE(info.HasIDList);
        continue;
      }
      EXPECT_EQ(info.Path, Ansi(c.path, code_page));
      EXPECT_EQ(info.WorkingDirectory, Ansi(c.working_dir, code_page));
      EXPECT_EQ(info.Arguments, Ansi(c.arguments, code_page));
      EXPECT_EQ(info.Description, Ansi(c.description, code_page));
      EXPECT_EQ(info.IconLocation, c.icon ? Ansi(c.icon, code_page) : info.Path);
      EXPECT_EQ(info.HasIDList, c.has_id_list);
      EXPECT_EQ(info.IconIndex, 0);
      EXPECT_EQ(info.HotKey, 0);
      EXPECT_EQ(info.ShowState, 0);
    }
  }
}

TEST(ShellLinkerCorpus, EmptyItemListIsKeptAsStored) {
  if (CorpusDir().empty()) GTEST_SKIP() << "no shortcut samples";
  TLinkInfo info;
  ASSERT_TRUE(ParseShellLink(test::TempDir::ReadFile(CorpusDir() / "pylnk_desktop.lnk"),
                             CodePage::kCentralEuropean, info));
  EXPECT_TRUE(info.HasIDList);
  EXPECT_EQ(info.IDList, std::string(2, '\0'));  // the terminator alone
}

// Every prefix of a sample either fails with a cleared record or still names the same target; random byte
// flips never crash or read outside the bytes (run under a sanitizer to see the latter).
void CheckDamagedCopies(const std::string& name, const std::string& bytes) {
  SCOPED_TRACE(name);
  TLinkInfo whole;
  const bool whole_ok = ParseShellLink(bytes, CodePage::kCentralEuropean, whole);
  for (std::size_t length = 0; length < bytes.size(); ++length) {
    const std::string prefix = bytes.substr(0, length);  // its own allocation, so overreads show
    TLinkInfo info;
    if (ParseShellLink(prefix, CodePage::kCentralEuropean, info)) {
      ASSERT_TRUE(whole_ok) << length;
      ASSERT_EQ(info.Path, whole.Path) << length;
    } else {
      ASSERT_TRUE(info.Path.empty() && info.WorkingDirectory.empty() && !info.HasIDList) << length;
    }
  }
  std::mt19937 random(static_cast<unsigned>(bytes.size()));
  for (int round = 0; round < 3000; ++round) {
    std::string damaged = bytes;
    const int flips = 1 + static_cast<int>(random() % 4);
    for (int k = 0; k < flips; ++k) {
      damaged[random() % damaged.size()] = static_cast<char>(random() & 0xFF);
    }
    TLinkInfo info;
    if (ParseShellLink(damaged, CodePage::kCentralEuropean, info)) {
      ASSERT_FALSE(info.Path.empty());
      ASSERT_LE(info.Path.size(), 259u);
      ASSERT_LE(info.IconLocation.size(), 259u);
    }
  }
  // Sizes that claim everything: each 16- and 32-bit field in turn set to its largest value.
  for (std::size_t offset = 0x4C; offset + 4 <= bytes.size() && offset < 0x400; ++offset) {
    for (std::size_t width : {2u, 4u}) {
      std::string damaged = bytes;
      for (std::size_t k = 0; k < width; ++k) damaged[offset + k] = '\xFF';
      TLinkInfo info;
      ParseShellLink(damaged, CodePage::kCentralEuropean, info);
    }
  }
}

TEST(ShellLinkerRobustness, DamagedSamplesNeverCrash) {
  const auto files = CorpusFiles();
  if (files.empty()) GTEST_SKIP() << "no shortcut samples";
  for (const auto& [name, bytes] : files) CheckDamagedCopies(name, bytes);
}

TEST(ShellLinkerRobustness, DamagedWrittenLinksNeverCrash) {
  LnkSpec link;
  link.target = "C:\\Hry\\Příšerně dlouhá\\HRA.EXE";
  link.working_dir = "C:\\Hry\\Příšerně dlouhá";
  link.arguments = "-window";
  link.icon_location = "C:\\Hry\\icon.ico";
  link.id_list = true;
  link.environment_target = true;
  CheckDamagedCopies("unicode", WriteShellLink(link));
  link.unicode = false;
  CheckDamagedCopies("ansi", WriteShellLink(link));
}

TEST(ShellLinker, RefusesWhatIsNotAShellLink) {
  TLinkInfo info;
  info.Path = "stale";
  EXPECT_FALSE(ParseShellLink("", CodePage::kCentralEuropean, info));
  EXPECT_TRUE(info.Path.empty());
  EXPECT_FALSE(
      ParseShellLink("[InternetShortcut]\r\nURL=http://example.com/\r\n", CodePage::kCentralEuropean, info));
  // A right header size with another class id.
  LnkSpec link;
  link.target = "C:\\GAME.EXE";
  std::string other = WriteShellLink(link);
  other[4] = '\x02';
  EXPECT_FALSE(ParseShellLink(other, CodePage::kCentralEuropean, info));
  // A valid link that names no target: only a description.
  link.link_info = false;
  link.description = "Readme";
  EXPECT_FALSE(ParseShellLink(WriteShellLink(link), CodePage::kCentralEuropean, info));
  EXPECT_TRUE(info.Description.empty());
}

TEST(ShellLinker, RoundTripsUnicodeAndAnsiLinks) {
  for (bool unicode : {true, false}) {
    for (CodePage code_page : {CodePage::kCentralEuropean, CodePage::kTurkish}) {
      SCOPED_TRACE(unicode ? "unicode" : "ansi");
      LnkSpec link;
      link.unicode = unicode;
      link.code_page = code_page;
      link.target =
          code_page == CodePage::kTurkish ? "C:\\Oyunlar\\Işık Ğ\\OYUN.EXE" : "C:\\Hry\\Žluťoučký\\HRA.EXE";
      link.working_dir = code_page == CodePage::kTurkish ? "C:\\Oyunlar\\Işık Ğ" : "C:\\Hry\\Žluťoučký";
      link.arguments = "-safe /w";
      link.description = "Spustit hru";
      link.icon_location = "C:\\Hry\\hra.ico";
      link.icon_index = -2;
      link.relative_path = ".\\HRA.EXE";
      TLinkInfo info;
      ASSERT_TRUE(ParseShellLink(WriteShellLink(link), code_page, info));
      EXPECT_EQ(info.Path, Ansi(link.target, code_page));
      EXPECT_EQ(info.WorkingDirectory, Ansi(link.working_dir, code_page));
      EXPECT_EQ(info.Arguments, "-safe /w");
      EXPECT_EQ(info.Description, "Spustit hru");
      EXPECT_EQ(info.IconLocation, "C:\\Hry\\hra.ico");
      EXPECT_EQ(info.IconIndex, -2);
      EXPECT_FALSE(info.HasIDList);
    }
  }
}

TEST(ShellLinker, TargetFromEachSourceWhenTheOthersAreMissing) {
  LnkSpec link;
  link.target = "D:\\Games\\Česká hra\\GAME.EXE";
  link.link_info = false;

  link.id_list = true;  // item list with Unicode long names
  TLinkInfo info;
  ASSERT_TRUE(ParseShellLink(WriteShellLink(link), CodePage::kCentralEuropean, info));
  EXPECT_EQ(info.Path, Ansi(link.target));
  EXPECT_TRUE(info.HasIDList);
  EXPECT_FALSE(info.IDList.empty());

  link.unicode = false;  // item list with ANSI names only
  ASSERT_TRUE(ParseShellLink(WriteShellLink(link), CodePage::kCentralEuropean, info));
  EXPECT_EQ(info.Path, Ansi(link.target));

  link.id_list = false;
  link.environment_target = true;
  ASSERT_TRUE(ParseShellLink(WriteShellLink(link), CodePage::kCentralEuropean, info));
  EXPECT_EQ(info.Path, Ansi(link.target));
  EXPECT_FALSE(info.HasIDList);
}

TEST(ShellLinker, LinkInfoPathWinsOverTheItemListAndEnvironmentBlock) {
  LnkSpec link;
  link.target = "C:\\Real\\GAME.EXE";
  link.unicode = false;  // no Unicode names anywhere: the ANSI link info path is the best source
  link.id_list = true;
  std::string bytes = WriteShellLink(link);
  // Rename the item list's last component so that the two sources differ.
  const auto at = bytes.find("GAME.EXE");
  ASSERT_NE(at, std::string::npos);
  bytes.replace(at, 4, "FAKE");
  TLinkInfo info;
  ASSERT_TRUE(ParseShellLink(bytes, CodePage::kCentralEuropean, info));
  EXPECT_EQ(info.Path, "C:\\Real\\GAME.EXE");
}

TEST(ShellLinker, ShowStateHotKeyAndIconFallback) {
  const std::map<std::uint32_t, std::uint8_t> show = {{1, 0}, {2, 1}, {3, 2}, {7, 1}, {0, 0}, {5, 0}};
  for (const auto& [command, state] : show) {
    LnkSpec link;
    link.target = "C:\\GAME.EXE";
    link.show_command = command;
    link.hot_key = 0x0641;  // Ctrl+Alt+A
    TLinkInfo info;
    ASSERT_TRUE(ParseShellLink(WriteShellLink(link), CodePage::kCentralEuropean, info));
    EXPECT_EQ(info.ShowState, state) << command;
    EXPECT_EQ(info.HotKey, 0x0641);
    EXPECT_EQ(info.IconLocation, "C:\\GAME.EXE");  // no icon named
  }
}

TEST(ShellLinker, TextsAreCutAt259Characters) {
  LnkSpec link;
  link.target = "C:\\" + std::string(300, 'p');
  link.arguments = std::string(400, 'a');
  link.working_dir = "C:\\" + std::string(258, 'w');  // exactly 261 characters
  for (bool unicode : {true, false}) {
    link.unicode = unicode;
    TLinkInfo info;
    ASSERT_TRUE(ParseShellLink(WriteShellLink(link), CodePage::kCentralEuropean, info));
    EXPECT_EQ(info.Path, link.target.substr(0, 259));
    EXPECT_EQ(info.IconLocation, info.Path);
    EXPECT_EQ(info.Arguments, std::string(259, 'a'));
    EXPECT_EQ(info.WorkingDirectory, link.working_dir.substr(0, 259));
  }
}

}  // namespace
}  // namespace norva::install
