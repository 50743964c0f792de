// The Installed page: rows rebuilt from the install store of every issue, their issue labels and Run state,
// and the cleaning of entries whose program is gone.
#include "menu/installed_page.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "components/input.h"
#include "menu/main_form.h"
#include "menu/menu_test_form.h"
#include "menu/page_kinds.h"
#include "platform/wine/private_profile_file.h"
#include "support/temp_dir.h"

namespace norva::test {
namespace {

namespace fs = std::filesystem;
using namespace norva::menu;

// An English menu of one demo (so the Installed icon sits in slot 2) on a disc of `issue`, over a store
// written before the start.
class InstalledPageMenu {
 public:
  explicit InstalledPageMenu(const std::string& issue = "0206", const std::string& main = {})
      : t_(IssueCatalog(issue, main)) {}

  void Store(const std::string& text) { WriteHost(C() / "windows" / "norva.ini", text); }
  // Creates a file on the machine's C: drive ("C:\GAMES\X\GAME.EXE").
  void Program(const std::string& dos_path) { WriteHost(HostOf(dos_path), "MZ"); }
  void RemoveProgram(const std::string& dos_path) { fs::remove(HostOf(dos_path)); }
  // One HKLM value in the prefix's registry.
  void MachineValue(const std::string& key, const std::string& name, const std::string& value) {
    auto escape = [](std::string text) {
      for (std::size_t at = 0; (at = text.find('\\', at)) != std::string::npos; at += 2)
        text.insert(at, "\\");
      return text;
    };
    WriteHost(t_.Prefix() / "system.reg",
              "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n"
              "#arch=win32\n\n[" +
                  escape(key) + "] 1700000000\n\"" + escape(name) + "\"=\"" + escape(value) + "\"\n\n");
  }

  // Starts the menu and clicks the Installed icon.
  void Open() {
    t_.Start(12, &detector_);
    t_.ClickIcon(2);
  }

  std::string StoreText() const { return TempDir::ReadFile(C() / "windows" / "norva.ini"); }
  MainForm& form() { return t_.form(); }
  MenuTestForm& menu() { return t_; }
  const catalog::TDemos& Row(int r) { return t_.form().installed_rows().InstalledList[r]; }

 private:
  static std::string IssueCatalog(const std::string& issue, const std::string& main) {
    // The English edition.
    std::string text = CatalogText({Numbered("Demos", "Demo", 1)}, "Version=0\r\n" + main);
    text.replace(text.find("CD=0206"), 7, "CD=" + issue);
    return text;
  }
  fs::path C() const { return t_.Prefix() / "drive_c"; }
  fs::path HostOf(const std::string& dos_path) const {
    fs::path host = C();
    std::string rest = dos_path.substr(3);
    for (std::size_t slash; (slash = rest.find('\\')) != std::string::npos; rest.erase(0, slash + 1))
      host /= rest.substr(0, slash);
    return host / rest;
  }
  static void WriteHost(const fs::path& file, const std::string& bytes) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
  }

