#include "platform/wine/private_profile_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/wine/wine_ini_files.h"
#include "support/temp_dir.h"

namespace norva::platform::wine {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;
using namespace std::string_literals;

std::vector<std::string> FilesIn(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  return names;
}

class PrivateProfileFileTest : public ::testing::Test {
 protected:
  // Asks the file system at every call, so that each step below sees the file as it is.
  PrivateProfileFile Open(const char* name) {
    return PrivateProfileFile(name, dir_.path() / name, std::chrono::milliseconds(0));
  }

  test::TempDir dir_;
};

TEST_F(PrivateProfileFileTest, MissingFileReadsEmptyAndFirstWriteCreatesIt) {
  PrivateProfileFile ini = Open("win1.tmp");
  EXPECT_EQ(ini.FileName(), "win1.tmp");
  EXPECT_EQ(ini.ReadString("App", "key", "default"), "default");
  EXPECT_EQ(ini.ReadSections(), Names{});
  EXPECT_FALSE(ini.SectionExists("App"));
  EXPECT_TRUE(ini.DeleteKey("App", "key"));  // nothing to delete is no error, and creates nothing
  EXPECT_TRUE(ini.EraseSection("App"));
  EXPECT_FALSE(fs::exists(dir_.path() / "win1.tmp"));

  ASSERT_TRUE(ini.WriteString("App", "key", "string"));
  EXPECT_EQ(dir_.Read("win1.tmp"), "[App]\r\nkey=string\r\n");
  EXPECT_EQ(ini.ReadString("app", "KEY", ""), "string");
  EXPECT_EQ(FilesIn(dir_.path()), Names{"win1.tmp"});
}

TEST_F(PrivateProfileFileTest, EditKeepsTheRestOfTheFileByteForByte) {
  const std::string before =
      "; Norva store\r\n\r\n[Main]\r\nLanguage = 1\r\nMusic=1\r\n\r\n; "
      "issues\r\n[CD0105]\r\nGAME=C:\\Games\\x\r\n";
  dir_.Write("norva.ini", before);
  PrivateProfileFile ini = Open("norva.ini");
  ASSERT_TRUE(ini.WriteString("Main", "language", "2"));
  ASSERT_TRUE(ini.WriteString("MAIN", "Slow", "0"));
  ASSERT_TRUE(ini.WriteString("CD0206", "NEW GAME", "D:\\x"));
  EXPECT_EQ(dir_.Read("norva.ini"),
            "; Norva store\r\n\r\n[Main]\r\nLanguage = 2\r\nMusic=1\r\nSlow=0\r\n\r\n; issues\r\n[CD0105]\r\n"
            "GAME=C:\\Games\\x\r\n[CD0206]\r\nNEW GAME=D:\\x\r\n");
  ASSERT_TRUE(ini.DeleteKey("cd0105", "game"));
  ASSERT_TRUE(ini.EraseSection("Cd0206"));
  EXPECT_EQ(
      dir_.Read("norva.ini"),
      "; Norva store\r\n\r\n[Main]\r\nLanguage = 2\r\nMusic=1\r\nSlow=0\r\n\r\n; issues\r\n[CD0105]\r\n");
  EXPECT_EQ(ini.ReadSections(), (Names{"Main", "CD0105"}));
  EXPECT_EQ(ini.ReadSection("main"), (Names{"Language", "Music", "Slow"}));
}

TEST_F(PrivateProfileFileTest, WritingTheSameValueLeavesTheFileAlone) {
  const fs::path path = dir_.Write("a.ini", "[s]\r\nk=v\r\n");
  struct stat first {};
  ASSERT_EQ(::stat(path.c_str(), &first), 0);
  PrivateProfileFile ini = Open("a.ini");
  EXPECT_TRUE(ini.WriteString("s", "k", "v"));
  struct stat second {};
  ASSERT_EQ(::stat(path.c_str(), &second), 0);
  EXPECT_EQ(second.st_ino, first.st_ino);  // a rewrite would have renamed a new file over it
}

TEST_F(PrivateProfileFileTest, SeesChangesMadeByOtherPrograms) {
  dir_.Write("t.ini", "[s]\r\nKey=123\r\n");
  PrivateProfileFile ini = Open("t.ini");
  EXPECT_EQ(ini.ReadInteger("s", "Key", 421), 123);

  // Replaced by rename, as our own writes and many editors do: same size, new file.
  const fs::path path = dir_.Write("t.new", "[s]\r\nKey=124\r\n");
  fs::rename(path, dir_.path() / "t.ini");
  EXPECT_EQ(ini.ReadInteger("s", "Key", 421), 124);

  // Rewritten in place.
  dir_.Write("t.ini", "[s]\r\nKey=12345\r\n[t]\r\n");
  EXPECT_EQ(ini.ReadInteger("s", "Key", 421), 12345);
  EXPECT_TRUE(ini.SectionExists("t"));

  // A write starts from the file as it is now, not from the copy read before.
  dir_.Write("t.ini", "[s]\r\nKey=1\r\nOther=2\r\n");
  ASSERT_TRUE(ini.WriteString("s", "Third", "3"));
  EXPECT_EQ(dir_.Read("t.ini"), "[s]\r\nKey=1\r\nOther=2\r\nThird=3\r\n");

  fs::remove(dir_.path() / "t.ini");
  EXPECT_EQ(ini.ReadInteger("s", "Key", 421), 421);
}

TEST_F(PrivateProfileFileTest, AnUpdateWritesTheFileOnceWithTheChangesOfOthersKept) {
  dir_.Write("norva.ini", "[Main]\r\nLanguage=1\r\n[CD0206]\r\nOLD=C:\\Old\r\nOLD_=OLD.EXE,,,\r\n");
  PrivateProfileFile store = Open("norva.ini");
  {
    IniUpdate update(&store);
    EXPECT_TRUE(store.WriteString("CD0206", "GAME", "C:\\Games\\Game"));
    EXPECT_TRUE(store.WriteString("CD0206", "GAME_", "GAME.EXE,Game,,"));
    EXPECT_TRUE(store.DeleteKey("CD0206", "OLD"));
    EXPECT_TRUE(store.DeleteKey("CD0206", "OLD_"));
    EXPECT_EQ(store.ReadString("CD0206", "GAME", ""), "C:\\Games\\Game");
    EXPECT_EQ(store.ReadString("CD0206", "OLD", "gone"), "gone");
    EXPECT_EQ(store.rewrites(), 0u);
    // Another program changes the file meanwhile; the update is made to its file.
    dir_.Write("norva.ini",
               "[Main]\r\nLanguage=1\r\nMusic=0\r\n[CD0206]\r\nOLD=C:\\Old\r\nOLD_=OLD.EXE,,,\r\n");
    EXPECT_EQ(store.ReadInteger("Main", "Music", 1), 0);
    EXPECT_EQ(store.ReadString("CD0206", "GAME_", ""), "GAME.EXE,Game,,");
  }
  EXPECT_EQ(store.rewrites(), 1u);
  EXPECT_EQ(
      dir_.Read("norva.ini"),
      "[Main]\r\nLanguage=1\r\nMusic=0\r\n[CD0206]\r\nGAME=C:\\Games\\Game\r\nGAME_=GAME.EXE,Game,,\r\n");

  // A file that cannot be written fails each write at once, as without an update, and is left alone.
  fs::permissions(dir_.path() / "norva.ini", fs::perms::owner_write, fs::perm_options::remove);
  store.BeginUpdate();
  EXPECT_FALSE(store.WriteString("Main", "Slow", "1"));
  EXPECT_TRUE(store.EndUpdate());
  EXPECT_EQ(store.rewrites(), 1u);
}

TEST_F(PrivateProfileFileTest, UnicodeFilesAreReadInTheCodePageAndWrittenInTheirOwnEncoding) {
  auto utf16le = [](std::u16string_view text) {
    std::string bytes = "\xFF\xFE";
    for (const char16_t unit : text) bytes += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
    return bytes;
  };
  // As other programs of the machine may write the store.
  dir_.Write("norva.ini", utf16le(u"[CD0105]\r\nK\u016F\u0148=C:\\Hry\r\n"));
  PrivateProfileFile store("norva.ini", dir_.path() / "norva.ini", std::chrono::milliseconds(0),
                           std::make_shared<const CodePage>(CodePage::kCentralEuropean));
  EXPECT_EQ(store.ReadSection("CD0105"), Names{"K\xF9\xF2"});  // Windows-1250: ů 0xF9, ň 0xF2
  EXPECT_EQ(store.ReadString("cd0105", "K\xD9\xD2", ""), "C:\\Hry");
  ASSERT_TRUE(store.WriteString("CD0105", "K\xF9\xF2_", "GAME.EXE,,,"));
  EXPECT_EQ(dir_.Read("norva.ini"),
            utf16le(u"[CD0105]\r\nK\u016F\u0148=C:\\Hry\r\nK\u016F\u0148_=GAME.EXE,,,\r\n"));
}

TEST_F(PrivateProfileFileTest, ReadBurstsTrustTheCopyForTheRecheckIntervalButWritesNever) {
  dir_.Write("t.ini", "[s]\r\nKey=123\r\n");
  PrivateProfileFile ini("t.ini", dir_.path() / "t.ini", std::chrono::milliseconds(50));
  EXPECT_EQ(ini.ReadInteger("s", "Key", 421), 123);

  // A write right after another program's edit starts from that edit.
  dir_.Write("t.ini", "[s]\r\nKey=124\r\nMine=0\r\n");
  ASSERT_TRUE(ini.WriteString("s", "Mine", "1"));
  EXPECT_EQ(dir_.Read("t.ini"), "[s]\r\nKey=124\r\nMine=1\r\n");
  EXPECT_EQ(ini.ReadInteger("s", "Key", 421), 124);

  const fs::path path = dir_.Write("t.new", "[s]\r\nKey=125\r\n");
  fs::rename(path, dir_.path() / "t.ini");
  std::this_thread::sleep_for(std::chrono::milliseconds(120));
  EXPECT_EQ(ini.ReadInteger("s", "Key", 421), 125);
}

TEST_F(PrivateProfileFileTest, FailedWritesLeaveTheOldFileWholeAndNoLitter) {
  const std::string old = "[s]\r\nk=old\r\n";
  const fs::path folder = dir_.path() / "ro";
  dir_.Write("ro/a.ini", old);
  PrivateProfileFile in_read_only_folder("a.ini", folder / "a.ini", std::chrono::milliseconds(0));
  fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_FALSE(in_read_only_folder.WriteString("s", "k", "new"));
  EXPECT_FALSE(in_read_only_folder.DeleteKey("s", "k"));
  fs::permissions(folder, fs::perms::owner_all);
  EXPECT_EQ(dir_.Read("ro/a.ini"), old);
  EXPECT_EQ(FilesIn(folder), Names{"a.ini"});
  EXPECT_EQ(in_read_only_folder.ReadString("s", "k", ""), "old");  // the copy was read again

  const fs::path read_only = dir_.Write("b.ini", old);
  fs::permissions(read_only, fs::perms::owner_read | fs::perms::group_read);
  PrivateProfileFile read_only_file = Open("b.ini");
  EXPECT_FALSE(read_only_file.WriteString("s", "k", "new"));
  EXPECT_EQ(dir_.Read("b.ini"), old);

  PrivateProfileFile in_missing_folder("c.ini", dir_.path() / "missing" / "c.ini",
                                       std::chrono::milliseconds(0));
  EXPECT_FALSE(in_missing_folder.WriteString("s", "k", "v"));
  EXPECT_EQ(in_missing_folder.ReadString("s", "k", "d"), "d");

  // A path that cannot be read is never written over, whatever it holds.
  fs::create_directory(dir_.path() / "d.ini");
  PrivateProfileFile folder_as_file = Open("d.ini");
  EXPECT_EQ(folder_as_file.ReadString("s", "k", "d"), "d");
  EXPECT_FALSE(folder_as_file.WriteString("s", "k", "v"));
  EXPECT_TRUE(fs::is_directory(dir_.path() / "d.ini"));

  PrivateProfileFile nowhere("E:\\x.ini", std::nullopt);
  EXPECT_EQ(nowhere.ReadString("s", "k", "d"), "d");
  EXPECT_FALSE(nowhere.WriteString("s", "k", "v"));

  PrivateProfileFile refused = Open("e.ini");
  EXPECT_FALSE(refused.WriteString("s", "k", "two\r\nlines"));
  EXPECT_FALSE(fs::exists(dir_.path() / "e.ini"));
}

TEST_F(PrivateProfileFileTest, WritesKeepPermissionsAndLinks) {
  const fs::path real = dir_.Write("real.ini", "[s]\r\n");
  fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  fs::create_symlink(real, dir_.path() / "link.ini");
  PrivateProfileFile ini = Open("link.ini");
  ASSERT_TRUE(ini.WriteString("s", "k", "v"));
  EXPECT_TRUE(fs::is_symlink(dir_.path() / "link.ini"));
  EXPECT_EQ(dir_.Read("real.ini"), "[s]\r\nk=v\r\n");
  EXPECT_EQ(fs::status(real).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(PrivateProfileFileTest, IntegersAndBooleansReadAsTheVclReadsThem) {
  struct Case {
    const char* stored;  // nullptr: no such key
    std::int32_t expected;
  };
  const Case cases[] = {
      {"42", 42},
      {" -7 ", -7},
      {"+5", 5},
      {"007", 7},
      {"0x1F", 31},
      {"0X1f", 31},
      {"$ff", 255},
      {"$FFFFFFFF", -1},
      {"-$10", -16},
      {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN},
      {"2147483648", 99},
      {"-2147483649", 99},
      {"$100000000", 99},
      {"4294967296", 99},
      {"12abc", 99},
      {"B42", 99},
      {"", 99},
      {"0b101", 99},
      {"0x", 99},
      {"$", 99},
      {"-", 99},
      {"1 2", 99},
      {"1.5", 99},
      {nullptr, 99},
  };
  PrivateProfileFile ini = Open("int.ini");
  for (const Case& c : cases) {
    if (c.stored != nullptr) {
      ASSERT_TRUE(ini.WriteString("Test", "ProfileInt", c.stored));
    } else {
      ASSERT_TRUE(ini.DeleteKey("Test", "ProfileInt"));
    }
    EXPECT_EQ(ini.ReadInteger("Test", "ProfileInt", 99), c.expected) << (c.stored ? c.stored : "(absent)");
  }

  dir_.Write("int.ini", "[b]\r\none=1\r\nzero=0\r\nminus=-1\r\nword=yes\r\nbare\r\n");
  EXPECT_TRUE(ini.ReadBool("b", "one", false));
  EXPECT_FALSE(ini.ReadBool("b", "zero", true));
  EXPECT_TRUE(ini.ReadBool("b", "minus", false));
  EXPECT_TRUE(ini.ReadBool("b", "word", true));
  EXPECT_FALSE(ini.ReadBool("b", "word", false));
  EXPECT_TRUE(ini.ReadBool("b", "bare", true));
  EXPECT_TRUE(ini.ReadBool("b", "missing", true));

  ASSERT_TRUE(ini.WriteInteger("w", "i", -2147483647 - 1));
  ASSERT_TRUE(ini.WriteBool("w", "t", true));
  ASSERT_TRUE(ini.WriteBool("w", "f", false));
  EXPECT_EQ(ini.ReadString("w", "i", ""), "-2147483648");
  EXPECT_EQ(ini.ReadString("w", "t", ""), "1");
  EXPECT_EQ(ini.ReadString("w", "f", ""), "0");
}

TEST_F(PrivateProfileFileTest, ValueExistsForListedKeysOnly) {
  dir_.Write("v.ini", "[s]\r\nname1=val1\r\nname2=\r\nname3\r\n");
  PrivateProfileFile ini = Open("v.ini");
  EXPECT_TRUE(ini.ValueExists("S", "NAME1"));
  EXPECT_TRUE(ini.ValueExists("s", "name2"));  // an empty value is a value
  EXPECT_FALSE(ini.ValueExists("s", "name3"));
  EXPECT_FALSE(ini.ValueExists("s", "name4"));
  EXPECT_FALSE(ini.ValueExists("t", "name1"));
}

// The parts of the machine that opening an INI file uses: drive C: lies in a scratch folder.
class ScratchMachine : public FileSystem, public SystemInfo {
 public:
  explicit ScratchMachine(fs::path drive_c) : drive_c_(std::move(drive_c)) {}

  std::optional<std::string> HostPath(std::string_view dos_path) override {
    if (dos_path.size() < 3 || (dos_path[0] != 'C' && dos_path[0] != 'c') || dos_path.substr(1, 2) != ":\\") {
      return std::nullopt;
    }
    std::string relative(dos_path.substr(3));
    for (char& c : relative) {
      if (c == '\\') c = '/';
    }
    return (drive_c_ / relative).string();
  }
  bool FileExists(std::string_view) override { return false; }
  bool DirExists(std::string_view) override { return false; }
  std::optional<std::string> ReadFile(std::string_view) override { return std::nullopt; }
  bool WriteFileAtomic(std::string_view, std::string_view, platform::Error*) override { return false; }
  std::optional<std::vector<DirEntry>> ListDir(std::string_view) override { return std::nullopt; }
  bool CreateDir(std::string_view, platform::Error*) override { return false; }
  bool RemoveFile(std::string_view, platform::Error*) override { return false; }
  bool RemoveDir(std::string_view, platform::Error*) override { return false; }
  bool SetReadOnly(std::string_view, bool) override { return false; }
  std::string CurrentDir() override { return "C:\\"; }
  bool SetCurrentDir(std::string_view) override { return false; }

  int PlatformId() override { return 2; }
  std::string WindowsDirectory() override { return "C:\\windows"; }
  std::string SystemDirectory() override { return "C:\\windows\\system32"; }
  std::optional<std::string> GetEnv(std::string_view) override { return std::nullopt; }
  bool IsAdmin() override { return true; }
  std::string ProgramPath() override { return "D:\\NORVA.EXE"; }

 private:
  fs::path drive_c_;
};

TEST(WineIniFiles, BareNamesLiveInTheWindowsFolderAndUnmappedPathsNeverWrite) {
  test::TempDir dir;
  dir.Write("windows/winetest.ini", "[section1]\r\nname1=windows\r\n");
  dir.Write("winetest.ini", "[section1]\r\nname1=root\r\n");
  ScratchMachine machine(dir.path());
  WineIniFiles files(machine, machine);

  auto bare = files.Open("winetest.ini");
  EXPECT_EQ(bare->FileName(), "C:\\windows\\winetest.ini");
  EXPECT_EQ(bare->ReadString("section1", "name1", "d"), "windows");
  EXPECT_EQ(files.Open("C:\\winetest.ini")->ReadString("section1", "name1", "d"), "root");

  ASSERT_TRUE(files.Open("win1.tmp")->WriteString("App", "key", "string"));
  EXPECT_EQ(dir.Read("windows/win1.tmp"), "[App]\r\nkey=string\r\n");

  for (const char* nowhere : {"E:\\norva.ini", ""}) {
    auto ini = files.Open(nowhere);
    EXPECT_EQ(ini->FileName(), nowhere);
    EXPECT_EQ(ini->ReadString("section1", "name1", "default"), "default");
    EXPECT_FALSE(ini->WriteString("App", "key", "string"));
  }
}

}  // namespace
}  // namespace norva::platform::wine
