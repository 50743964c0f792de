#include "catalog/text_prep.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace norva::catalog {
namespace {

using Parts = std::vector<std::string>;

TEST(PrepareCaptionTest, DoublesLoneAmpersandsAndCutsTheNote) {
  EXPECT_EQ(PrepareCaption("Tom & Jerry~internal note"), "Tom && Jerry");
  EXPECT_EQ(PrepareCaption("A&&B"), "A&&B");
  EXPECT_EQ(PrepareCaption("&&&"), "&&&");
  EXPECT_EQ(PrepareCaption("&"), "&&");
  EXPECT_EQ(PrepareCaption("&x&"), "&&x&&");
  EXPECT_EQ(PrepareCaption("R&D~a & b~c"), "R&&D");
  EXPECT_EQ(PrepareCaption("x&~y"), "x&&");
  EXPECT_EQ(PrepareCaption("~only a note"), "");
  EXPECT_EQ(PrepareCaption(""), "");
  EXPECT_EQ(PrepareCaption("no change"), "no change");
  // Texts the catalog does not prepare get their ampersands doubled for a label; prepared ones stay.
  EXPECT_EQ(DoubleAmpersands("Oblačno & syn~x"), "Oblačno && syn~x");
  EXPECT_EQ(DoubleAmpersands(PrepareCaption("R&D && co")), "R&&D && co");
}

TEST(PrepareCaptionTest, HandlesTextsLongerThan255Characters) {
  // An 8-bit position would wrap at 256 and miss or misplace these.
  std::string text(300, 'a');
  text[0] = '&';
  text[299] = '&';
  text += "~cut";
  const std::string prepared = PrepareCaption(text);
  ASSERT_EQ(prepared.size(), 302u);
  EXPECT_EQ(prepared.substr(0, 3), "&&a");
  EXPECT_EQ(prepared.substr(prepared.size() - 3), "a&&");

  std::string long_note(400, 'b');
  long_note[260] = '~';
  EXPECT_EQ(PrepareCaption(long_note), std::string(260, 'b'));
}

TEST(SplitFieldsTest, ChoosesCommaThenSemicolonThenColon) {
  EXPECT_EQ(SplitFields("Patch,1.2,patch12.exe"), (Parts{"Patch", "1.2", "patch12.exe"}));
  EXPECT_EQ(SplitFields("Mod;2.0;mod.exe;mod.txt;1"), (Parts{"Mod", "2.0", "mod.exe", "mod.txt", "1"}));
  EXPECT_EQ(SplitFields("a.exe:Label A;b.exe:Label B"), (Parts{"a.exe:Label A", "b.exe:Label B"}));
  EXPECT_EQ(SplitFields("a.exe:b.exe"), (Parts{"a.exe", "b.exe"}));
  EXPECT_EQ(SplitFields("x;y,z"), (Parts{"x;y", "z"}));
  EXPECT_EQ(SplitFields("single"), (Parts{"single"}));
}

TEST(SplitFieldsTest, KeepsEmptyPartsAndGivesNothingForEmptyText) {
  EXPECT_TRUE(SplitFields("").empty());
  EXPECT_EQ(SplitFields("GAME.EXE,Game,,"), (Parts{"GAME.EXE", "Game", "", ""}));
  EXPECT_EQ(SplitFields(",,"), (Parts{"", "", ""}));
  EXPECT_EQ(SplitFields(";a"), (Parts{"", "a"}));
  EXPECT_EQ(SplitFields(" "), (Parts{" "}));
}

TEST(SplitFieldsTest, SplitsTextsLongerThan255Characters) {
  const std::string first(250, 'x');
  const std::string second(100, 'y');
  const std::string third(300, 'z');
  EXPECT_EQ(SplitFields(first + ";" + second + ";" + third), (Parts{first, second, third}));
}

}  // namespace
}  // namespace norva::catalog
