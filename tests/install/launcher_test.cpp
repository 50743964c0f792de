// The launch operations over a scratch machine, with the shell and process creation replaced by doubles that
// record what they were asked: file part and parameters of ShellExec, the PDF reader fallback, the shell
// hand-overs of NormalExec, and WaitExec's working folder, cursor and event pumping.
#include "install/launcher.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/wine/wine_ini_files.h"
#include "platform/wine/wine_machine.h"
#include "platform/wine/wine_processes.h"
#include "platform/wine/wine_shell.h"
#include "support/fake_runner.h"
#include "support/recording_host.h"
#include "support/temp_dir.h"

namespace norva::install {
namespace {

using platform::LaunchRecord;

// One ordered list of what the shell and the process double saw.
using Events = std::vector<std::string>;

class FakeShell : public platform::Shell {
 public:
  explicit FakeShell(Events& events) : events_(events) {}
  int ShellExecute(std::string_view verb, std::string_view file, std::string_view params,
                   std::string_view dir, int show) override {
    events_.push_back("shell " + std::string(verb) + " [" + std::string(file) + "] [" + std::string(params) +
                      "] [" + std::string(dir) + "] " + std::to_string(show));
    return failure == platform::StartFailure::kNone ? 42 : 31;
  }
  bool PdfProgramRegistered() override { return pdf_registered; }
  const std::vector<LaunchRecord>& Launches() const override { return none_; }
  platform::StartFailure LastStartFailure() const override { return failure; }

  bool pdf_registered = true;
  platform::StartFailure failure = platform::StartFailure::kNone;

 private:
  Events& events_;
  std::vector<LaunchRecord> none_;
};

class FakeProcesses : public platform::Processes {
 public:
  explicit FakeProcesses(Events& events) : events_(events) {
    if (pipe(wake_) == 0) (void)!write(wake_[1], "x", 1);  // always readable: the wait never sleeps
  }
  ~FakeProcesses() override {
    close(wake_[0]);
    close(wake_[1]);
  }
  std::optional<platform::ProcessHandle> Create(std::string_view cmd, std::string_view dir, int show,
                                                bool wait, platform::Error*) override {
    events_.push_back("create [" + std::string(cmd) + "] [" + std::string(dir) + "] " + std::to_string(show) +
                      (wait ? " wait" : " nowait"));
    if (!creatable) return std::nullopt;
    checks_left = running_checks;
    closed = false;
    return 7;
  }
  std::optional<int> ExitCode(platform::ProcessHandle process) override {
    EXPECT_FALSE(closed) << "asked after Close";
    if (process == kSettle) {
      ++settle_checks;
      return settle_ends ? std::optional<int>(0) : std::nullopt;
    }
    EXPECT_EQ(process, 7);
    if (checks_left > 0) {
      --checks_left;
      return std::nullopt;
    }
    return 0;
  }
  platform::WaitHandle Ended(platform::ProcessHandle) override { return platform::WaitHandle(wake_[0]); }
  void Wait(platform::ProcessHandle) override { checks_left = 0; }
  std::optional<platform::ProcessHandle> BeginSettle(platform::ProcessHandle process) override {
    if (!settles) return std::nullopt;
    events_.push_back("settle " + std::to_string(process));
    return kSettle;
  }
  std::chrono::milliseconds SettleLimit() const override { return std::chrono::milliseconds(60); }
  void Close(platform::ProcessHandle process) override {
    if (process == kSettle) {
      events_.push_back("close settle");
      return;
    }
    events_.push_back("close");
    closed = true;
  }
  platform::StartFailure LastStartFailure() const override {
    return creatable ? platform::StartFailure::kNone : failure;
  }

  bool creatable = true;
  platform::StartFailure failure = platform::StartFailure::kNone;
  int running_checks = 0;
  int checks_left = 0;
  bool closed = false;
  // The machine's settling after a waited program: begun, and whether it ends by itself.
  static constexpr platform::ProcessHandle kSettle = 8;
  bool settles = false;
  bool settle_ends = true;
  int settle_checks = 0;

