// Wine's registry files: parsing every value form and escape, the three roots, deletions that keep the rest
// of the file as it was, and re-reading after the file changes.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/wine/reg_file.h"
#include "platform/wine/wine_registry.h"
#include "support/temp_dir.h"

namespace norva::platform::wine {
namespace {

namespace fs = std::filesystem;

const char kSystemReg[] =
    "WINE REGISTRY Version 2\n"
    ";; All keys relative to \\\\Machine\n"
    "\n"
    "#arch=win32\n"
    "\n"
    "[Software\\\\Classes\\\\.pdf] 1700000000\n"
    "#time=1da1b2c3d4e5f60\n"
    "@=\"AcroExch.Document\"\n"
    "\n"
    "[Software\\\\Classes\\\\txtfile] 1700000000\n"
    "@=\"Text Document (machine)\"\n"
    "\n"
    "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\Hra \\x10d\\x00e1st 2] 1700000001\n"
    "#time=1da1b2c3d4e5f61\n"
    "\"DisplayName\"=\"Hra \\x10d\\x00e1st 2 \\\"Gold\\\"\"\n"
    "\"UninstallString\"=str(2):\"%ProgramFiles%\\\\Hra\\\\unins000.exe\"\n"
    "\"Caf\\xe9\" = \"tab\\there\\nnew \\101\\x263a \\xd83d\\xde00 raw \xC5\xA1\"\n"
    "\"Multi\"=str(7):\"one\\0two\\0\"\n"
    "\"Version\"=dword:0000002a\n"
    "\"Blob\"=hex:de,ad,be,ef,00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,\\\n"
    "  14,15,16,17\n"
    "\"HexString\"=hex(2):25,00,54,00,4d,00,50,00,25,00,00,00\n"
    "\"Quoted\"=str:\"plain\"\n"
    "\n"
    "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\Other] 1700000002\n"
    "#class=\"Uninstall \\\"class\\\"\"\n"
    "#link\n"
    "\"DisplayName\"=\"Other\"\n"
    "\"SymbolicLinkValue\"=hex(6):5c,00,52,00\n"
    "\n"
    "[Software\\\\Vendor\\\\Game\\\\Settings] 1700000003\n"
    "\"Level\"=\"3\"\n"
    "\n"
    "[Software\\\\Wine\\\\Drives] 1700000004\n"
    "\"d:\"=\"cdrom\"\n"
    "\n"
    "[Software\\\\Wine\\\\Drives] 1700000005\n"
    "\"d:\"=\"hd\"\n"
    "\"e:\"=\"floppy\"\n";

const char kUserReg[] =
    "WINE REGISTRY Version 2\r\n"
    ";; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000\r\n"
    "\r\n"
    "[Software\\\\Classes\\\\txtfile] 1700000000\r\n"
    "@=\"Text Document (user)\"\r\n"
    "\r\n"
    "[Software\\\\Classes\\\\userkind\\\\shell\\\\open] 1700000000\r\n"
    "@=\"open\"\r\n"
    "\r\n"
    "[Volatile Environment] 1700000000\r\n"
    "\"x\"=\"y\"\r\n";

// Windows-1250 texts as the menu hands them in.
const char kHraCast[] = "Hra \xE8\xE1st 2";  // "Hra část 2"

class WineRegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_.Write("system.reg", kSystemReg);
    dir_.Write("user.reg", kUserReg);
    registry_.SetClock([] { return std::int64_t{1733600000}; });
  }
  static constexpr std::string_view kUninstall = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
  std::string UninstallKey(std::string_view name) const {
    return std::string(kUninstall) + "\\" + std::string(name);
  }

  test::TempDir dir_;
  WineRegistry registry_{dir_.path()};
};

