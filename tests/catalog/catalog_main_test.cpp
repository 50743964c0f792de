// The [Main] section, counts against capacities, reloads and hostile input.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "catalog/catalog_test_util.h"
#include "catalog/full_catalog.h"

namespace norva::catalog {
namespace {

using test::LoadCatalog;

TEST(CatalogMainTest, MissingKeysGiveAnEmptyCatalogOfEditionOne) {
  const auto c = LoadCatalog("[Main]\r\n");
  EXPECT_EQ(c->DemoCount + c->FullCount + c->UpdateCount + c->ShareCount + c->ShotCount + c->ReaderCount +
                c->MovieCount + c->DriverCount + c->ExtraCount + c->Extra2Count,
            0);
  EXPECT_FALSE(c->IsDVD);
  EXPECT_FALSE(c->DebugMode);
  EXPECT_EQ(c->IssueCode, "");
  EXPECT_EQ(c->DiscLabel, "");
  EXPECT_EQ(c->Edition, 1);
  EXPECT_TRUE(c->notes.empty());
  // Sections present but not counted are not read.
  EXPECT_EQ(LoadCatalog("[Main]\nDemos=0\n[Demo1]\nName=Ghost\n")->Demo[1].Name, "");
}

TEST(CatalogMainTest, ReadsTheIssueFacts) {
  const auto c = LoadCatalog("[main]\ndvd=1\ncd=1107\nCDLabel=Zvl\xe1\x9atn\xed 2007\ndebug=1\nversion=2\n");
  EXPECT_TRUE(c->IsDVD);
  EXPECT_EQ(c->IssueCode, "1107");
  EXPECT_EQ(LoadCatalog("[Main]\nDVD=2\n")->IsDVD, 2) << "kept as read: only exactly 1 names the full games";
  EXPECT_EQ(c->DiscLabel, "Zvl\xe1\x9atn\xed 2007");
  EXPECT_TRUE(c->DebugMode);
  EXPECT_EQ(c->Edition, 2);
}

TEST(CatalogMainTest, EditionsOutsideZeroToSixBecomeOne) {
  const std::pair<const char*, std::int32_t> cases[] = {{"0", 0},  {"6", 6},           {"7", 1},   {"9", 1},
                                                        {"-1", 1}, {"-2147483648", 1}, {"abc", 1}, {"", 1}};
  for (const auto& [text, edition] : cases) {
    const auto c = LoadCatalog(std::string("[Main]\nVersion=") + text + "\n");
    EXPECT_EQ(c->Edition, edition) << "Version=" << text;
  }
}

TEST(CatalogMainTest, NegativeAndBrokenCountsReadAsZero) {
  const auto c = LoadCatalog(
      "[Main]\nDemos=-3\nShareware=x\nUpdates=-1\n[Demo1]\nName=A\n[Share1]\nName=B\n[Updates]\nUpdate1=C\n");
  EXPECT_EQ(c->DemoCount, 0);
  EXPECT_EQ(c->ShareCount, 0);
  EXPECT_EQ(c->UpdateCount, 0);
  EXPECT_EQ(c->Demo[1].Name, "");
  EXPECT_TRUE(c->notes.empty());
}

TEST(CatalogMainTest, CountsAboveCapacityAreCutWithANote) {
  std::string text = "[Main]\nDemos=45\nUpdates=2147483647\nShots=36\nExtra2=15\n";
  for (int n = 1; n <= 45; ++n)
    text += "[Demo" + std::to_string(n) + "]\nName=Demo " + std::to_string(n) + "\n";
  const auto c = LoadCatalog(text);
  EXPECT_EQ(c->DemoCount, kDemoCapacity);
  EXPECT_EQ(c->Demo[30].Name, "DEMO 30");
  EXPECT_EQ(c->UpdateCount, kUpdateCapacity);
  EXPECT_EQ(c->ShotCount, kShotCapacity);
  EXPECT_EQ(c->Extra2Count, 15);
  std::vector<std::string> cuts;
  for (const std::string& note : c->notes) {
    if (note.find(" in the catalog, only ") != std::string::npos) cuts.push_back(note);
  }
  EXPECT_EQ(cuts, (std::vector<std::string>{"Updates: 2147483647 in the catalog, only 50 read",
                                            "Shots: 36 in the catalog, only 35 read",
                                            "Demos: 45 in the catalog, only 30 read"}));
  // The update lines themselves are missing: one note each.
  EXPECT_EQ(c->notes.size(), 3u + kUpdateCapacity);
}

TEST(CatalogMainTest, AReloadStartsFromScratch) {
  test::FakeIniFile big(test::FullCatalogText());
  test::FakeIniFile small("[Main]\nDemos=1\nDrivers=1\nShots=40\n[Demo1]\nName=Only\n[Driver1]\nName=Net\n");
  auto c = std::make_unique<Catalog>();
  ReadCatalog(big, "D:", nullptr, *c);
  ASSERT_EQ(c->FullCount, kFullCapacity);
  ASSERT_TRUE(c->IsDVD);
  ReadCatalog(small, "E:", nullptr, *c);
  ReadCatalog(small, "E:", nullptr, *c);
  EXPECT_EQ(c->DemoCount, 1);
  EXPECT_EQ(c->Demo[1].Name, "ONLY");
  EXPECT_EQ(c->Demo[1].InstallDir, "E:\\DEMOS\\");
  EXPECT_EQ(c->Demo[2].Name, "");
  EXPECT_EQ(c->Demo[kDemoCapacity].Describe, "");
  EXPECT_EQ(c->Driver[2].Name, "");
  EXPECT_EQ(c->FullCount, 0);
  EXPECT_EQ(c->Full[1].Name, "");
  EXPECT_EQ(c->Shot[1].Name, "");
  EXPECT_EQ(c->Update[1].Name, "");
  EXPECT_FALSE(c->IsDVD);
  EXPECT_EQ(c->IssueCode, "");
  // Notes of the first reading of `small` are not repeated by the second.
  EXPECT_EQ(c->notes, (std::vector<std::string>{"Shots: 40 in the catalog, only 35 read"}));
}

TEST(CatalogMainTest, FullCapacityCatalogLoadsEveryKindWhole) {
  const auto c = LoadCatalog(test::FullCatalogText());
  EXPECT_EQ(c->DemoCount, kDemoCapacity);
  EXPECT_EQ(c->FullCount, kFullCapacity);
  EXPECT_EQ(c->UpdateCount, kUpdateCapacity);
  EXPECT_EQ(c->ShareCount, kShareCapacity);
  EXPECT_EQ(c->ShotCount, kShotCapacity);
  EXPECT_EQ(c->ReaderCount, kReaderCapacity);
  EXPECT_EQ(c->MovieCount, kMovieCapacity);
  EXPECT_EQ(c->DriverCount, kDriverCapacity);
  EXPECT_EQ(c->ExtraCount, kExtraCapacity);
  EXPECT_EQ(c->Extra2Count, kExtra2Capacity);
  EXPECT_TRUE(c->notes.empty());
  EXPECT_EQ(c->Reader[40].Name, "READER40 TOM && JERRY");
  EXPECT_EQ(c->Reader[40].InstallDir, "D:\\Readers\\Reader40");
  EXPECT_EQ(c->Extra2[15].InstallDir, "D:\\DEMOS\\Extra215");
  EXPECT_EQ(c->Update[50].FileName, "patch50.exe");
  EXPECT_EQ(c->Shot[35].Picture, "Shot35.jpg");
  EXPECT_EQ(c->Movie[30].InstallDir, "D:Movie30");
}

// Random bytes, and random lines built from the catalog's own keys, must never crash or overrun.
TEST(CatalogMainTest, GarbageNeverCrashes) {
  static const char* const kKeys[] = {
      "Demos",  "Fulls",   "Updates", "Shareware", "Shots",       "Readers",   "Movies", "Drivers", "Extra",
      "Extra2", "Version", "Name",    "Update1",   "InstallType", "DirDetect", "CD",     "DVD",     "Debug"};
  static const char* const kSections[] = {"[Main]",  "[Updates]", "[Demo1]",   "[Driver1]", "[Driver2]",
                                          "[Full1]", "[Reader3]", "[Extra21]", "[Shot1]",   "[Movie2]"};
  std::mt19937 random(20060201);
  for (int round = 0; round < 200; ++round) {
    std::string text;
    for (int line = 0; line < 40; ++line) {
      switch (random() % 4) {
        case 0:
          text += kSections[random() % std::size(kSections)];
          break;
        case 1:
          text += std::string(kKeys[random() % std::size(kKeys)]) + "=" +
                  std::to_string(static_cast<std::int32_t>(random()));
          break;
        case 2:
          text +=
              std::string(kKeys[random() % std::size(kKeys)]) + "=CZ&~,;:" + std::string(random() % 600, '&');
          break;
        default:
          for (int i = random() % 80; i > 0; --i) text += static_cast<char>(random() % 256);
      }
      text += "\r\n";
    }
    const auto c = LoadCatalog(text);
    EXPECT_LE(c->DemoCount, kDemoCapacity);
    EXPECT_LE(c->DriverCount, kDriverCapacity);
    EXPECT_LE(c->UpdateCount, kUpdateCapacity);
    EXPECT_GE(c->Edition, 0);
    EXPECT_LE(c->Edition, 6);
  }
}

}  // namespace
}  // namespace norva::catalog