 private:
  Events& events_;
  int wake_[2] = {-1, -1};
};

class LauncherTest : public ::testing::Test {
 protected:
  LauncherTest() {
    disc_.Write("NORVA.EXE", "");
    disc_.Write("NORVA/NORVAXP.INI", "[Main]\nAcrobatReader=ACROREAD\\SETUP.EXE\n");
    disc_.Write("DEMOS/GAME/GAME.EXE", "");
    std::string error;
    machine_ = platform::wine::WineMachine::Open({prefix_.path(), disc_.path()}, &error);
    EXPECT_TRUE(machine_) << error;
    ini_ = std::make_unique<platform::wine::WineIniFiles>(machine_->files(), machine_->system());
    platform_ = std::make_unique<platform::Platform>(
        platform::Platform{machine_->files(), machine_->drives(), *ini_, machine_->registry(),
                           machine_->system(), shell_, processes_});
    catalog_ = ini_->Open(Disc() + "\\NORVA\\NORVAXP.INI");
    launcher_ = std::make_unique<Launcher>(*platform_, host_, Disc(), catalog_.get());
  }
  std::string Disc() const { return std::string(1, machine_->disc_letter()) + ":"; }

  test::TempDir prefix_;
  test::TempDir disc_;
  Events events_;
  FakeShell shell_{events_};
  FakeProcesses processes_{events_};
  test::RecordingHost host_;
  std::unique_ptr<platform::wine::WineMachine> machine_;
  std::unique_ptr<platform::wine::WineIniFiles> ini_;
  std::unique_ptr<platform::Platform> platform_;
  std::unique_ptr<platform::IniFile> catalog_;
  std::unique_ptr<Launcher> launcher_;
};

TEST_F(LauncherTest, ShellExecSplitsFilePartAndParameters) {
  launcher_->ShellExec("D:\\SHAREWARE\\X\\README.TXT", 1);
  launcher_->ShellExec("D:\\X\\SETUP.EXE /S", 3);
  launcher_->ShellExec("D:\\WEB\\INDEX.HTML", 1);
  launcher_->ShellExec("D:\\WEB\\PAGE.HTM", 1);
  launcher_->ShellExec("D:\\X\\SETUP.EXE /a /b /c /d /e /f /g /h /i", 1);
  launcher_->ShellExec("http://www.norva.cz", 1);
  launcher_->ShellExec("D:\\X\\READ", 1);
  EXPECT_EQ(events_, (Events{
                         "shell OPEN [D:\\SHAREWARE\\X\\README.TXT] [] [] 1",
                         "shell OPEN [D:\\X\\SETUP.EXE] [ /S] [] 3",
                         "shell OPEN [D:\\WEB\\INDEX.HTML] [] [] 1",
                         "shell OPEN [D:\\WEB\\PAGE.HTM] [] [] 1",
                         "shell OPEN [D:\\X\\SETUP.EXE] [ /a /b /c /d /e /f /] [] 1",
                         "shell OPEN [http://www.norva.cz] [] [] 1",
                         "shell OPEN [D:\\X\\READ] [] [] 1",
                     }));
}

TEST_F(LauncherTest, PdfWithoutAReaderRunsTheDiscReaderSetupFirst) {
  shell_.pdf_registered = false;
  launcher_->ShellExec(Disc() + "\\MAGAZINE\\ISSUE.PDF", 1);
  ASSERT_EQ(events_.size(), 3u);
  EXPECT_EQ(events_[0], "create [" + Disc() + "\\ACROREAD\\SETUP.EXE] [" + Disc() + "\\ACROREAD\\] 1 wait");
  EXPECT_EQ(events_[1], "close");
  EXPECT_EQ(events_[2], "shell OPEN [" + Disc() + "\\MAGAZINE\\ISSUE.PDF] [] [] 1");

  events_.clear();
  shell_.pdf_registered = true;
  launcher_->ShellExec(Disc() + "\\MAGAZINE\\ISSUE.PDF", 1);
  EXPECT_EQ(events_, (Events{"shell OPEN [" + Disc() + "\\MAGAZINE\\ISSUE.PDF] [] [] 1"}));

  // No reader named in the catalog: the attempt fails quietly and the document still goes to the shell.
  events_.clear();
  shell_.pdf_registered = false;
  processes_.creatable = false;
  launcher_->SetCatalog(nullptr);
  launcher_->ShellExec("D:\\A.pdf", 1);
  ASSERT_EQ(events_.size(), 2u);
  EXPECT_EQ(events_[0], "create [" + Disc() + "\\] [" + Disc() + "\\] 1 wait");
  EXPECT_EQ(events_[1], "shell OPEN [D:\\A.pdf] [] [] 1");
}

TEST_F(LauncherTest, NormalExecHandsDocumentsToTheShell) {
  EXPECT_FALSE(launcher_->NormalExec("", 1));
  EXPECT_TRUE(events_.empty());

  processes_.creatable = false;
  EXPECT_FALSE(launcher_->NormalExec("D:\\X\\PAGE.HTM", 1));
  EXPECT_EQ(events_, (Events{"create [D:\\X\\PAGE.HTM] [D:\\X\\PAGE.HTM] 1 nowait",
                             "shell OPEN [D:\\X\\PAGE.HTM] [] [] 1"}));

  // Each kind is tested on its own: a text naming a page and an archive goes to the shell twice.
  events_.clear();
  EXPECT_FALSE(launcher_->NormalExec("D:\\X\\INDEX.HTML D:\\X\\PACK.ZIP", 3));
  EXPECT_EQ(std::count_if(events_.begin(), events_.end(),
                          [](const std::string& e) { return e.rfind("shell OPEN", 0) == 0; }),
            2);

  events_.clear();
  processes_.creatable = true;
  const std::string game = Disc() + "\\DEMOS\\GAME\\GAME.EXE";
  EXPECT_TRUE(launcher_->NormalExec("\"" + game + "\" -window", 1));
  EXPECT_EQ(events_,
            (Events{"create [\"" + game + "\" -window] [" + Disc() + "\\DEMOS\\GAME\\] 1 nowait", "close"}));
  EXPECT_EQ(host_.pumps, 0) << "NormalExec does not wait";
}

TEST_F(LauncherTest, WaitExecPumpsEventsWithTheHourglassUntilTheChildEnds) {
  processes_.running_checks = 3;
  bool busy_during_pump = true;
  int pumps_before_close = 0;
  host_.on_pump = [&] {
    busy_during_pump = busy_during_pump && host_.busy_cursor;
    if (!processes_.closed) ++pumps_before_close;
  };
  const std::string game = Disc() + "\\DEMOS\\GAME\\GAME.EXE";
  EXPECT_TRUE(launcher_->WaitExec(game, 1));
  EXPECT_GE(pumps_before_close, 1);
  EXPECT_TRUE(busy_during_pump);
  EXPECT_FALSE(host_.busy_cursor);
  EXPECT_EQ(events_.back(), "close");
  EXPECT_EQ(events_.front(), "create [" + game + "] [" + Disc() + "\\DEMOS\\GAME\\] 1 wait");
}

TEST_F(LauncherTest, WaitExecFailuresRestoreTheCursor) {
  EXPECT_FALSE(launcher_->WaitExec("", 1));
  EXPECT_TRUE(events_.empty());
  EXPECT_TRUE(host_.calls.empty()) << "an empty text does not touch the cursor";

  processes_.creatable = false;
  EXPECT_FALSE(launcher_->WaitExec("D:\\NOWHERE\\SETUP.EXE", 1));
  EXPECT_FALSE(host_.busy_cursor);
  EXPECT_EQ(host_.calls, (std::vector<std::string>{"SetBusyCursor 1", "SetBusyCursor 0"}));
}

TEST_F(LauncherTest, AMachineThatCannotStartTheProgramIsToldOncePerLaunch) {
  std::vector<std::string> reports;
  Launcher launcher(
      *platform_, host_, Disc(), catalog_.get(),
      [&](platform::StartFailure failure, std::string_view program) {
        EXPECT_FALSE(host_.busy_cursor) << "told with the hourglass still shown";
        reports.push_back(std::to_string(static_cast<int>(failure)) + " " + std::string(program));
      });
  processes_.creatable = false;
  // A refusal for a reason of the command itself (no such file, a document) is not told.
  EXPECT_FALSE(launcher.WaitExec("D:\\NOWHERE\\SETUP.EXE", 1));
  launcher.ShellExec("D:\\X\\README.TXT", 1);
  EXPECT_TRUE(reports.empty());

  processes_.failure = platform::StartFailure::kNo32BitWine;
  EXPECT_FALSE(launcher.WaitExec("\"D:\\DEMOS\\X\\SETUP.EXE\" /S", 1));
  // A shortcut fails as a process and again in the shell: one box for the launch.
  processes_.failure = shell_.failure = platform::StartFailure::kNoWine;
  EXPECT_FALSE(launcher.NormalExec("D:\\X\\GAME.LNK", 1));
  shell_.failure = platform::StartFailure::kNotWindowsProgram;
  launcher.ShellExec("D:\\X\\DOSGAME.EXE /x", 1);
  EXPECT_EQ(reports, (std::vector<std::string>{"2 D:\\DEMOS\\X\\SETUP.EXE", "1 D:\\X\\GAME.LNK",
                                               "3 D:\\X\\DOSGAME.EXE"}));
}

TEST_F(LauncherTest, WaitExecRunsRunDll32InTheRootOfC) {
  launcher_->WaitExec("RunDll32 advpack.dll,LaunchINFSection D:\\X\\A.INF,DefaultInstall", 1);
  ASSERT_FALSE(events_.empty());
  EXPECT_EQ(events_.front(),
            "create [RunDll32 advpack.dll,LaunchINFSection D:\\X\\A.INF,DefaultInstall] [C:\\] 1 wait");
  // Only the exact spelling is recognised.
  events_.clear();
  launcher_->WaitExec("rundll32 x", 1);
  EXPECT_EQ(events_.front(), "create [rundll32 x] [rundll32 x] 1 wait");
}

TEST_F(LauncherTest, GetEnvVarReadsTheMachineEnvironment) {
  prefix_.Write("user.reg", "WINE REGISTRY Version 2\n\n[Environment] 1700000000\n\"LONGVAR\"=\"" +
                                std::string(300, 'x') + "\"\n\"TMP\"=\"C:\\\\temp\"\n");
  EXPECT_EQ(launcher_->GetEnvVar("TMP"), "C:\\temp");
  EXPECT_EQ(launcher_->GetEnvVar("LONGVAR"), std::string(250, 'x'));
  EXPECT_EQ(launcher_->GetEnvVar("NORVA_NOT_SET"), "");
}

// The whole way down: a setup written as a script, run by the test runner, waited for through the front end.
TEST(LauncherOnWineTest, WaitExecReturnsAfterTheSetupHasFinished) {
  test::TempDir prefix;
  test::TempDir disc;
  disc.Write("NORVA.EXE", "");
  disc.Write("DEMOS/KART/SETUP.EXE",
             "sleep 0.1\nmkdir -p \"$WINEPREFIX/drive_c/Kart\"\necho ok > "
             "\"$WINEPREFIX/drive_c/Kart/done\"\nexit 4\n");
  std::string error;
  auto machine = platform::wine::WineMachine::Open({prefix.path(), disc.path()}, &error);
  ASSERT_TRUE(machine) << error;
  platform::wine::WineIniFiles ini(machine->files(), machine->system());
  platform::wine::WineShell shell(machine->files(),
                                  {machine->prefix(), test::FakeRunnerCommand(), std::nullopt, true});
  platform::wine::WineProcessesOptions options;
  options.prefix = machine->prefix();
  options.runner = shell.runner();
  platform::wine::WineProcesses processes(machine->files(), machine->system(), shell.log(), options);
  platform::Platform platform{
      machine->files(), machine->drives(), ini, machine->registry(), machine->system(), shell, processes};
  test::RecordingHost host;
  const std::string root = std::string(1, machine->disc_letter()) + ":";
  Launcher launcher(platform, host, root, nullptr);

  EXPECT_TRUE(launcher.WaitExec(root + "\\DEMOS\\KART\\SETUP.EXE /S", 1));
  EXPECT_TRUE(machine->files().FileExists("C:\\Kart\\done"));
  EXPECT_FALSE(host.busy_cursor);
  ASSERT_EQ(shell.Launches().size(), 1u);
  EXPECT_EQ(shell.Launches()[0].exit_code, 4);
  EXPECT_EQ(shell.Launches()[0].dir, root + "\\DEMOS\\KART\\");
}

// The settling after an install (the registry written out) is part of the pumped wait, bounded by its limit,
// and ends before the program's handle is closed.
TEST_F(LauncherTest, WaitExecWaitsForTheMachineToSettleWithTheWindowAlive) {
  processes_.settles = true;
  processes_.settle_ends = false;
  const int pumps_before = host_.pumps;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_TRUE(launcher_->WaitExec("D:\\DEMOS\\GAME\\GAME.EXE", 1));
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(60)) << "the limit was kept";
  EXPECT_GT(processes_.settle_checks, 0);
  EXPECT_GT(host_.pumps, pumps_before) << "the window went on while the machine settled";
  ASSERT_GE(events_.size(), 3u);
  EXPECT_EQ(std::vector<std::string>(events_.end() - 3, events_.end()),
            (std::vector<std::string>{"settle 7", "close settle", "close"}));

  events_.clear();
  processes_.settle_ends = true;
  EXPECT_TRUE(launcher_->WaitExec("D:\\DEMOS\\GAME\\GAME.EXE", 1));
  EXPECT_EQ(std::vector<std::string>(events_.end() - 3, events_.end()),
            (std::vector<std::string>{"settle 7", "close settle", "close"}));
}

}  // namespace
}  // namespace norva::install
