// The uninstall procedure on a scratch prefix with Windows programs run by the fake runner: each way an item
// is uninstalled, the proof that decides a cancelled run, the leftover question, the Installed page, and the
// guards around the machine's folders and a running uninstall.
#include "menu/uninstaller.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "install/lnk_writer.h"
#include "menu/installed_page.h"
#include "menu/page_kinds.h"
#include "menu/pages.h"
#include "menu/uninstall_menu.h"
#include "platform/wine/private_profile_file.h"
#include "support/fake_runner.h"

namespace norva::test {
namespace {

namespace fs = std::filesystem;
using menu::MessageAnswer;
using platform::RegRoot;

const std::string kAskQuake = "Would you like to delete all files in C:\\GAMES\\QUAKE ?";
const std::string kSetupMissing =
    "Uninstall vy\x9E"
    "aduje Norva CD/DVD s instala\xE8n\xEDm souborem v mechanice.";

std::string Leftover(const std::string& dir) {
  return "After uninstallation process some files has been left in directory " + dir +
         ". These are usually savegames, pictures or temporary files, that wasn't deleted. Do you want to "
         "delete them (recommended)?";
}
std::string Megabytes(const std::string& mb) {
  return "Do you really want to delete " + mb + " MB ?";
}

class UninstallerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_.File("C:\\Games\\Quake\\QUAKE.EXE");
    m_.Value(RegRoot::kLocalMachine, "Software\\Vendor\\Quake", "Path", "C:\\Games\\Quake");
  }
  // Demo 1 as an installed item of the type in C:\Games\Quake.
  catalog::TDemos& Quake(int type, std::string uninstall = {}, std::string uninstaller = {}) {
    auto& item = m_.form().catalog().Demo[1];
    item.InstallType = type;
    item.InstalledDir = "C:\\Games\\Quake";
    item.GameName = "QUAKE.EXE";
    item.Uninstall = std::move(uninstall);
    item.UnInstallName = std::move(uninstaller);
    item.Installed = 1;
    item.NotInstalled = 0;
    item.Runnable = 1;
    return item;
  }
  void Answer(std::initializer_list<MessageAnswer> answers) {
    for (auto answer : answers) m_.host().answers.push_back(answer);
  }
  void Uninstall(catalog::TDemos& item) { m_.form().uninstaller().UninstallProc(item); }
  std::size_t Runs() { return FakeRunnerCalls(m_.menu().Prefix()).size(); }
  static void Sized(const fs::path& file, std::uintmax_t size) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary).close();
    fs::resize_file(file, size);
  }

  // One item of each page that has an Uninstall button.
  UninstallMenu m_{{Numbered("Demos", "Demo", 1), Numbered("Extra", "Extra", 1),
                    Numbered("Readers", "Reader", 1), Numbered("Fulls", "Full", 1),
                    Numbered("Extra2", "Extra2", 1), Numbered("Shareware", "Share", 1)}};
  MarkingDetector detector_;
};

constexpr const char* kRemoveGame = "rm -f QUAKE.EXE UNINST.EXE\n";