TEST_F(WineRegistryTest, ReadsEveryStringFormAndEscape) {
  const std::string key = UninstallKey(kHraCast);
  EXPECT_TRUE(registry_.KeyExists(RegRoot::kLocalMachine, key));
  EXPECT_EQ(registry_.ReadString(RegRoot::kLocalMachine, key, "displayname"),
            std::string(kHraCast) + " \"Gold\"");
  EXPECT_EQ(registry_.ReadString(RegRoot::kLocalMachine, key, "UninstallString"),
            "%ProgramFiles%\\Hra\\unins000.exe");  // REG_EXPAND_SZ comes unexpanded
  // \t, \n, octal, a character outside the code page, a surrogate pair and raw UTF-8 (š is 0x9A).
  EXPECT_EQ(registry_.ReadString(RegRoot::kLocalMachine, key, "caf\xC9"), "tab\there\nnew A? ? raw \x9A");
  EXPECT_EQ(registry_.ReadString(RegRoot::kLocalMachine, key, "HexString"), "%TMP%");
  EXPECT_EQ(registry_.ReadString(RegRoot::kLocalMachine, key, "Quoted"), "plain");
  // Not strings, or absent.
  EXPECT_EQ(registry_.ReadString(RegRoot::kLocalMachine, key, "Multi"), std::nullopt);
  EXPECT_EQ(registry_.ReadString(RegRoot::kLocalMachine, key, "Version"), std::nullopt);
  EXPECT_EQ(registry_.ReadString(RegRoot::kLocalMachine, key, "Blob"), std::nullopt);
  EXPECT_EQ(registry_.ReadString(RegRoot::kLocalMachine, key, "Nothing"), std::nullopt);
  EXPECT_EQ(registry_.ReadString(RegRoot::kLocalMachine, "Software\\Missing", "x"), std::nullopt);
  EXPECT_EQ(registry_.ValueNames(RegRoot::kLocalMachine, key),
            (std::vector<std::string>{"DisplayName", "UninstallString", "Caf\xE9", "Multi", "Version", "Blob",
                                      "HexString", "Quoted"}));
}

TEST_F(WineRegistryTest, KeysMatchWithoutCaseAndImpliedParentsExist) {
  EXPECT_TRUE(registry_.KeyExists(RegRoot::kLocalMachine, "\\SOFTWARE\\microsoft\\"));
  EXPECT_TRUE(registry_.KeyExists(RegRoot::kLocalMachine, UninstallKey("HRA \xC8\xC1ST 2")));
  EXPECT_FALSE(registry_.KeyExists(RegRoot::kLocalMachine, "Software\\Micro"));
  EXPECT_EQ(registry_.SubKeyNames(RegRoot::kLocalMachine, std::string(kUninstall)),
            (std::vector<std::string>{kHraCast, "Other"}));
  EXPECT_EQ(registry_.SubKeyNames(RegRoot::kLocalMachine, ""), (std::vector<std::string>{"Software"}));
  EXPECT_TRUE(registry_.HasSubKeys(RegRoot::kLocalMachine, "Software\\Vendor"));
  EXPECT_FALSE(registry_.HasSubKeys(RegRoot::kLocalMachine, "Software\\Vendor\\Game\\Settings"));
  EXPECT_EQ(registry_.ValueNames(RegRoot::kLocalMachine, UninstallKey("other")),
            (std::vector<std::string>{"DisplayName", "SymbolicLinkValue"}));
  EXPECT_EQ(registry_.ReadString(RegRoot::kLocalMachine, UninstallKey("other"), "DisplayName"), "Other");
  // A key written twice is merged; the later block wins.
  EXPECT_EQ(registry_.ReadString(RegRoot::kLocalMachine, "Software\\Wine\\Drives", "D:"), "hd");
  EXPECT_EQ(registry_.ReadString(RegRoot::kLocalMachine, "Software\\Wine\\Drives", "e:"), "floppy");
  EXPECT_TRUE(registry_.KeyExists(RegRoot::kCurrentUser, "volatile environment"));
  EXPECT_FALSE(registry_.KeyExists(RegRoot::kCurrentUser, "Software\\Wine\\Drives"));
}

TEST_F(WineRegistryTest, ClassesRootMergesUserOverMachine) {
  EXPECT_EQ(registry_.ReadString(RegRoot::kClassesRoot, "txtfile", ""), "Text Document (user)");
  EXPECT_EQ(registry_.ReadString(RegRoot::kClassesRoot, ".pdf", ""), "AcroExch.Document");
  EXPECT_TRUE(registry_.KeyExists(RegRoot::kClassesRoot, "userkind\\shell\\open"));
  EXPECT_EQ(registry_.SubKeyNames(RegRoot::kClassesRoot, ""),
            (std::vector<std::string>{"txtfile", "userkind", ".pdf"}));
}

TEST_F(WineRegistryTest, MissingOrForeignFilesAreEmptyHives) {
  fs::remove(dir_.path() / "user.reg");
  EXPECT_FALSE(registry_.KeyExists(RegRoot::kCurrentUser, "Software"));
  EXPECT_TRUE(registry_.SubKeyNames(RegRoot::kCurrentUser, "").empty());
  EXPECT_FALSE(registry_.DeleteKey(RegRoot::kCurrentUser, "Software"));
  EXPECT_FALSE(fs::exists(dir_.path() / "user.reg"));  // deleting never creates the file
  dir_.Write("system.reg", "REGEDIT4\n\n[Software\\\\Wine]\n\"a\"=\"b\"\n");
  EXPECT_FALSE(registry_.KeyExists(RegRoot::kLocalMachine, "Software\\Wine"));
}

