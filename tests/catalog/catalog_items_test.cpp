// What each kind reads from its sections: the key table, Param, the drivers filter, detection, updates.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalog/catalog_test_util.h"

namespace norva::catalog {
namespace {

using test::LoadCatalog;

constexpr const char* kEveryKey =
    "Name=Tom & Jerry~note\nFullName=Big & small~x\nFirm=firm & co\nDescribe0=d0 & x~y\nDescribe1=d1 & x~y\n"
    "Describe2=second\nDescribe4=fourth\nTechInfo=tech & x~y\nUnInstallName=un.exe\nGameName=game.exe\n"
    "Date=1.2.2006\nRegUninstall=RegU\nRegKey=Key\nRegName=Val\nUninstall=DC:\\x\nPicture=pic.jpg\n"
    "InstallDir=Dir\nInstallName=inst.rar\nSetupName=setup.exe\nReadmeName=readme.txt\nInstallType=7\n"
    "DirDetect=9\nFlags=12\nWeb=www.x.cz\nCD=3\n";

std::string EveryKindWith(const std::string& body, const std::string& main = "") {
  // `main` comes first so that its keys win over the counts of 1.
  std::string text =
      "[Main]\n" + main + "Shareware=1\nDrivers=1\nExtra=1\nReaders=1\nDemos=1\nExtra2=1\nFulls=1\n";
  for (const char* section : {"Share1", "Driver1", "Extra1", "Reader1", "Demo1", "Extra21", "Full1"}) {
    text += std::string("[") + section + "]\n" + body;
  }
  return text;
}

struct Expected {
  const char* kind;
  const TDemos& item;
  const char *title, *full_name, *firm, *describe0, *tech_info, *uninstall_name, *game_name, *date,
      *reg_uninstall, *reg_key, *uninstall, *install_dir, *setup_name;
  int install_type, dir_detect, flags, cd, not_installed;
};

TEST(CatalogItemsTest, EachKindReadsItsKeys) {
  const auto c = LoadCatalog(EveryKindWith(kEveryKey));
  const char* const big = "BIG && SMALL";
  const char* const firm = "FIRM && CO";
  const char* const d0 = "d0 && x";
  const Expected rows[] = {
      {"Share", c->Share[1], "", big, "", d0, "", "", "game.exe", "", "", "", "", "Dir", "", 0, 0, 0, 0, 0},
      {"Driver", c->Driver[1], "", "BIG & SMALL~X",    "", d0, "TECH && X", "", "", "1.2.2006",
       "",       "",           "", "D:\\Drivers\\Dir", "", 7,  0,           0,  3,  1},
      {"Extra", c->Extra[1], "", big,       firm, d0, "tech && x", "", "GAME.EXE", "",
       "",      "",          "", "D:\\Dir", "",   7,  0,           12, 3,          1},
      {"Reader", c->Reader[1],       "",          big, firm, "", "", "", "game.exe", "", "RegU", "",
       "DC:\\x", "D:\\Readers\\Dir", "setup.exe", 7,   9,    0,  0,  1},
      {"Demo",
       c->Demo[1],
       "TOM && JERRY",
       big,
       firm,
       d0,
       "tech && x",
       "un.exe",
       "game.exe",
       "1.2.2006",
       "RegU",
       "Key",
       "DC:\\x",
       "D:\\DEMOS\\Dir",
       "setup.exe",
       7,
       9,
       12,
       3,
       0},
      {"Extra2",
       c->Extra2[1],
       "TOM && JERRY",
       big,
       firm,
       d0,
       "tech && x",
       "un.exe",
       "game.exe",
       "1.2.2006",
       "RegU",
       "Key",
       "DC:\\x",
       "D:\\DEMOS\\Dir",
       "setup.exe",
       7,
       9,
       12,
       3,
       0},
      {"Full", c->Full[1], "TOM && JERRY", big,       firm,        d0, "tech && x", "un.exe", "game.exe", "",
       "RegU", "Key",      "DC:\\x",       "D:\\Dir", "setup.exe", 7,  9,           12,       3,          0},
  };
  for (const Expected& e : rows) {
    SCOPED_TRACE(e.kind);
    const TDemos& item = e.item;
    EXPECT_EQ(item.Name, "TOM && JERRY");
    EXPECT_EQ(item.Title, e.title);
    EXPECT_EQ(item.FullName, e.full_name);
    EXPECT_EQ(item.Firm, e.firm);
    EXPECT_EQ(item.Describe0, e.describe0);
    EXPECT_EQ(item.Describe, "d1 && x");
    EXPECT_EQ(item.DescribeAlt, "d1 && x");
    EXPECT_EQ(item.TechInfo, e.tech_info);
    EXPECT_EQ(item.UnInstallName, e.uninstall_name);
    EXPECT_EQ(item.InstalledDir, "");
    EXPECT_EQ(item.GameName, e.game_name);
    EXPECT_EQ(item.Date, e.date);
    EXPECT_EQ(item.RegUninstall, e.reg_uninstall);
    EXPECT_EQ(item.RegKey, e.reg_key);
    EXPECT_EQ(item.RegName, *e.reg_key ? "Val" : "");
    EXPECT_EQ(item.Uninstall, e.uninstall);
    EXPECT_EQ(item.Picture, "pic.jpg");
    EXPECT_EQ(item.InstallDir, e.install_dir);
    EXPECT_EQ(item.InstallName, "inst.rar");
    EXPECT_EQ(item.SetupName, e.setup_name);
    EXPECT_EQ(item.ReadmeName, "readme.txt");
    EXPECT_EQ(item.Param, "");
    EXPECT_EQ(item.InstallType, e.install_type);
    EXPECT_EQ(item.DirDetect, e.dir_detect);
    EXPECT_EQ(item.Flags, e.flags);
    EXPECT_EQ(item.NotInstalled, e.not_installed);
    EXPECT_EQ(item.Runnable, 0);
    EXPECT_EQ(item.Installed, 0);
    EXPECT_EQ(item.Web, std::string(e.kind) == "Driver" ? "" : "www.x.cz");
    EXPECT_EQ(item.CD, e.cd);
  }
}

TEST(CatalogItemsTest, IntegerKeysHaveTheirKindsDefaults) {
  const auto c = LoadCatalog(EveryKindWith("Name=x\nInstallType=junk\nCD=\n"));
  EXPECT_EQ(c->Extra[1].InstallType, 5);
  EXPECT_EQ(c->Extra[1].Flags, 1);
  EXPECT_EQ(c->Extra[1].CD, 1);
  EXPECT_EQ(c->Driver[1].InstallType, 0);
  EXPECT_EQ(c->Driver[1].CD, 1);
  EXPECT_EQ(c->Demo[1].CD, 1);
  EXPECT_EQ(c->Full[1].CD, 1);
  EXPECT_EQ(c->Reader[1].CD, 0);
  EXPECT_EQ(c->Share[1].CD, 0);
  // 8-bit fields keep the low byte.
  EXPECT_EQ(LoadCatalog("[Main]\nDemos=1\n[Demo1]\nCD=258\n")->Demo[1].CD, 2);
}

TEST(CatalogItemsTest, DescriptionFollowsTheEditionExceptForReaders) {
  const auto c =
      LoadCatalog(EveryKindWith(kEveryKey + std::string("[Shot1]\n") + kEveryKey + "[Movie1]\n" + kEveryKey,
                                "Version=2\nShots=1\nMovies=1\n"));
  EXPECT_EQ(c->Demo[1].Describe, "second");
  EXPECT_EQ(c->Full[1].DescribeAlt, "second");
  EXPECT_EQ(c->Driver[1].Describe, "second");
  EXPECT_EQ(c->Reader[1].Describe, "d1 && x");
  EXPECT_EQ(c->Shot[1].Describe, "second");
  EXPECT_EQ(c->Shot[1].DescribeAlt, "second");
  EXPECT_EQ(c->Movie[1].Describe, "second");
}

TEST(CatalogItemsTest, ShotsAndMoviesReadTheirKeys) {
  const auto c = LoadCatalog(std::string("[Main]\nShots=1\nMovies=1\n[Shot1]\n") + kEveryKey + "[Movie1]\n" +
                             kEveryKey + "InstallDir=\\Movies\nInstallType=300\n");
  const TShot& shot = c->Shot[1];
  EXPECT_EQ(shot.FullName, "BIG && SMALL");
  EXPECT_EQ(shot.Name, "TOM && JERRY");
  EXPECT_EQ(shot.Firm, "FIRM & CO");
  EXPECT_EQ(shot.Date, "1.2.2006");
  EXPECT_EQ(shot.Describe0, "d0 && x");
  EXPECT_EQ(shot.Describe, "d1 && x");
  EXPECT_EQ(shot.Web, "www.x.cz");
  EXPECT_EQ(shot.Picture, "pic.jpg");
  const TMovies& movie = c->Movie[1];
  EXPECT_EQ(movie.Name, "TOM && JERRY");
  EXPECT_EQ(movie.Firm, "FIRM & CO");
  EXPECT_EQ(movie.TechInfo, "tech & x~y");
  EXPECT_EQ(movie.FullName, "BIG && SMALL");
  EXPECT_EQ(movie.Describe0, "d0 && x");
  EXPECT_EQ(movie.InstallDir, "D:Dir");  // the first InstallDir wins
  EXPECT_EQ(movie.GameName, "game.exe");
  EXPECT_EQ(movie.InstallName, "inst.rar");
  EXPECT_EQ(movie.InstallType, 7);
  EXPECT_EQ(
      LoadCatalog("[Main]\nMovies=1\n[Movie1]\nInstallDir=\\Movies\nInstallType=263\n")->Movie[1].InstallDir,
      "D:\\Movies");
  EXPECT_EQ(LoadCatalog("[Main]\nMovies=1\n[Movie1]\nInstallType=263\n")->Movie[1].InstallType, 7);
}

TEST(CatalogItemsTest, CaptionsAreUpperCasedNationally) {
  // "Šachy pro dva" and "písmo" in Windows-1250.
  const auto c =
      LoadCatalog("[Main]\nReaders=1\n[Reader1]\nName=\x9a\x61\x63hy\nFullName=p\xedsmo & spol.\n");
  EXPECT_EQ(c->Reader[1].Name, "\x8a\x41\x43HY");
  EXPECT_EQ(c->Reader[1].FullName, "P\xcdSMO && SPOL.");
}

struct ParamCase {
  const char* section;
  int install_type;
  int dir_detect;
  const char* param;
};

TEST(CatalogItemsTest, ParamIsChosenByInstallTypeThenDirDetect) {
  const std::string keys =
      "TestName=T\nAfterInstall=A\nUnpackedSize=U\nFilesInArchive=F\nForcedDir=R\nShortCut=S\nIniFile=I\n"
      "DesktopShortCut=K\nSearchFile=X\n";
  const ParamCase cases[] = {
      {"Demo", 0, 0, "T"},   {"Demo", 4, 0, "T"},   {"Demo", 10, 0, "T"},  {"Demo", 1, 0, "A"},
      {"Demo", 2, 0, "U"},   {"Demo", 3, 0, "R"},   {"Demo", 5, 0, ""},    {"Demo", 3, 6, "I"},
      {"Demo", 3, 3, "S"},   {"Demo", 2, 7, "K"},   {"Demo", 0, 8, "X"},   {"Demo", 0, 10, "I"},
      {"Demo", 1, 9, "A"},   {"Extra2", 1, 0, "A"}, {"Extra2", 5, 8, "X"}, {"Full", 1, 0, ""},
      {"Full", 2, 0, "F"},   {"Full", 0, 0, "T"},   {"Full", 3, 0, "R"},   {"Full", 4, 3, "S"},
      {"Reader", 0, 0, ""},  {"Reader", 2, 0, ""},  {"Reader", 3, 0, "R"}, {"Reader", 4, 8, "X"},
      {"Reader", 3, 7, "K"}, {"Share", 3, 6, ""},   {"Extra", 3, 6, ""},   {"Driver", 3, 6, ""},
  };
  for (const ParamCase& pc : cases) {
    const std::string section = std::string(pc.section) + "1";
    const std::string body = "InstallType=" + std::to_string(pc.install_type) +
                             "\nDirDetect=" + std::to_string(pc.dir_detect) + "\n" + keys;
    const auto c = LoadCatalog(EveryKindWith(body));
    const std::string kind = pc.section;
    const TDemos& item = kind == "Demo"     ? c->Demo[1]
                         : kind == "Extra2" ? c->Extra2[1]
                         : kind == "Full"   ? c->Full[1]
                         : kind == "Reader" ? c->Reader[1]
                         : kind == "Share"  ? c->Share[1]
                         : kind == "Extra"  ? c->Extra[1]
                                            : c->Driver[1];
    EXPECT_EQ(item.Param, pc.param) << section << " InstallType " << pc.install_type << " DirDetect "
                                    << pc.dir_detect;
  }
}

TEST(CatalogItemsTest, ParamDefaults) {
  const auto c = LoadCatalog(
      "[Main]\nDemos=2\nFulls=1\n[Demo1]\nInstallType=2\n[Demo2]\nInstallType=3\nDirDetect=6\nForcedDir=C:"
      "\\G\n"
      "[Full1]\nInstallType=2\n");
  EXPECT_EQ(c->Demo[1].Param, "0");
  // A DirDetect key that is missing still replaces the ForcedDir.
  EXPECT_EQ(c->Demo[2].Param, "");
  EXPECT_EQ(c->Full[1].Param, "0");
}

std::string Drivers(int count, int czech_first, const std::string& version) {
  std::string text = "[Main]\nVersion=" + version + "\nDrivers=" + std::to_string(count) + "\n";
  for (int n = 1; n <= count; ++n) {
    const std::string id = std::to_string(n);
    text += "[Driver" + id + "]\nName=Driver " + id + (n <= czech_first ? " CZ" : "") + "\nInstallDir=D" +
            id + "\n";
  }
  return text;
}

TEST(CatalogItemsTest, CzechDriversAreDroppedOnOtherEditions) {
  const std::string text =
      "[Driver1]\nName=DirectX CZ\nInstallDir=dx\n[Driver2]\nName=GeForce\nInstallDir=nv\n"
      "[Driver3]\nName=Czech Audio\n[Driver4]\nName=Radeon\nInstallDir=ati\n[Driver5]\nName=ovlada\xe8 cz\n";
  for (const char* version : {"0", "2"}) {
    SCOPED_TRACE(version);
    const auto c = LoadCatalog(std::string("[Main]\nDrivers=5\nVersion=") + version + "\n" + text);
    ASSERT_EQ(c->DriverCount, 2);
    EXPECT_EQ(c->Driver[1].Name, "GEFORCE");
    EXPECT_EQ(c->Driver[1].InstallDir, "D:\\Drivers\\nv");
    EXPECT_EQ(c->Driver[2].Name, "RADEON");
    EXPECT_EQ(c->Driver[2].InstallDir, "D:\\Drivers\\ati");
    // The slot tried by the last, dropped driver is empty again.
    EXPECT_EQ(c->Driver[3].Name, "");
  }
  const auto czech = LoadCatalog("[Main]\nDrivers=5\nVersion=1\n" + text);
  ASSERT_EQ(czech->DriverCount, 5);
  EXPECT_EQ(LoadCatalog("[Main]\nDrivers=5\nVersion=9\n" + text)->DriverCount, 5);  // 9 counts as 1
  EXPECT_EQ(czech->Driver[1].Name, "DIRECTX CZ");
  EXPECT_EQ(czech->Driver[5].Name, "OVLADA\xc8 CZ");
}

TEST(CatalogItemsTest, DroppedDriversMakeRoomForLaterOnes) {
  const auto other = LoadCatalog(Drivers(25, 5, "0"));
  EXPECT_EQ(other->DriverCount, 20);
  EXPECT_EQ(other->Driver[1].Name, "DRIVER 6");
  EXPECT_EQ(other->Driver[20].InstallDir, "D:\\Drivers\\D25");
  EXPECT_TRUE(other->notes.empty());

  const auto czech = LoadCatalog(Drivers(25, 5, "1"));
  EXPECT_EQ(czech->DriverCount, 20);
  EXPECT_EQ(czech->Driver[20].Name, "DRIVER 20");
  EXPECT_EQ(czech->notes, (std::vector<std::string>{"Drivers: 25 in the catalog, only 20 read"}));
}

class RecordingDetector : public InstalledDetector {
 public:
  void CheckDemo(TDemos& item) override {
    seen.push_back(item.Name + "|" + item.Describe + "|" + item.DescribeAlt + "|" +
                   std::to_string(item.NotInstalled));
    item.Describe += " (installed)";
    item.Installed = 1;
    item.InstalledDir = "C:\\Games\\" + item.Name;
  }
  std::vector<std::string> seen;
};

TEST(CatalogItemsTest, DetectionAsksAboutReadersAndFullsBeforeTheirAlternativeDescription) {
  const std::string text = EveryKindWith("Describe1=text\n", "Fulls=2\n") + "[Full2]\nName=Second\n";
  RecordingDetector detector;
  const auto two = LoadCatalog(text, &detector);
  ASSERT_EQ(two->FullCount, 2);
  // Name | Describe | DescribeAlt | NotInstalled, as detection saw them; readers are read before fulls.
  EXPECT_EQ(detector.seen, (std::vector<std::string>{"|text||1", "|text||0", "SECOND|||0"}));
  EXPECT_EQ(two->Reader[1].DescribeAlt, "text (installed)");
  EXPECT_EQ(two->Full[1].DescribeAlt, "text (installed)");
  EXPECT_EQ(two->Full[1].Installed, 1);
  EXPECT_EQ(two->Full[2].InstalledDir, "C:\\Games\\SECOND");
  for (const TDemos* other :
       {&two->Demo[1], &two->Extra2[1], &two->Share[1], &two->Driver[1], &two->Extra[1]}) {
    EXPECT_EQ(other->Installed, 0);
    EXPECT_EQ(other->InstalledDir, "");
    EXPECT_EQ(other->DescribeAlt, "text");
  }
}

TEST(CatalogItemsTest, UpdateLines) {
  const auto c = LoadCatalog(
      "[Main]\nUpdates=7\n[Updates]\nUpdate1=Patch,1.2,patch12.exe\nUpdate2=Mod;2.0;mod.exe;mod.txt;1\n"
      "Update3=\nUpdate5=Fix;1;f.exe;f.txt;abc\nUpdate6=Big & small~note:1:x.exe:x.txt:257:extra:more\n"
      "Update7=Solo\n");
  ASSERT_EQ(c->UpdateCount, 7);
  const TUpdate& patch = c->Update[1];
  EXPECT_EQ(patch.Name, "PATCH");
  EXPECT_EQ(patch.Suffix, "1.2");
  EXPECT_EQ(patch.FileName, "patch12.exe");
  EXPECT_EQ(patch.ReadmeName, "");
  EXPECT_EQ(patch.NoRun, 0);
  const TUpdate& mod = c->Update[2];
  EXPECT_EQ(mod.Name, "MOD");
  EXPECT_EQ(mod.ReadmeName, "mod.txt");
  EXPECT_EQ(mod.NoRun, 1);
  EXPECT_EQ(c->Update[3].Name, "");
  EXPECT_EQ(c->Update[4].FileName, "");
  EXPECT_EQ(c->Update[5].ReadmeName, "f.txt");
  EXPECT_EQ(c->Update[5].NoRun, 0);
  EXPECT_EQ(c->Update[6].Name, "BIG && SMALL");
  EXPECT_EQ(c->Update[6].NoRun, 1);
  EXPECT_EQ(c->Update[7].Name, "SOLO");
  EXPECT_EQ(c->Update[7].Suffix, "");
  EXPECT_EQ(c->notes, (std::vector<std::string>{"Updates: Update3 empty or missing",
                                                "Updates: Update4 empty or missing",
                                                "Updates: Update5 fifth part \"abc\" is not a number"}));
}

TEST(CatalogItemsTest, TextsLongerThan255CharactersStayWhole) {
  const std::string name(300, 'a');
  const std::string describe = std::string(700, 'd') + " & " + std::string(300, 'e');
  const std::string update = std::string(260, 'u') + "," + std::string(260, 'v') + ",run.exe";
  const auto c = LoadCatalog("[Main]\nDemos=1\nUpdates=1\n[Demo1]\nName=" + name +
                             "&\nDescribe1=" + describe + "\n[Updates]\nUpdate1=" + update + "\n");
  EXPECT_EQ(c->Demo[1].Name, std::string(300, 'A') + "&&");
  EXPECT_EQ(c->Demo[1].Describe.size(), describe.size() + 1);
  EXPECT_EQ(c->Update[1].Name, std::string(260, 'U'));
  EXPECT_EQ(c->Update[1].Suffix, std::string(260, 'v'));
  EXPECT_EQ(c->Update[1].FileName, "run.exe");
}

}  // namespace
}  // namespace norva::catalog