TEST_F(UninstallerTest, UninstallerRunsThenCommandsThenTheLeftoverQuestion) {
  m_.Program("C:\\Games\\Quake\\UNINST.EXE", kRemoveGame);
  Sized(m_.Host("C:\\Games\\Quake\\save\\s1.sav"), 600'000);
  m_.File("C:\\windows\\quake.ini");
  m_.Start(&detector_);
  auto& item = Quake(2, "RMD\\Software\\Vendor\\Quake,FWquake.ini", "C:\\Games\\Quake\\UNINST.EXE");
  Answer({MessageAnswer::kYes, MessageAnswer::kYes});
  Uninstall(item);

  EXPECT_EQ(Runs(), 1u);
  EXPECT_EQ(m_.TakeMessages(), (std::vector<std::string>{Leftover("C:\\GAMES\\QUAKE"), Megabytes("1")}));
  EXPECT_FALSE(m_.Exists("C:\\Games\\Quake"));
  EXPECT_FALSE(m_.Exists("C:\\windows\\quake.ini"));
  EXPECT_EQ(m_.Hive(RegRoot::kLocalMachine).find("Vendor\\\\Quake"), std::string::npos);
  EXPECT_EQ(item.Installed, 0);
  EXPECT_EQ(item.NotInstalled, 1);
  EXPECT_EQ(item.Runnable, 0);
  EXPECT_EQ(item.Uninstall, "RMD\\Software\\Vendor\\Quake,FWquake.ini");
  EXPECT_FALSE(m_.form().activity().InstallOrUninstallRunning);
  EXPECT_EQ(m_.form().controls().StopImage->tag, 0) << "the page was refreshed";
}

TEST_F(UninstallerTest, CancelledUninstallerChangesNothing) {
  m_.Program("C:\\Games\\Quake\\UNINST.EXE", "exit 0\n");
  m_.File("C:\\windows\\quake.ini");
  m_.Start(&detector_);
  auto& item = Quake(2, "?GUNINST.EXE,FWquake.ini");
  Uninstall(item);

  EXPECT_EQ(Runs(), 1u) << "found by the locating entry";
  EXPECT_EQ(item.UnInstallName, "C:\\Games\\Quake\\UNINST.EXE") << "what was located stays";
  EXPECT_TRUE(m_.TakeMessages().empty()) << "no leftover question";
  EXPECT_TRUE(m_.Exists("C:\\windows\\quake.ini")) << "no command ran";
  EXPECT_EQ(item.Installed, 1);
  EXPECT_EQ(item.NotInstalled, 0);
  EXPECT_EQ(item.Uninstall, "?GUNINST.EXE,FWquake.ini");
  EXPECT_FALSE(m_.form().activity().InstallOrUninstallRunning);
}

TEST_F(UninstallerTest, SetupFormNeedsTheInstallerOnTheDisc) {
  m_.Start(&detector_);
  auto& item = Quake(4, "SETUP");
  item.InstallDir = m_.form().files().DiscRoot + "\\DEMOS\\Quake";
  item.InstallName = "SETUP.EXE";
  Uninstall(item);
  ASSERT_EQ(m_.host().messages.size(), 1u);
  EXPECT_EQ(m_.host().messages[0].kind, menu::MessageKind::kError);
  EXPECT_EQ(m_.TakeMessages(), std::vector<std::string>{kSetupMissing});
  EXPECT_EQ(Runs(), 0u);
  EXPECT_EQ(item.Installed, 1);
  EXPECT_EQ(item.Uninstall, "SETUP");

  m_.Program(item.InstallDir + "\\SETUP.EXE",
             "rm -f '" + m_.Host("C:\\Games\\Quake\\QUAKE.EXE").string() + "'\n");
  Uninstall(item);
  EXPECT_TRUE(m_.TakeMessages().empty());
  EXPECT_EQ(Runs(), 1u);
  EXPECT_EQ(item.UnInstallName, item.InstallDir + "\\SETUP.EXE");
  EXPECT_EQ(item.Installed, 0);
}

TEST_F(UninstallerTest, UninstallerBehindAStartMenuShortcut) {
  m_.Program("C:\\Games\\Quake\\unwise.exe", "[ \"$1\" = install.log ] && rm -f QUAKE.EXE unwise.exe\n");
  LnkSpec link;
  link.target = "C:\\Games\\Quake\\unwise.exe";
  link.arguments = "install.log";
  ASSERT_TRUE(
      WriteShellLinkFile(m_.Host("C:\\users\\player\\Start Menu\\Programs\\Quake\\Uninstall.lnk"), link));
  m_.Start(&detector_);
  // Every S entry also counts as a locating entry ("SN" names SystemDir\N...): the shortcut comes last.
  auto& item = Quake(4, "?SNQuake,PQuake\\Uninstall.lnk");
  Uninstall(item);
  EXPECT_EQ(item.UnInstallName, "C:\\Games\\Quake\\unwise.exe install.log");
  EXPECT_EQ(item.Installed, 0);
  EXPECT_FALSE(m_.Exists("C:\\Games\\Quake")) << "the emptied folder went";
  EXPECT_FALSE(m_.Exists("C:\\users\\player\\Start Menu\\Programs\\Quake"));
}

TEST_F(UninstallerTest, WithoutAnUninstallerTheFolderIsOfferedOnce) {
  m_.Start(&detector_);
  // Detection ignored the registry's uninstaller ("*"); the DG entry asks only while the folder is there.
  auto& item = Quake(5, "*DG");
  Uninstall(item);
  EXPECT_EQ(m_.TakeMessages(), std::vector<std::string>{kAskQuake});
  EXPECT_EQ(item.Installed, 1) << "No keeps the program: cancelled";

  Answer({MessageAnswer::kYes});
  Uninstall(item);
  EXPECT_EQ(m_.TakeMessages(), std::vector<std::string>{kAskQuake});
  EXPECT_FALSE(m_.Exists("C:\\Games\\Quake"));
  EXPECT_EQ(item.Installed, 0);

  // "!": the uninstaller detection found is not run.
  m_.File("C:\\Games\\Quake\\QUAKE.EXE");
  m_.Program("C:\\Games\\Quake\\UNINST.EXE", kRemoveGame);
  auto& marked = Quake(4, "!", "C:\\Games\\Quake\\UNINST.EXE");
  Uninstall(marked);
  EXPECT_EQ(Runs(), 0u);
  EXPECT_EQ(marked.UnInstallName, "");
  EXPECT_EQ(m_.TakeMessages(), std::vector<std::string>{kAskQuake});

  // Types 1, 2, 3 and 11 without an uninstaller ask as well.
  auto& plain = Quake(11);
  Answer({MessageAnswer::kYes});
  Uninstall(plain);
  EXPECT_EQ(m_.TakeMessages(), std::vector<std::string>{kAskQuake});
  EXPECT_EQ(plain.Installed, 0);
}

TEST_F(UninstallerTest, DiscItemsAndTheSierraInstaller) {
  m_.File("C:\\windows\\quake.cfg");
  m_.Program("C:\\Sierra\\Game\\SETUP.EXE", "[ \"$1\" = /U ] && rm -f SETUP.EXE GAME.EXE\n");
  m_.File("C:\\Sierra\\Game\\GAME.EXE");
  m_.File("C:\\users\\player\\Start Menu\\Programs\\Sierra\\Game.lnk");
  m_.Start(&detector_);

  // Type 0 runs from the disc: its test file decides what stays installed.
  auto& disc_item = Quake(0, "FWquake.cfg");
  disc_item.InstalledDir = m_.form().files().DiscRoot + "\\DEMOS\\Quake";
  disc_item.Param = "C:\\windows\\quake.cfg";
  Uninstall(disc_item);
  EXPECT_EQ(disc_item.InstalledDir, "");
  EXPECT_FALSE(m_.Exists("C:\\windows\\quake.cfg"));
  EXPECT_EQ(disc_item.Installed, 0);
  EXPECT_EQ(disc_item.NotInstalled, 0);
  EXPECT_EQ(disc_item.Runnable, 1);

  auto& sierra = Quake(6);
  sierra.InstalledDir.clear();  // without its folder the installer is not looked for on the disc's drive
  Uninstall(sierra);
  EXPECT_EQ(FakeRunnerCalls(m_.menu().Prefix()).size(), 0u);
  sierra.Installed = 1;
  sierra.InstalledDir = "C:\\Sierra\\Game";
  sierra.GameName = "GAME.EXE";
  Uninstall(sierra);
  const auto calls = FakeRunnerCalls(m_.menu().Prefix());
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_NE(calls[0].find("SETUP.EXE /U"), std::string::npos);
  EXPECT_FALSE(m_.Exists("C:\\users\\player\\Start Menu\\Programs\\Sierra"));
  EXPECT_FALSE(m_.Exists("C:\\Sierra"));
  EXPECT_EQ(sierra.Installed, 0);
}

TEST_F(UninstallerTest, RayneStaysUntilItsUninstallLogIsGone) {
  m_.File("C:\\Games\\Quake\\rayne.exe");
  m_.File("C:\\Games\\Quake\\Uninst.isu");
  m_.Program("C:\\Games\\Quake\\UNINST.EXE", "exit 0\n");
  m_.Start(&detector_);
  auto& item = Quake(2, {}, "C:\\Games\\Quake\\UNINST.EXE");
  item.GameName = "rayne.exe";
  Uninstall(item);
  EXPECT_EQ(item.Installed, 1);

  m_.Program("C:\\Games\\Quake\\UNINST.EXE", "rm -f Uninst.isu\n");
  Uninstall(item);
  EXPECT_EQ(item.Installed, 0) << "the program file may stay";
  EXPECT_TRUE(m_.Exists("C:\\Games\\Quake\\rayne.exe"));
}

TEST_F(UninstallerTest, LeftoverSizes) {
  m_.Start(&detector_);
  struct Case {
    std::uintmax_t size;
    std::vector<MessageAnswer> answers;
    std::vector<std::string> asked;
    bool deleted;
  };
  const std::string dir = "C:\\GAMES\\LEFT";
  const Case cases[] = {
      {0, {MessageAnswer::kYes}, {Leftover(dir)}, true},
      {600'000, {MessageAnswer::kYes, MessageAnswer::kNo}, {Leftover(dir), Megabytes("1")}, false},
      {524'288, {}, {}, true},
      {300ull * 1024 * 1024, {}, {}, false},
      {1'572'864, {MessageAnswer::kYes, MessageAnswer::kYes}, {Leftover(dir), Megabytes("2")}, true},
      {2'621'440, {MessageAnswer::kYes, MessageAnswer::kYes}, {Leftover(dir), Megabytes("2")}, true},
      {5'000, {MessageAnswer::kNo}, {Leftover(dir)}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.size);
    fs::remove_all(m_.Host("C:\\Games\\Left"));
    fs::create_directories(m_.Host("C:\\Games\\Left\\empty"));
    if (c.size > 0) Sized(m_.Host("C:\\Games\\Left\\data\\file.bin"), c.size);
    for (auto answer : c.answers) m_.host().answers.push_back(answer);
    m_.form().uninstaller().LeftoverCheck("c:\\games\\left");
    EXPECT_EQ(m_.TakeMessages(), c.asked);
    EXPECT_EQ(!m_.Exists("C:\\Games\\Left"), c.deleted);
  }
}

TEST_F(UninstallerTest, MachineFoldersAndLinksOutOfTheTree) {
  m_.File("C:\\Music\\track.mp3", std::string(600'000, 'm'));
  m_.File("C:\\Games\\Quake\\save\\s1.sav", std::string(1000, 's'));
  fs::create_directory_symlink(m_.Host("C:\\Music"), m_.Host("C:\\Games\\Quake\\music"));
  m_.Program("C:\\Games\\Quake\\UNINST.EXE", kRemoveGame);
  m_.File("C:\\windows\\notepad.exe");
  m_.Program("C:\\windows\\UNNOTE.EXE", "rm -f notepad.exe\n");
  m_.Start(&detector_);

  // The leftovers hold a link to a folder outside: it is neither counted nor followed.
  auto& item = Quake(2, {}, "C:\\Games\\Quake\\UNINST.EXE");
  Answer({MessageAnswer::kYes});
  Uninstall(item);
  EXPECT_EQ(m_.TakeMessages(), std::vector<std::string>{Leftover("C:\\GAMES\\QUAKE")}) << "under 1 MB";
  EXPECT_FALSE(m_.Exists("C:\\Games\\Quake"));
  EXPECT_TRUE(m_.Exists("C:\\Music\\track.mp3"));

  // An item whose folder is the Windows folder: nothing of it is offered or deleted.
  auto& system = Quake(2, "DG;D?:\\;DC:\\windows\\system32", "C:\\windows\\UNNOTE.EXE");
  system.InstalledDir = "C:\\windows";
  system.GameName = "notepad.exe";
  Answer({MessageAnswer::kYes, MessageAnswer::kYes, MessageAnswer::kYes});
  Uninstall(system);
  EXPECT_EQ(system.Installed, 0);
  EXPECT_TRUE(m_.TakeMessages().empty());
  EXPECT_TRUE(m_.Exists("C:\\windows\\system32"));
  EXPECT_TRUE(m_.Exists("C:\\windows\\UNNOTE.EXE"));
}

TEST_F(UninstallerTest, ButtonByPageAndNoSecondUninstallWhileOneRuns) {
  m_.Program("C:\\Games\\Quake\\UNINST.EXE", "sleep 0.3; rm -f QUAKE.EXE\n");
  m_.Start(&detector_);
  auto& f = m_.form();
  auto& c = f.catalog();
  auto& stop = *f.controls().StopImage;
  // Each page uninstalls its own record (here: asks about its folder); Shareware and Settings have none.
  const std::pair<int, catalog::TDemos*> pages[] = {
      {menu::kPageExtra, &c.Extra[1]},   {menu::kPageReaders, &c.Reader[1]},  {menu::kPageFulls, &c.Full[1]},
      {menu::kPageExtra2, &c.Extra2[1]}, {menu::kPageShareware, &c.Share[1]}, {menu::kPageSettings, nullptr}};
  for (const auto& [kind, record] : pages) {
    const std::string dir = "C:\\Pages\\Kind" + std::to_string(kind);
    m_.File(dir + "\\left.txt");
    if (record != nullptr) {
      record->InstallType = 1;
      record->InstalledDir = dir;
      record->Installed = 1;
    }
    f.selection().PageKind = kind;
    f.selection().ItemIndex = 1;
    stop.tag = 1;
    stop.OnClick();
    const auto asked = m_.TakeMessages();
    if (kind == menu::kPageShareware || kind == menu::kPageSettings) {
      EXPECT_TRUE(asked.empty()) << kind;
    } else {
      ASSERT_FALSE(asked.empty()) << kind;
      EXPECT_EQ(asked[0],
                "Would you like to delete all files in C:\\PAGES\\KIND" + std::to_string(kind) + " ?");
    }
  }

  auto& item = Quake(2, {}, "C:\\Games\\Quake\\UNINST.EXE");
  f.selection().PageKind = menu::kPageDemos;
  stop.tag = 0;
  stop.OnClick();
  EXPECT_EQ(Runs(), 0u) << "a disabled button does nothing";

  int clicks_while_running = 0;
  m_.host().on_pump = [&] {
    if (!f.activity().InstallOrUninstallRunning || clicks_while_running > 0) return;
    ++clicks_while_running;
    stop.tag = 1;
    stop.OnClick();
    f.uninstaller().UninstallProc(item);
    f.pages().SelectPage(menu::kPageInstalled);  // browsing goes on
  };
  stop.tag = 1;
  stop.OnClick();
  m_.host().on_pump = nullptr;
  EXPECT_EQ(clicks_while_running, 1);
  EXPECT_EQ(Runs(), 1u) << "the second click was ignored";
  EXPECT_EQ(item.Installed, 0);
  EXPECT_EQ(f.selection().PageKind, menu::kPageInstalled);
  EXPECT_FALSE(f.activity().InstallOrUninstallRunning);
}

// An item installed while issue 0105 was inserted, uninstalled from the Installed page of issue 0206.
TEST(UninstallFromInstalledPage, RowOfAnotherIssueIsRemovedAndThePageRebuilt) {
  UninstallMenu m;
  m.File("C:\\windows\\norva.ini",
         "[Main]\r\nLanguage=1\r\n"
         "[CD0105]\r\nQUAKE=C:\\Games\\Quake\r\nQUAKE_=QUAKE.EXE,Quake,RMD\\Software\\Vendor\\Quake,\r\n"
         "QUAKE__=C:\\Games\\Quake\\UNINST.EXE\r\n"
         "[CD0206]\r\nALPHA=C:\\Alpha\r\nALPHA_=A.EXE,,DGsave,\r\nZED=C:\\Zed\r\nZED_=Z.EXE,,"
         "RMD\\Software\\Zed\\Z,\r\n");
  m.File("C:\\Games\\Quake\\QUAKE.EXE");
  m.File("C:\\Alpha\\A.EXE");
  m.File("C:\\Zed\\Z.EXE");
  m.Program("C:\\Games\\Quake\\UNINST.EXE", "rm -f QUAKE.EXE UNINST.EXE\n");
  m.Value(RegRoot::kLocalMachine, "Software\\Vendor\\Quake", "Path", "C:\\Games\\Quake");
  MarkingDetector detector;
  m.Start(&detector);
  auto& f = m.form();
  m.menu().ClickIcon(2);
  ASSERT_EQ(f.installed_rows().InstalledCount, 3);
  m.menu().Click("DemosLabel2");
  ASSERT_EQ(f.selection().ItemIndex, 2);
  EXPECT_EQ(f.controls().FirmLabel->caption, "NORVA 01-05");
  // The page is rebuilt while the uninstaller runs, once the program is gone (so the row goes): the
  // procedure keeps to its own row, not the one that takes its slot.
  m.host().on_pump = [&] {
    if (f.installed_rows().InstalledCount != 3) return;
    fs::remove(m.Host("C:\\Games\\Quake\\QUAKE.EXE"));
    f.installed_page().SetInstalledPage();
  };
  f.controls().StopImage->OnClick();
  m.host().on_pump = nullptr;

  EXPECT_EQ(FakeRunnerCalls(m.menu().Prefix()).size(), 1u);
  EXPECT_EQ(m.Hive(RegRoot::kLocalMachine).find("Vendor\\\\Quake"), std::string::npos);
  ASSERT_EQ(f.installed_rows().InstalledCount, 2);
  EXPECT_EQ(f.installed_rows().InstalledList[1].Name, "ALPHA");
  EXPECT_EQ(f.installed_rows().InstalledList[2].Name, "ZED");
  EXPECT_EQ(f.installed_rows().InstalledList[2].Uninstall, "RMD\\Software\\Zed\\Z")
      << "the next row keeps its own commands";
  EXPECT_EQ(f.selection().ItemIndex, 1);
  EXPECT_EQ(f.selection().TopIndex, 1);
  EXPECT_EQ(f.controls().NameLabel->caption, "ALPHA");
  const std::string store = TempDir::ReadFile(m.Host("C:\\windows\\norva.ini"));
  EXPECT_EQ(store.find("QUAKE"), std::string::npos) << store;
  for (const auto& message : m.host().messages)
    EXPECT_NE(message.kind, menu::MessageKind::kConfirmation) << "the emptied folder went without a question";
}

TEST(UninstallFromInstalledPage, TheDetectionAfterwardsIsOneChangeOfTheStore) {
  UninstallMenu m({Numbered("Demos", "Demo", 3)});
  std::string store = "[Main]\r\nLanguage=1\r\n[CD0206]\r\n";
  for (const std::string n : {"1", "2", "3"}) {
    store += "DEMO " + n + "=C:\\Demo" + n + "\r\nDEMO " + n + "_=D.EXE,,,\r\nDEMO " + n + "__=C:\\Demo" + n +
             "\\UNINST.EXE\r\n";
    m.File("C:\\Demo" + n + "\\D.EXE");
  }
  m.File("C:\\windows\\norva.ini", store);
  m.Program("C:\\Demo1\\UNINST.EXE", "rm -f D.EXE UNINST.EXE\n");
  m.Start();
  auto& f = m.form();
  for (int i = 1; i <= 3; ++i) {
    f.catalog().Demo[i].GameName = "D.EXE";
    f.catalog().Demo[i].InstallType = 2;
  }
  m.menu().ClickIcon(2);
  ASSERT_EQ(f.installed_rows().InstalledCount, 3);
  auto* file = dynamic_cast<platform::wine::PrivateProfileFile*>(f.files().StoreIni.get());
  ASSERT_NE(file, nullptr);
  const std::size_t before = file->rewrites();
  f.controls().StopImage->OnClick();
  EXPECT_EQ(f.installed_rows().InstalledCount, 2);
  // Each record is detected again; the three keys of the uninstalled one go in one rewrite.
  EXPECT_EQ(file->rewrites() - before, 1u);
  EXPECT_EQ(TempDir::ReadFile(m.Host("C:\\windows\\norva.ini")).find("DEMO 1"), std::string::npos);
}

}  // namespace
}  // namespace norva::test
