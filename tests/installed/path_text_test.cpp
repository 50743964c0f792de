// Path texts: parents, the part before a colon, and absolute forms.
#include "installed/path_text.h"

#include <gtest/gtest.h>

namespace norva::installed {
namespace {

TEST(PathTextTest, GetParentDirOfOrdinaryShortAndOddTexts) {
  EXPECT_EQ(GetParentDir("C:\\GAMES\\FOO\\"), "C:\\GAMES");
  EXPECT_EQ(GetParentDir("C:\\GAMES\\FOO"), "C:\\GAMES");
  EXPECT_EQ(GetParentDir("C:\\GAMES"), "C:");
  EXPECT_EQ(GetParentDir("C:\\"), "C:");
  EXPECT_EQ(GetParentDir("C:"), "");
  EXPECT_EQ(GetParentDir("GAMES"), "");
  EXPECT_EQ(GetParentDir(""), "");
  EXPECT_EQ(GetParentDir("\\"), "");
  EXPECT_EQ(GetParentDir("\\\\"), "\\");
  EXPECT_EQ(GetParentDir("C:\\GAMES\\\\"), "C:\\GAMES");
}

TEST(PathTextTest, BeforeColonCutsAtTheFirstColonOnly) {
  EXPECT_EQ(BeforeColon("game.exe:Label A"), "game.exe");
  EXPECT_EQ(BeforeColon("a.exe:b.exe:c"), "a.exe");
  EXPECT_EQ(BeforeColon("game.exe"), "game.exe");
  EXPECT_EQ(BeforeColon(":x"), "");
  EXPECT_EQ(BeforeColon(""), "");
}

TEST(PathTextTest, AbsoluteDosPathResolvesAsTheMachineDoes) {
  EXPECT_EQ(AbsoluteDosPath("c:\\Games\\X\\", "C:\\"), "C:\\Games\\X");
  EXPECT_EQ(AbsoluteDosPath("C:\\GAMES\\..\\..\\windows\\.\\", "C:\\"), "C:\\windows");
  EXPECT_EQ(AbsoluteDosPath("C:/a//b/", "C:\\"), "C:\\a\\b");
  EXPECT_EQ(AbsoluteDosPath("\\\\?\\d:\\x", "C:\\"), "D:\\x");
  // Relative texts: to the current folder, to the current drive's root, or to another drive's root.
  EXPECT_EQ(AbsoluteDosPath("Group", "C:\\NORVA"), "C:\\NORVA\\Group");
  EXPECT_EQ(AbsoluteDosPath("..", "C:\\NORVA"), "C:\\");
  EXPECT_EQ(AbsoluteDosPath("\\x", "D:\\NORVA"), "D:\\x");
  EXPECT_EQ(AbsoluteDosPath("c:x", "C:\\NORVA"), "C:\\NORVA\\x");
  EXPECT_EQ(AbsoluteDosPath("E:x", "C:\\NORVA"), "E:\\x");
  EXPECT_EQ(AbsoluteDosPath("\\\\server\\share\\x", "C:\\"), std::nullopt);
  EXPECT_EQ(AbsoluteDosPath("1:\\x", "C:\\"), std::nullopt);
  EXPECT_EQ(AbsoluteDosPath("x", ""), std::nullopt);
}

}  // namespace
}  // namespace norva::installed