TEST_F(WineRegistryTest, RereadsTheFileWhenItChanges) {
  EXPECT_EQ(registry_.ReadString(RegRoot::kLocalMachine, "Software\\Vendor\\Game\\Settings", "Level"), "3");
  std::string text = kSystemReg;
  text.replace(text.find("\"Level\"=\"3\""), 11, "\"Level\"=\"9\"");  // same size
  dir_.Write("system.reg", text);
  // Make sure the modification time differs even on coarse clocks.
  fs::last_write_time(dir_.path() / "system.reg",
                      fs::last_write_time(dir_.path() / "system.reg") + std::chrono::seconds(5));
  EXPECT_EQ(registry_.ReadString(RegRoot::kLocalMachine, "Software\\Vendor\\Game\\Settings", "Level"), "9");
}

TEST_F(WineRegistryTest, DeletingAValueDropsOnlyItsLines) {
  const std::string key = UninstallKey(kHraCast);
  EXPECT_TRUE(registry_.DeleteValue(RegRoot::kLocalMachine, key, "BLOB"));
  std::string expected = kSystemReg;
  const std::size_t blob = expected.find("\"Blob\"");
  expected.erase(blob, expected.find("\"HexString\"") - blob);
  EXPECT_EQ(dir_.Read("system.reg"), expected);
  EXPECT_EQ(registry_.ReadString(RegRoot::kLocalMachine, key, "HexString"), "%TMP%");
  EXPECT_FALSE(registry_.DeleteValue(RegRoot::kLocalMachine, key, "Blob"));
  // A value defined in two blocks of the same key goes from both.
  EXPECT_TRUE(registry_.DeleteValue(RegRoot::kLocalMachine, "Software\\Wine\\Drives", "d:"));
  EXPECT_EQ(registry_.ReadString(RegRoot::kLocalMachine, "Software\\Wine\\Drives", "d:"), std::nullopt);
  EXPECT_EQ(registry_.ReadString(RegRoot::kLocalMachine, "Software\\Wine\\Drives", "e:"), "floppy");
}

TEST_F(WineRegistryTest, DeletingAKeyTakesItsSubkeysAndKeepsEverythingElse) {
  EXPECT_TRUE(registry_.DeleteKey(RegRoot::kLocalMachine, UninstallKey(kHraCast)));
  std::string expected = kSystemReg;
  const std::size_t start = expected.find("[Software\\\\Microsoft");
  expected.erase(start, expected.find("[Software\\\\Microsoft", start + 1) - start);
  EXPECT_EQ(dir_.Read("system.reg"), expected);
  EXPECT_FALSE(registry_.KeyExists(RegRoot::kLocalMachine, UninstallKey(kHraCast)));
  EXPECT_TRUE(registry_.KeyExists(RegRoot::kLocalMachine, UninstallKey("Other")));
  EXPECT_FALSE(registry_.DeleteKey(RegRoot::kLocalMachine, UninstallKey(kHraCast)));
  EXPECT_FALSE(registry_.DeleteKey(RegRoot::kLocalMachine, ""));

  // DeleteEmptyKey refuses a key with subkeys; DeleteKey takes the whole branch.
  EXPECT_FALSE(registry_.DeleteEmptyKey(RegRoot::kLocalMachine, "Software\\Vendor"));
  EXPECT_TRUE(registry_.DeleteEmptyKey(RegRoot::kLocalMachine, "Software\\Vendor\\Game\\Settings"));
  // Game had no block of its own: it stays, as an empty key written where its subkey's block was.
  EXPECT_TRUE(registry_.KeyExists(RegRoot::kLocalMachine, "Software\\Vendor\\Game"));
  EXPECT_NE(
      dir_.Read("system.reg").find("[Software\\\\Vendor\\\\Game] 1733600000\n#time=1db48dedf120000\n\n"),
      std::string::npos);
  EXPECT_TRUE(registry_.DeleteEmptyKey(RegRoot::kLocalMachine, "Software\\Vendor\\Game"));
  EXPECT_TRUE(registry_.KeyExists(RegRoot::kLocalMachine, "Software\\Vendor"));
  EXPECT_TRUE(registry_.DeleteKey(RegRoot::kLocalMachine, "software\\VENDOR"));
  EXPECT_FALSE(registry_.KeyExists(RegRoot::kLocalMachine, "Software\\Vendor"));
  EXPECT_EQ(registry_.ReadString(RegRoot::kLocalMachine, "Software\\Wine\\Drives", "e:"), "floppy");
}

