// Which names the check takes for misspellings of the menu's keys, and which section belongs to which page.
#include <gtest/gtest.h>

#include "check/catalog_keys.h"

namespace norva::check {
namespace {

TEST(CatalogKeysTest, NearestKeyTakesLikelySlipsOnlyAndNeverTheKeyItself) {
  const auto& keys = AllItemKeys();
  EXPECT_EQ(NearestKey("Instaltype", keys), "InstallType");   // a letter dropped, case ignored
  EXPECT_EQ(NearestKey("InstallTpye", keys), "InstallType");  // two neighbours swapped: one slip
  EXPECT_EQ(NearestKey("Gamenme", keys), "GameName");
  EXPECT_EQ(NearestKey("RegUninstal", keys), "RegUninstall");
  EXPECT_FALSE(NearestKey("InstallType", keys));
  EXPECT_FALSE(NearestKey("installtype", keys));  // the same key: the menu reads it
  // Short names are one or two letters from everything; six letters allow one slip, not two.
  EXPECT_FALSE(NearestKey("Nam", keys));
  EXPECT_EQ(NearestKey("Pictre", keys), "Picture");
  EXPECT_FALSE(NearestKey("Pxctre", keys));
  EXPECT_FALSE(NearestKey("Publisher", keys));
}

TEST(CatalogKeysTest, SectionsBelongToTheirPagesWithExtra2BeforeExtra) {
  const auto kind = [](std::string_view section) -> std::string {
    const auto of = ClassifySection(section);
    return of ? std::string(of->kind->section_prefix) + "#" + std::to_string(of->number) : "none";
  };
  EXPECT_EQ(kind("Demo3"), "Demo#3");
  EXPECT_EQ(kind("demo3"), "Demo#3");
  EXPECT_EQ(kind("Extra21"), "Extra2#1");
  EXPECT_EQ(kind("Extra3"), "Extra#3");
  EXPECT_EQ(kind("Share12"), "Share#12");
  EXPECT_EQ(kind("Demo"), "none");
  EXPECT_EQ(kind("Demo01"), "none");
  EXPECT_EQ(kind("Demo1b"), "none");
  EXPECT_EQ(kind("Demos1"), "none");
}

TEST(CatalogKeysTest, EachKindReadsItsOwnKeysAndOnlyItsEditionsDescription) {
  const auto kind = [](std::string_view section) { return *ClassifySection(section)->kind; };
  EXPECT_TRUE(KindReadsKey(kind("Demo1"), "unpackedsize", 1));
  EXPECT_FALSE(KindReadsKey(kind("Full1"), "UnpackedSize", 1));
  EXPECT_TRUE(KindReadsKey(kind("Full1"), "FilesInArchive", 1));
  EXPECT_TRUE(KindReadsKey(kind("Demo1"), "Describe3", 3));
  EXPECT_FALSE(KindReadsKey(kind("Demo1"), "Describe3", 1));
  EXPECT_TRUE(KindReadsKey(kind("Shot1"), "Picture", 1));
  EXPECT_FALSE(KindReadsKey(kind("Shot1"), "InstallType", 1));
}

}  // namespace
}  // namespace norva::check