  MenuTestForm t_;
  MarkingDetector detector_;
};

const std::string kPageText = "Here you can uninstall all programs installed with this engine from any CD!";

TEST(InstalledPage, StoreWithoutIssueSectionsGivesAnEmptyPage) {
  InstalledPageMenu m;
  // A section whose year is not a number is no issue section, whatever it holds.
  m.Store("[Main]\r\nLanguage=1\r\n[CD01AB]\r\nGAME=C:\\GAME\r\nGAME_=GAME.EXE,,,\r\n");
  m.Program("C:\\GAME\\GAME.EXE");
  m.Open();
  auto& f = m.form();
  auto& c = f.controls();
  EXPECT_EQ(f.selection().PageKind, kPageInstalled);
  EXPECT_EQ(f.installed_rows().InstalledCount, 0);
  EXPECT_EQ(m.menu().Row(1), "");
  EXPECT_EQ(m.menu().Position(), "");
  EXPECT_EQ(c.HighlightDIB->rect.top, -100);
  EXPECT_EQ(c.TextLabel->caption, kPageText);
  EXPECT_EQ(c.PlayImage->tag, 0);
  EXPECT_EQ(c.StopImage->tag, 0);
  EXPECT_NE(m.StoreText().find("GAME_=GAME.EXE"), std::string::npos) << "nothing of it is deleted";
}

TEST(InstalledPage, RowsComeInNameOrderWithOneRowPerIssue) {
  InstalledPageMenu m;
  // File order: the later issue first, and a lower-case name that a byte order would put last.
  m.Store(
      "[Main]\r\nLanguage=1\r\n"
      "[CD0206]\r\nGAME=C:\\NEW\r\nGAME_=GAME.EXE -safe,Game,,\r\n"
      "alpha=C:\\ALPHA\\\r\nalpha_=A.EXE:Normal;B.EXE:3D,AlphaKey,DEL C:\\ALPHA,\r\n"
      "alpha__=C:\\ALPHA\\UNINST.EXE\r\n"
      "[CD0105]\r\nGAME=C:\\OLD\r\nGAME_=GAME.EXE\r\n");
  m.Program("C:\\NEW\\GAME.EXE");
  m.Program("C:\\OLD\\GAME.EXE");
  m.Program("C:\\ALPHA\\A.EXE");
  m.Open();
  auto& f = m.form();
  auto& c = f.controls();
  ASSERT_EQ(f.installed_rows().InstalledCount, 3);
  EXPECT_EQ(m.menu().Row(1), "alpha");
  EXPECT_EQ(m.menu().Row(2), "GAME");
  EXPECT_EQ(m.menu().Row(3), "GAME");
  EXPECT_EQ(m.menu().Row(4), "");
  EXPECT_EQ(m.menu().Position(), "1 z 3");

  const auto& alpha = m.Row(1);
  EXPECT_EQ(alpha.TechInfo, "NORVA 02-06");
  EXPECT_EQ(alpha.InstalledDir, "C:\\ALPHA\\")
      << "a folder written with its backslash still finds the program";
  EXPECT_EQ(alpha.GameName, "A.EXE:Normal;B.EXE:3D");
  EXPECT_EQ(alpha.RegUninstall, "AlphaKey");
  EXPECT_EQ(alpha.Uninstall, "DEL C:\\ALPHA");
  EXPECT_EQ(alpha.UnInstallName, "C:\\ALPHA\\UNINST.EXE");
  EXPECT_EQ(alpha.InstallType, 4);
  EXPECT_EQ(alpha.Runnable, 1);
  EXPECT_EQ(alpha.Installed, 1);
  EXPECT_EQ(alpha.NotInstalled, 0);
  EXPECT_TRUE(alpha.InstallDir.empty());

  const auto& old_game = m.Row(2);
  EXPECT_EQ(old_game.TechInfo, "NORVA 01-05") << "the earlier issue's row comes first";
  EXPECT_EQ(old_game.InstalledDir, "C:\\OLD");
  EXPECT_EQ(old_game.GameName, "GAME.EXE") << "a record cut short reads its missing fields as empty";
  EXPECT_EQ(old_game.RegUninstall, "");
  EXPECT_EQ(old_game.InstallType, 2);
  const auto& new_game = m.Row(3);
  EXPECT_EQ(new_game.TechInfo, "NORVA 02-06");
  EXPECT_EQ(new_game.GameName, "GAME.EXE -safe");
  EXPECT_EQ(new_game.InstallType, 2);

  EXPECT_EQ(c.NameLabel->caption, "alpha");
  EXPECT_EQ(c.FirmLabel->caption, "NORVA 02-06");
  EXPECT_EQ(c.TextLabel->caption, kPageText);
  EXPECT_NE(c.PlayImage->tag, 0);
  EXPECT_NE(c.StopImage->tag, 0);

  m.menu().Key(components::Key::Down);
  EXPECT_EQ(c.FirmLabel->caption, "NORVA 01-05");
  EXPECT_EQ(m.menu().Position(), "2 z 3");

  m.menu().ClickIcon(1);
  EXPECT_EQ(f.selection().PageKind, kPageDemos);
  EXPECT_EQ(m.menu().Row(1), "DEMO 1");
}

TEST(InstalledPage, EntriesOfMissingProgramsAreDeletedFromTheirIssue) {
  InstalledPageMenu m;
  m.Store(
      "[Main]\r\nLanguage=1\r\n"
      "[CD0105]\r\nGONE=C:\\GONE\r\nGONE_=GONE.EXE,Gone,,\r\nGONE__=C:\\GONE\\UNINST.EXE\r\n"
      "KEPT=C:\\KEPT\r\nKEPT_=KEPT.EXE,,,\r\n"
      "NOFOLDER=\r\nNOFOLDER_=NOFOLDER.EXE,,,\r\n"
      "NORECORD=C:\\NORECORD\r\n"
      "[CD0206]\r\nGONE=C:\\GONE2\r\nGONE_=GONE.EXE,,,\r\n");
  m.Program("C:\\KEPT\\KEPT.EXE");
  m.Program("C:\\GONE2\\GONE.EXE");
  m.Program("C:\\NORECORD\\X.EXE");
  m.Open();
  auto& f = m.form();
  ASSERT_EQ(f.installed_rows().InstalledCount, 2);
  EXPECT_EQ(m.Row(1).Name, "GONE");
  EXPECT_EQ(m.Row(1).TechInfo, "NORVA 02-06");
  EXPECT_EQ(m.Row(2).Name, "KEPT");
  EXPECT_EQ(m.Row(3).Name, "");

  const std::string store = m.StoreText();
  EXPECT_EQ(store.find("C:\\GONE\\"), std::string::npos) << store;
  EXPECT_EQ(store.find("GONE_=GONE.EXE,Gone"), std::string::npos) << store;
  EXPECT_EQ(store.find("NOFOLDER"), std::string::npos) << "an empty folder is no installation";
  EXPECT_NE(store.find("GONE=C:\\GONE2"), std::string::npos) << "the other issue's entry stays";
  EXPECT_NE(store.find("KEPT_=KEPT.EXE"), std::string::npos);
  EXPECT_NE(store.find("NORECORD=C:\\NORECORD"), std::string::npos)
      << "an entry without record is only skipped";

  // Rebuilt after the last programs went away (as after an uninstall from this page): no row is left that
  // could still be run or uninstalled.
  m.RemoveProgram("C:\\KEPT\\KEPT.EXE");
  m.RemoveProgram("C:\\GONE2\\GONE.EXE");
  f.installed_page().SetInstalledPage();
  EXPECT_EQ(f.installed_rows().InstalledCount, 0);
  EXPECT_EQ(m.Row(1).Name, "");
  EXPECT_EQ(m.Row(1).Installed, 0);
  EXPECT_EQ(m.Row(2).Name, "");
  EXPECT_EQ(m.menu().Row(1), "");
  EXPECT_EQ(f.controls().HighlightDIB->rect.top, -100);
  EXPECT_EQ(f.controls().NameLabel->caption, "");
  EXPECT_EQ(f.controls().StopImage->tag, 0);
  EXPECT_EQ(f.controls().PlayImage->tag, 0);
}

TEST(InstalledPage, EntriesOnADriveThatIsNotThereTodayStay) {
  InstalledPageMenu m;
  m.Open();
  // F: is mapped to a disk that is not plugged in; E: is not mapped at all.
  fs::create_directory_symlink("/nonexistent/usb-disk", m.menu().Prefix() / "dosdevices" / "f:");
  const std::string away =
      "[Main]\r\nLanguage=1\r\n"
      "[CD0105]\r\nAWAY=E:\\GAMES\\AWAY\r\nAWAY_=AWAY.EXE,,,\r\n"
      "UNPLUGGED=F:\\X\r\nUNPLUGGED_=X.EXE,,,\r\n";
  m.Store(away + "GONE=C:\\GONE\r\nGONE_=GONE.EXE,,,\r\nGONE2=C:\\GONE2\r\nGONE2_=GONE.EXE,,,\r\n");
  auto* store = dynamic_cast<platform::wine::PrivateProfileFile*>(m.form().files().StoreIni.get());
  ASSERT_NE(store, nullptr);
  const std::size_t rewrites = store->rewrites();
  // The store's copy is trusted for 20 ms after a read; then the file written above is read.
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  m.form().installed_page().SetInstalledPage();
  EXPECT_EQ(m.form().installed_rows().InstalledCount, 0);
  EXPECT_EQ(m.StoreText(), away);
  EXPECT_EQ(store->rewrites(), rewrites + 1) << "both stale entries go in one rewrite";
}

TEST(InstalledPage, AFirstStartWritesTheStoreOncePerStepNotOncePerKey) {
  // Four demos and two full versions whose setups left uninstall entries: detection records three keys each.
  std::string catalog = "[Main]\r\nCD=0206\r\nCDLabel=NORVA 02/06\r\nVersion=0\r\nDemos=4\r\nFulls=2\r\n";
  std::string registry = "WINE REGISTRY Version 2\n\n";
  for (int n = 1; n <= 6; ++n) {
    const std::string id = std::to_string(n);
    catalog += std::string(n <= 4 ? "[Demo" + id : "[Full" + std::to_string(n - 4)) + "]\r\nName=Game " + id +
               "\r\nInstallType=4\r\nRegUninstall=Game" + id + "\r\nGameName=GAME.EXE\r\n";
    registry +=
        "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\Game" + id +
        "] 1700000000\n\"UninstallString\"=\"C:\\\\WINDOWS\\\\IsUninst.exe -f\\\"C:\\\\GAMES\\\\GAME" + id +
        "\\\\DeIsL1.isu\\\"\"\n\n";
  }
  MenuTestForm t(catalog);
  fs::create_directories(t.Prefix());
  std::ofstream(t.Prefix() / "system.reg") << registry;
  for (int n = 1; n <= 6; ++n) {
    const fs::path game = t.Prefix() / "drive_c" / "GAMES" / ("GAME" + std::to_string(n));
    fs::create_directories(game);
    std::ofstream(game / "GAME.EXE") << "MZ";
  }
  t.Start();
  auto* store = dynamic_cast<platform::wine::PrivateProfileFile*>(t.form().files().StoreIni.get());
  ASSERT_NE(store, nullptr);
  const std::string text = TempDir::ReadFile(t.Prefix() / "drive_c" / "windows" / "norva.ini");
  EXPECT_NE(text.find("GAME 6__=C:\\WINDOWS\\IsUninst.exe"), std::string::npos) << text;
  EXPECT_NE(text.find("GAME 1_=GAME.EXE,Game1,,"), std::string::npos) << text;
  // The language, then the disc label with the full versions, then the demos of the first page.
  EXPECT_EQ(store->rewrites(), 3u);
}

TEST(InstalledPage, TheDiscLabelNeverTakesTheKeyOfASetting) {
  InstalledPageMenu settings_key("Slow", "CDLabel=1\r\n");
  settings_key.Store("[Main]\r\nLanguage=1\r\nSlow=0\r\n");
  settings_key.Open();
  EXPECT_EQ(settings_key.StoreText(), "[Main]\r\nLanguage=1\r\nSlow=0\r\n");

  InstalledPageMenu special("SP07", "CDLabel=NORVA SPECIAL\r\n");
  special.Store("[Main]\r\nLanguage=1\r\n");
  special.Open();
  EXPECT_EQ(special.StoreText(), "[Main]\r\nLanguage=1\r\nSP07=NORVA SPECIAL\r\n");
}

constexpr const char* kDiscCodeStore =
    "[Main]\r\nLanguage=1\r\n"
    "[CD0105]\r\nA12=C:\\A\r\nA12_=A.EXE,,,12\r\nB10=C:\\B\r\nB10_=B.EXE,,,10\r\n"
    "C3=C:\\C\r\nC3_=C.EXE,,,3\r\nDX=C:\\D\r\nDX_=D.EXE,,,x\r\n";

void InstallDiscCodePrograms(InstalledPageMenu& m) {
  m.Store(kDiscCodeStore);
  for (const char* p : {"C:\\A\\A.EXE", "C:\\B\\B.EXE", "C:\\C\\C.EXE", "C:\\D\\D.EXE"}) m.Program(p);
}

TEST(InstalledPage, DiscCodesGiveTheDiscAndRunOnlyFromTheirOwnIssue) {
  InstalledPageMenu other_issue("0206");
  InstallDiscCodePrograms(other_issue);
  other_issue.Open();
  ASSERT_EQ(other_issue.form().installed_rows().InstalledCount, 4);
  EXPECT_EQ(other_issue.Row(1).TechInfo, "NORVA 01-05-2");
  EXPECT_EQ(other_issue.Row(1).Runnable, 0);
  EXPECT_EQ(other_issue.form().controls().PlayImage->tag, 0) << "Run disabled for the selected A12";
  EXPECT_NE(other_issue.form().controls().StopImage->tag, 0);
  EXPECT_EQ(other_issue.Row(2).TechInfo, "NORVA 01-05") << "disc code 10: no disc number";
  EXPECT_EQ(other_issue.Row(2).Runnable, 0);
  EXPECT_EQ(other_issue.Row(3).TechInfo, "NORVA 01-05-3");
  EXPECT_EQ(other_issue.Row(3).Runnable, 1);
  EXPECT_EQ(other_issue.Row(4).TechInfo, "NORVA 01-05") << "a disc code that is no number counts as 0";
  EXPECT_EQ(other_issue.Row(4).Runnable, 1);

  InstalledPageMenu own_issue("0105");
  InstallDiscCodePrograms(own_issue);
  own_issue.Open();
  ASSERT_EQ(own_issue.form().installed_rows().InstalledCount, 4);
  EXPECT_EQ(own_issue.Row(1).TechInfo, "NORVA 01-05-2");
  EXPECT_EQ(own_issue.Row(1).Runnable, 1);
  EXPECT_NE(own_issue.form().controls().PlayImage->tag, 0);
  EXPECT_EQ(own_issue.Row(2).Runnable, 1);
}

TEST(InstalledPage, LabelsOfOddIssuesAndTheUninstallerOfIssue0198) {
  InstalledPageMenu m;
  m.Store(
      "[Main]\r\nLanguage=1\r\n1305=NORVA SPECIAL\r\n"
      "[CD1305]\r\nSPECIAL=C:\\S\r\nSPECIAL_=S.EXE,,,\r\n"
      "[CD0098]\r\nUNLABELLED=C:\\U\r\nUNLABELLED_=U.EXE,,,\r\n"
      "[CD0198]\r\nOLD=C:\\O\r\nOLD_=O.EXE,OldGame,,\r\n"
      "[CD0199]\r\nOLDER=C:\\O\r\nOLDER_=O.EXE,OldGame,,\r\n");
  for (const char* p : {"C:\\S\\S.EXE", "C:\\U\\U.EXE", "C:\\O\\O.EXE"}) m.Program(p);
  m.MachineValue("Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\OldGame", "UninstallString",
                 "C:\\O\\UNWISE.EXE");
  m.Open();
  auto& f = m.form();
  ASSERT_EQ(f.installed_rows().InstalledCount, 4);
  EXPECT_EQ(m.Row(1).Name, "OLD");
  EXPECT_EQ(m.Row(1).TechInfo, "NORVA 01-98");
  EXPECT_EQ(m.Row(1).UnInstallName, "C:\\O\\UNWISE.EXE");
  EXPECT_EQ(m.Row(1).InstallType, 4);
  EXPECT_EQ(m.Row(2).Name, "OLDER");
  EXPECT_EQ(m.Row(2).UnInstallName, "") << "only issue 0198 looks its uninstaller up";
  EXPECT_EQ(m.Row(2).InstallType, 2);
  EXPECT_EQ(m.Row(3).Name, "SPECIAL");
  EXPECT_EQ(m.Row(3).TechInfo, "NORVA SPECIAL");
  EXPECT_EQ(m.Row(4).Name, "UNLABELLED");
  EXPECT_EQ(m.Row(4).TechInfo, "");
}

TEST(InstalledPage, OnlyTheFirst48EntriesAreExaminedAndCleaned) {
  InstalledPageMenu m;
  std::string store = "[Main]\r\nLanguage=1\r\n[CD0206]\r\n";
  auto name = [](int n) { return std::string("ITEM") + (n < 10 ? "0" : "") + std::to_string(n); };
  for (int n = 50; n >= 1; --n) {
    store += name(n) + "=C:\\P\r\n" + name(n) + "_=" + name(n) + ".EXE,,,\r\n";
    // The first and the last two have lost their programs.
    if (n != 1 && n < 49) m.Program("C:\\P\\" + name(n) + ".EXE");
  }
  m.Store(store);
  m.Open();
  auto& f = m.form();
  ASSERT_EQ(f.installed_rows().InstalledCount, 47);
  EXPECT_EQ(m.Row(1).Name, "ITEM02");
  EXPECT_EQ(m.Row(47).Name, "ITEM48");
  EXPECT_EQ(m.Row(48).Name, "");
  const std::string text = m.StoreText();
  EXPECT_EQ(text.find("ITEM01="), std::string::npos);
  EXPECT_NE(text.find("ITEM49="), std::string::npos) << "past the 48th entry nothing is examined";
  EXPECT_NE(text.find("ITEM50_="), std::string::npos);

  m.menu().Key(components::Key::End);
  EXPECT_EQ(m.menu().Position(), "47 z 47");
  EXPECT_EQ(m.menu().Row(10), "ITEM48");
}

}  // namespace
}  // namespace norva::test
