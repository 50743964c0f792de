// The registry file index: large files read in pieces, keys however their lines spell them, and files that
// change under it.
#include "platform/wine/reg_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/wine/reg_path_hash.h"
#include "support/temp_dir.h"

namespace norva::platform::wine {
namespace {

namespace fs = std::filesystem;

constexpr char kHeader[] = "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n\n";

// A file of `keys` keys "Software\\Vendor\\Key<n>" with two values each, larger than the pieces it is read
// in.
std::string ManyKeys(int keys) {
  std::string text = kHeader;
  for (int n = 0; n < keys; ++n) {
    const std::string id = std::to_string(n);
    text += "[Software\\\\Vendor\\\\Key" + id +
            "] 1700000000\n#time=1da1b2c3d4e5f60\n\"Path\"=\"C:\\\\Games\\\\" + id +
            "\"\n\"Blob\"=hex:" + std::string(n % 7 == 0 ? 300 : 3, '0') + ",01,\\\n  02\n\n";
  }
  return text;
}

TEST(RegFileTest, ALargeFileReadInPiecesFindsEveryKey) {
  test::TempDir dir;
  const std::string text = ManyKeys(4000);
  ASSERT_GT(text.size(), 3u * 128 * 1024);
  dir.Write("system.reg", text);
  const RegFile file = RegFile::ReadFrom(dir.path() / "system.reg");
  ASSERT_TRUE(file.valid());
  for (int n = 0; n < 4000; n += 37) {
    const std::string key = "SOFTWARE\\vendor\\KEY" + std::to_string(n);
    const RegValue* value = file.FindValue(key, "path");
    ASSERT_NE(value, nullptr) << key;
    EXPECT_EQ(value->data, "C:\\Games\\" + std::to_string(n));
    EXPECT_EQ(text.substr(value->begin, value->end - value->begin),
              "\"Path\"=\"C:\\\\Games\\\\" + std::to_string(n) + "\"\n");
  }
  EXPECT_EQ(file.SubKeyNames("Software\\Vendor").size(), 4000u);
  EXPECT_EQ(file.FindValue("Software\\Vendor\\Key4000", "Path"), nullptr);
  EXPECT_FALSE(RegFile::ReadFrom(dir.path() / "missing.reg").valid());
}

TEST(RegFileTest, KeysAreFoundHoweverTheirLinesSpellThem) {
  const RegFile file =
      RegFile::Parse(std::string(kHeader) +
                     "[Software\\\\Caf\\xe9\\\\\\x41pp] 1\n\"a\"=\"escaped\"\n"
                     "[\\\\Software\\\\\\\\Raw\\\\Caf\xC3\xA9\\\\] 1\n\"a\"=\"raw UTF-8, empty parts\"\n"
                     "[Software\\\\Same] 1\n\"a\"=\"1\"\n"
                     "[SOFTWARE\\\\same] 2\n\"a\"=\"2\"\n\"b\"=\"only here\"\n");
  ASSERT_NE(file.FindValue("software\\CAF\xC3\x89\\app", "A"), nullptr);
  EXPECT_EQ(file.FindValue("software\\CAF\xC3\x89\\app", "A")->data, "escaped");
  ASSERT_NE(file.FindValue("Software\\Raw\\caf\xC3\xA9", "a"), nullptr);
  EXPECT_EQ(file.FindValue("Software\\Raw\\caf\xC3\xA9", "a")->data, "raw UTF-8, empty parts");
  EXPECT_EQ(file.FindValue("Software\\Same", "a")->data, "2") << "the later block wins";
  EXPECT_EQ(file.ValueNames("software\\same"), (std::vector<std::string>{"a", "b"}));

  // The hash of a plainly written key line is that of the decoded path.
  EXPECT_EQ(HashPlainKeyPath("Software\\\\Wine\\\\Drives"),
            HashCanonicalKeyPath(CanonicalKeyPath("SOFTWARE\\wine\\DRIVES")));
  for (const char* raw : {"a\\\\\\\\b", "\\\\a", "a\\\\", "a\\x41", "a\\\\\\b", "caf\xC3\xA9"}) {
    EXPECT_EQ(HashPlainKeyPath(raw), std::nullopt) << raw;
  }
}

TEST(RegFileTest, DeletingAKeyKeepsItsParentHoweverItsLineIsSpelled) {
  // Bytes that are no UTF-8 decode to nothing: the first component Wine sees is "Odd".
  const RegFile file = RegFile::Parse(std::string(kHeader) +
                                      "[\xFF\xFF\\\\Odd\\\\\\\\Key\\\\] 1\n\"x\"=\"y\"\n"
                                      "[Caf\\xe9\\\\B\\[1\\]\\\\Sub] 1\n\"x\"=\"y\"\n");
  const auto without_key = file.TextWithoutKey("Odd\\Key", 1733600000);
  ASSERT_TRUE(without_key.has_value());
  const RegFile rest = RegFile::Parse(*without_key);
  EXPECT_TRUE(rest.KeyExists("Odd"));
  EXPECT_FALSE(rest.KeyExists("Odd\\Key"));
  // The parent is written as Wine writes key lines.
  const auto without_sub = file.TextWithoutKey("Caf\xC3\xA9\\B[1]\\Sub", 1733600000);
  ASSERT_TRUE(without_sub.has_value());
  EXPECT_NE(without_sub->find("[Caf\\xe9\\\\B\\[1\\]] 1733600000\n"), std::string::npos) << *without_sub;
  EXPECT_TRUE(RegFile::Parse(*without_sub).KeyExists("caf\xC3\x89\\b[1]"));
}

TEST(RegFileTest, AFileWrittenInPlaceSinceItWasReadIsNotRewrittenFromIt) {
  test::TempDir dir;
  dir.Write("user.reg", ManyKeys(3));
  const RegFile file = RegFile::ReadFrom(dir.path() / "user.reg");
  ASSERT_TRUE(file.valid());
  {
    std::ofstream in_place(dir.path() / "user.reg", std::ios::binary | std::ios::in | std::ios::out);
    in_place << "WINE REGISTRY Version 2\n\n[Other] 1\n";
  }
  EXPECT_EQ(file.TextWithoutKey("Software\\Vendor\\Key1", 1700000000), std::nullopt);
  EXPECT_EQ(file.TextWithoutValue("Software\\Vendor\\Key1", "Path"), std::nullopt);
}

}  // namespace
}  // namespace norva::platform::wine