TEST_F(WineRegistryTest, DeletionsKeepWindowsLineEndings) {
  EXPECT_TRUE(registry_.DeleteKey(RegRoot::kClassesRoot, "userkind\\shell\\open"));
  const std::string text = dir_.Read("user.reg");
  EXPECT_NE(text.find("[Software\\\\Classes\\\\userkind\\\\shell] 1733600000\r\n#time="), std::string::npos);
  EXPECT_NE(text.find("[Volatile Environment] 1700000000\r\n\"x\"=\"y\"\r\n"), std::string::npos);
  // Deleting under the classes root reaches both files.
  EXPECT_TRUE(registry_.DeleteKey(RegRoot::kClassesRoot, "txtfile"));
  EXPECT_FALSE(registry_.KeyExists(RegRoot::kClassesRoot, "txtfile"));
  EXPECT_TRUE(registry_.KeyExists(RegRoot::kClassesRoot, ".pdf"));
}

// A 64-bit prefix, as Debian's wine64 makes it: 32-bit installers' keys lie below Wow6432Node.
TEST(WineRegistryViewsTest, A64BitPrefixReadsThe32BitViewFirst) {
  test::TempDir dir;
  const std::string system_reg =
      "WINE REGISTRY Version 2\n\n#arch=win64\n\n"
      "[Software\\\\Classes\\\\CLSID\\\\{1}] 1700000000\n@=\"64-bit class\"\n"
      "[Software\\\\Classes\\\\Wow6432Node\\\\CLSID\\\\{1}] 1700000000\n@=\"32-bit class\"\n"
      "[Software\\\\Vendor\\\\Game] 1700000000\n\"Path\"=\"C:\\\\64\"\n\"Only64\"=\"yes\"\n"
      "[Software\\\\Wow6432Node\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\Game32] "
      "1700000000\n"
      "\"UninstallString\"=\"C:\\\\Game32\\\\unins.exe\"\n"
      "[Software\\\\Wow6432Node\\\\Vendor\\\\Game] 1700000000\n\"Path\"=\"C:\\\\32\"\n"
      "[Software\\\\Wow6432Node\\\\Vendor\\\\Tool] 1700000000\n"
      "[System\\\\Setup] 1700000000\n\"Mode\"=\"1\"\n";
  dir.Write("system.reg", system_reg);
  WineRegistry registry(dir.path());
  ASSERT_TRUE(registry.IsWin64());
  const std::string uninstall = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Game32";
  EXPECT_EQ(registry.ReadString(RegRoot::kLocalMachine, uninstall, "UninstallString"),
            "C:\\Game32\\unins.exe");
  EXPECT_EQ(registry.ReadString(RegRoot::kLocalMachine, "Software\\Vendor\\Game", "Path"), "C:\\32");
  EXPECT_EQ(registry.ReadString(RegRoot::kLocalMachine, "Software\\Vendor\\Game", "Only64"), "yes");
  EXPECT_EQ(registry.ReadString(RegRoot::kLocalMachine, "Software\\Wow6432Node\\Vendor\\Game", "Only64"),
            std::nullopt);  // a path that names the view itself is not redirected again
  EXPECT_EQ(registry.ReadString(RegRoot::kLocalMachine, "System\\Setup", "Mode"), "1");
  EXPECT_EQ(registry.ReadString(RegRoot::kClassesRoot, "CLSID\\{1}", ""), "32-bit class");
  EXPECT_EQ(registry.SubKeyNames(RegRoot::kLocalMachine, "Software\\Vendor"),
            (std::vector<std::string>{"Game", "Tool"}));

  // Deletions take every view's copy, so that a read afterwards does not find the other one.
  EXPECT_TRUE(registry.DeleteValue(RegRoot::kLocalMachine, "Software\\Vendor\\Game", "path"));
  EXPECT_EQ(registry.ReadString(RegRoot::kLocalMachine, "Software\\Vendor\\Game", "Path"), std::nullopt);
  EXPECT_TRUE(registry.DeleteKey(RegRoot::kLocalMachine, uninstall));
  EXPECT_FALSE(registry.KeyExists(RegRoot::kLocalMachine, uninstall));
  EXPECT_TRUE(registry.DeleteKey(RegRoot::kLocalMachine, "Software\\Vendor"));
  EXPECT_FALSE(registry.KeyExists(RegRoot::kLocalMachine, "Software\\Vendor"));
  EXPECT_EQ(dir.Read("system.reg").find("Vendor"), std::string::npos);

  // The same keys in a 32-bit prefix are only what their paths say.
  dir.Write("system.reg", std::string(system_reg).replace(system_reg.find("win64"), 5, "win32"));
  WineRegistry win32(dir.path());
  EXPECT_EQ(win32.ReadString(RegRoot::kLocalMachine, "Software\\Vendor\\Game", "Path"), "C:\\64");
  EXPECT_FALSE(win32.KeyExists(RegRoot::kLocalMachine, uninstall));
}

TEST(WineRegistryWriteTest, AddsABlockOrMakesTheMachineFileWineWouldMake) {
  test::TempDir dir;
  WineRegistryOptions without_wine;
  without_wine.wine = std::vector<std::string>{};
  WineRegistry registry(dir.path(), without_wine);
  registry.SetClock([] { return std::int64_t{1733600000}; });
  // No file: only made when told which architecture Wine would give the prefix.
  EXPECT_FALSE(registry.WriteString(RegRoot::kLocalMachine, "Software\\Wine\\Drives", "d:", "cdrom"));
  EXPECT_FALSE(fs::exists(dir.path() / "system.reg"));
  EXPECT_TRUE(registry.WriteString(RegRoot::kLocalMachine, "Software\\Wine\\Drives", "d:", "cdrom", "win64"));
  EXPECT_EQ(dir.Read("system.reg"),
            "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n\n"
            "[Software\\\\Wine\\\\Drives] 1733600000\n\"d:\"=\"cdrom\"\n");
  EXPECT_TRUE(registry.IsWin64());

  // An existing file keeps every byte; the new block adds to (and overrides) the key's earlier blocks.
  const std::string before = dir.Read("system.reg");
  EXPECT_TRUE(registry.WriteString(RegRoot::kLocalMachine, "Software\\Wine\\Drives", "d:", "hd"));
  EXPECT_TRUE(registry.WriteString(RegRoot::kLocalMachine, "Software\\Hra \xE8\xE1st", "N\xE1zev \"1\"",
                                   "C:\\Hry\\\xE8\xE1st"));
  const std::string after = dir.Read("system.reg");
  EXPECT_EQ(after.substr(0, before.size()), before);
  EXPECT_NE(after.find("[Software\\\\Hra \\x010d\\x00e1st] 1733600000\n\"N\\x00e1zev "
                       "\\\"1\\\"\"=\"C:\\\\Hry\\\\\\x010d\\x00e1st\"\n"),
            std::string::npos);
  EXPECT_EQ(registry.ReadString(RegRoot::kLocalMachine, "Software\\Wine\\Drives", "D:"), "hd");
  EXPECT_EQ(registry.ReadString(RegRoot::kLocalMachine, "Software\\Hra \xE8\xE1st", "n\xC1zev \"1\""),
            "C:\\Hry\\\xE8\xE1st");

  // Nothing is added to a file that is no registry file.
  dir.Write("user.reg", "REGEDIT4\n");
  EXPECT_FALSE(registry.WriteString(RegRoot::kCurrentUser, "Software\\X", "a", "b"));
  EXPECT_EQ(dir.Read("user.reg"), "REGEDIT4\n");
}

TEST(RegFileTest, ToleratesDamagedLines) {
  const RegFile file = RegFile::Parse(
      "WINE REGISTRY Version 2\n"
      "\"orphan\"=\"no key yet\"\n"
      "[Broken\\\\Key\n"
      "\"lost\"=\"x\"\n"
      "  [Good] \n"
      "garbage line\n"
      "\"bad\"=dword:\n"
      "\"unterminated\"=\"abc\n"
      "\"ok\" = \"fine\"\n"
      "\"wrapped\"=hex(3):01,02,\\\n");
  ASSERT_TRUE(file.valid());
  EXPECT_TRUE(file.KeyExists("good"));
  EXPECT_FALSE(file.KeyExists("Broken"));
  EXPECT_EQ(file.ValueNames("Good"), (std::vector<std::string>{"ok", "wrapped"}));
  ASSERT_NE(file.FindValue("Good", "wrapped"), nullptr);
  EXPECT_EQ(file.FindValue("Good", "wrapped")->data, std::string("\x01\x02", 2));
  EXPECT_FALSE(RegFile::Parse("").valid());
}

}  // namespace
}  // namespace norva::platform::wine
