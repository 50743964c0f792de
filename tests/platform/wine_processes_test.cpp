// Process creation on the Wine backend, with a runner that runs "Windows programs" written as shell scripts:
// command splitting, working folder and prefix, exit codes, what cannot be created, the shared launch log,
// and a wait that sleeps on the child instead of spinning.
#include "platform/wine/wine_processes.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <set>
#include <string>

#include "headless/headless_host.h"
#include "platform/wine/wine_machine.h"
#include "platform/wine/wine_registry.h"
#include "platform/wine/wine_shell.h"
#include "support/fake_runner.h"
#include "support/temp_dir.h"

namespace norva::platform::wine {
namespace {

namespace fs = std::filesystem;

TEST(SplitCommandTextTest, QuotedOrShortestExistingRunNamesTheProgram) {
  const std::set<std::string> files = {"C:\\Program Files\\G\\g.exe", "C:\\Games\\run.exe"};
  const auto exists = [&](const std::string& name) { return files.count(name) > 0; };

  auto split = SplitCommandText("\"C:\\Program Files\\G\\g.exe\" -a \"b c\"", exists);
  EXPECT_EQ(split.program, "C:\\Program Files\\G\\g.exe");
  EXPECT_EQ(split.arguments, (std::vector<std::string>{"-a", "b c"}));

  split = SplitCommandText("C:\\Program Files\\G\\g.exe -a", exists);
  EXPECT_EQ(split.program, "C:\\Program Files\\G\\g.exe");
  EXPECT_EQ(split.arguments, (std::vector<std::string>{"-a"}));

  split = SplitCommandText("  C:\\Games\\run -x", exists);
  EXPECT_EQ(split.program, "C:\\Games\\run");
  EXPECT_EQ(split.arguments, (std::vector<std::string>{"-x"}));

  split = SplitCommandText("C:\\Nothing\\a b c", exists);
  EXPECT_EQ(split.program, "C:\\Nothing\\a");
  EXPECT_EQ(split.arguments, (std::vector<std::string>{"b", "c"}));

  EXPECT_EQ(SplitCommandText("   ", exists).program, "");
  EXPECT_EQ(SplitCommandText("\"C:\\Unclosed\\x.exe", exists).program, "C:\\Unclosed\\x.exe");
}

class WineProcessesTest : public ::testing::Test {
 protected:
  WineProcessesTest() {
    std::string error;
    machine_ = WineMachine::Open({prefix_.path(), std::nullopt}, &error);
    EXPECT_TRUE(machine_) << error;
    shell_ = std::make_unique<WineShell>(
        machine_->files(),
        WineShellOptions{machine_->prefix(), test::FakeRunnerCommand(), std::string("true"), true});
  }
  std::unique_ptr<WineProcesses> MakeProcesses(std::vector<std::string> runner) {
    WineProcessesOptions options;
    options.prefix = machine_->prefix();
    options.runner = std::move(runner);
    return std::make_unique<WineProcesses>(machine_->files(), machine_->system(), shell_->log(), options);
  }
  fs::path Host(std::string_view dos) { return *machine_->files().HostPath(dos); }
  void Program(std::string_view dos, std::string_view script) {
    test::WriteWindowsProgram(Host(dos), script);
  }

  test::TempDir prefix_;
  std::unique_ptr<WineMachine> machine_;
  std::unique_ptr<WineShell> shell_;
};

TEST_F(WineProcessesTest, RunsTheProgramInItsFolderWithThePrefixAndReportsItsExitCode) {
  Program("C:\\Game Dir\\SETUP.EXE",
          "pwd -P > out.txt\necho \"$WINEPREFIX\" >> out.txt\nfor a; do echo \"[$a]\" >> out.txt; done\nexit "
          "7\n");
  auto processes = MakeProcesses(test::FakeRunnerWords());
  const std::string cmd = "\"C:\\Game Dir\\SETUP.EXE\" /S \"two words\"";
  const auto process = processes->Create(cmd, "C:\\Game Dir\\", 1, true);
  ASSERT_TRUE(process);
  EXPECT_TRUE(processes->Ended(*process).valid());
  processes->Wait(*process);
  EXPECT_EQ(processes->ExitCode(*process), 7);
  processes->Close(*process);

  const std::string out = test::TempDir::ReadFile(Host("C:\\Game Dir\\out.txt"));
  EXPECT_EQ(out, fs::canonical(Host("C:\\Game Dir")).string() + "\n" + machine_->prefix().string() +
                     "\n[/S]\n[two words]\n");

  const auto& log = shell_->Launches();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].op, LaunchRecord::Op::kCreate);
  EXPECT_EQ(log[0].cmd, cmd);
  EXPECT_EQ(log[0].dir, "C:\\Game Dir\\");
  EXPECT_TRUE(log[0].wait);
  EXPECT_TRUE(log[0].started);
  EXPECT_EQ(log[0].exit_code, 7);
}

TEST_F(WineProcessesTest, WhatCannotBeCreatedIsLoggedAsNotStarted) {
  Program("C:\\Game\\GAME.EXE", "exit 0\n");
  Program("C:\\Game\\README.TXT", "exit 0\n");
  auto without_runner = MakeProcesses({});
  EXPECT_FALSE(without_runner->Create("C:\\Game\\GAME.EXE", "C:\\Game\\", 1, true));

  auto processes = MakeProcesses(test::FakeRunnerWords());
  // Each failure says why.
  platform::Error error;
  EXPECT_FALSE(processes->Create("C:\\Game\\README.TXT", "C:\\Game\\", 1, false, &error));
  EXPECT_EQ(error.Description(), "starting C:\\Game\\README.TXT: C:\\Game\\README.TXT is not a program");
  EXPECT_FALSE(processes->Create("C:\\Game\\MISSING.EXE", "C:\\Game\\", 1, false, &error));
  EXPECT_EQ(error.Description(), "starting C:\\Game\\MISSING.EXE: there is no program C:\\Game\\MISSING.EXE");
  EXPECT_FALSE(processes->Create("C:\\Game\\GAME.EXE", "C:\\No Such Folder\\", 1, false, &error));
  EXPECT_EQ(error.Description(),
            "starting C:\\Game\\GAME.EXE: the working folder C:\\No Such Folder\\ does not exist");
  EXPECT_FALSE(processes->Create("", "C:\\", 1, false));

  const auto& log = shell_->Launches();
  ASSERT_EQ(log.size(), 5u);
  for (const auto& record : log) {
    EXPECT_FALSE(record.started) << record.cmd;
    EXPECT_FALSE(record.exit_code) << record.cmd;
  }
  EXPECT_TRUE(test::FakeRunnerCalls(prefix_.path()).empty());
}

TEST_F(WineProcessesTest, BareProgramNamesAreFoundInTheSystemFolder) {
  Program("C:\\windows\\system32\\rundll32.exe", "exit 3\n");
  auto processes = MakeProcesses(test::FakeRunnerWords());
  const auto process = processes->Create("RunDll32 setupapi,InstallHinfSection", "C:\\", 1, true);
  ASSERT_TRUE(process);
  processes->Wait(*process);
  EXPECT_EQ(processes->ExitCode(*process), 3);
  processes->Close(*process);
  const auto calls = test::FakeRunnerCalls(prefix_.path());
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_NE(calls[0].find("system32/rundll32.exe setupapi,InstallHinfSection"), std::string::npos)
      << calls[0];
}

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

TEST_F(WineProcessesTest, WaitingForAChildSleepsInsteadOfSpinning) {
  Program("C:\\Slow\\SLOW.EXE", "sleep 0.3\nexit 0\n");
  auto processes = MakeProcesses(test::FakeRunnerWords());
  const auto process = processes->Create("C:\\Slow\\SLOW.EXE", "C:\\Slow\\", 1, true);
  ASSERT_TRUE(process);
  int checks = 0;
  const double before = CpuSeconds();
  headless::BlockWhile(
      [&] {
        ++checks;
        return !processes->ExitCode(*process).has_value();
      },
      processes->Ended(*process));
  const double used = CpuSeconds() - before;
  EXPECT_EQ(processes->ExitCode(*process), 0);
  EXPECT_LT(used, 0.1) << "the wait burned the processor";
  EXPECT_LT(checks, 50);
  processes->Close(*process);
}

TEST_F(WineProcessesTest, AnInstallerLeavesFilesAndAnUninstallEntryInThePrefix) {
  Program(
      "C:\\Setup\\SETUP.EXE",
      "mkdir -p \"$WINEPREFIX/drive_c/Games/Kart\"\n"
      "echo data > \"$WINEPREFIX/drive_c/Games/Kart/KART.EXE\"\n" +
          test::UninstallEntryScript("Kart", {{"DisplayName", "Kart \"Gold\""},
                                              {"UninstallString", "C:\\Games\\Kart\\UNINST.EXE -f\"x\""}}));
  auto processes = MakeProcesses(test::FakeRunnerWords());
  const auto process = processes->Create("C:\\Setup\\SETUP.EXE", "C:\\Setup\\", 1, true);
  ASSERT_TRUE(process);
  processes->Wait(*process);
  processes->Close(*process);

  EXPECT_TRUE(machine_->files().FileExists("C:\\Games\\Kart\\KART.EXE"));
  const std::string key = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Kart";
  EXPECT_EQ(machine_->registry().ReadString(RegRoot::kLocalMachine, key, "UninstallString"),
            "C:\\Games\\Kart\\UNINST.EXE -f\"x\"");
  EXPECT_EQ(machine_->registry().ReadString(RegRoot::kLocalMachine, key, "DisplayName"), "Kart \"Gold\"");
}

TEST_F(WineProcessesTest, AfterAWaitedProgramTheWineserverGetsABoundedTimeToSaveTheRegistry) {
  Program("C:\\Game\\GAME.EXE", "exit 0\n");
  // A wineserver that never finishes: the menu must give up on it.
  const fs::path server = prefix_.Write(
      "bin/wineserver", "#!/bin/sh\necho \"$WINEPREFIX $*\" >> \"$WINEPREFIX/server.log\"\nexec sleep 30\n");
  fs::permissions(server, fs::perms::owner_all);
  WineProcessesOptions options;
  options.prefix = machine_->prefix();
  options.runner = test::FakeRunnerWords();
  options.wineserver = server.string();
  options.settle_limit = std::chrono::milliseconds(200);
  WineProcesses processes(machine_->files(), machine_->system(), shell_->log(), options);

  const auto started = processes.Create("C:\\Game\\GAME.EXE", "C:\\Game\\", 1, false);
  ASSERT_TRUE(started);
  processes.Wait(*started);
  processes.Close(*started);
  EXPECT_FALSE(fs::exists(prefix_.path() / "server.log")) << "only waited programs settle the machine";

  const auto waited = processes.Create("C:\\Game\\GAME.EXE", "C:\\Game\\", 1, true);
  ASSERT_TRUE(waited);
  processes.Wait(*waited);
  const auto before = std::chrono::steady_clock::now();
  processes.Close(*waited);
  EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(10));
  const std::string settled = machine_->prefix().string() + " -w\n";
  EXPECT_EQ(test::TempDir::ReadFile(prefix_.path() / "server.log"), settled);

  // Without the waiter, the settling is begun on its own, to be waited for with the window alive: bounded by
  // its limit, and the program's close then has nothing left to settle.
  options.waiter = fs::path();
  WineProcesses bare(machine_->files(), machine_->system(), shell_->log(), options);
  const auto again = bare.Create("C:\\Game\\GAME.EXE", "C:\\Game\\", 1, true);
  ASSERT_TRUE(again);
  bare.Wait(*again);
  const auto begun = std::chrono::steady_clock::now();
  const auto settle = bare.BeginSettle(*again);
  ASSERT_TRUE(settle);
  EXPECT_FALSE(bare.BeginSettle(*again)) << "begun once";
  headless::BlockWhile([&] { return !bare.ExitCode(*settle).has_value(); }, bare.Ended(*settle),
                       std::chrono::steady_clock::now() + bare.SettleLimit());
  EXPECT_FALSE(bare.ExitCode(*settle).has_value()) << "the server never finishes";
  bare.Close(*settle);
  bare.Close(*again);
  EXPECT_LT(std::chrono::steady_clock::now() - begun, std::chrono::seconds(10));
  EXPECT_EQ(test::TempDir::ReadFile(prefix_.path() / "server.log"), settled + settled);
}

// Waits the way the menu does: on the process's descriptor, until it reports an exit code.
std::optional<int> WaitFor(WineProcesses& processes, ProcessHandle process) {
  headless::BlockWhile([&] { return !processes.ExitCode(process).has_value(); }, processes.Ended(process));
  return processes.ExitCode(process);
}

TEST_F(WineProcessesTest, AWaitLastsWhileTheCopyAnUninstallerHandedOverToRuns) {
  // As an NSIS uninstaller does: a copy of itself in the temporary folder, started, and gone at once.
  Program("C:\\Game\\UNINST.EXE",
          "tmp=\"$WINEPREFIX/drive_c/windows/temp\"\nmkdir -p \"$tmp\"\n"
          "printf '#!/bin/sh\\nsleep 1\\necho gone > \"$WINEPREFIX/drive_c/Game/copy-ended\"\\n' > "
          "\"$tmp/uninst-copy.sh\"\nchmod +x \"$tmp/uninst-copy.sh\"\n\"$tmp/uninst-copy.sh\" &\nexit 5\n");
  WineProcessesOptions options;
  options.prefix = machine_->prefix();
  options.runner = test::FakeRunnerWords();
  options.hand_over = std::chrono::milliseconds(0);  // only the temporary folder tells the hand-over here
  WineProcesses processes(machine_->files(), machine_->system(), shell_->log(), options);
  const auto before = std::chrono::steady_clock::now();
  const auto process = processes.Create("C:\\Game\\UNINST.EXE", "C:\\Game\\", 1, true);
  ASSERT_TRUE(process);
  EXPECT_EQ(WaitFor(processes, *process), 5) << "the exit code is the started program's";
  EXPECT_TRUE(machine_->files().FileExists("C:\\Game\\copy-ended")) << "the wait ended before the copy";
  EXPECT_GE(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(900));
  processes.Close(*process);
}

TEST_F(WineProcessesTest, AProgramASetupLeavesRunningHoldsTheWaitForTheGraceTimeOnly) {
  Program("C:\\Setup\\SETUP.EXE", "sleep 0.4\nsleep 30 &\necho $! > \"$WINEPREFIX/helper.pid\"\nexit 0\n");
  WineProcessesOptions options;
  options.prefix = machine_->prefix();
  options.runner = test::FakeRunnerWords();
  options.hand_over = std::chrono::milliseconds(100);
  options.grace = std::chrono::milliseconds(300);
  WineProcesses processes(machine_->files(), machine_->system(), shell_->log(), options);
  const auto before = std::chrono::steady_clock::now();
  const auto process = processes.Create("C:\\Setup\\SETUP.EXE", "C:\\Setup\\", 1, true);
  ASSERT_TRUE(process);
  EXPECT_EQ(WaitFor(processes, *process), 0);
  EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(10));
  processes.Close(*process);
  const int helper = std::atoi(test::TempDir::ReadFile(prefix_.path() / "helper.pid").c_str());
  ASSERT_GT(helper, 1);
  EXPECT_EQ(kill(helper, 0), 0) << "the program the setup left is still running";
  kill(helper, SIGKILL);
}

TEST_F(WineProcessesTest, WhatThisMachineCannotRunIsToldApartFromWhatTheCommandLacks) {
  auto without_wine = MakeProcesses({});
  EXPECT_FALSE(without_wine->Create("C:\\Game\\GAME.EXE", "C:\\Game\\", 1, true));
  EXPECT_EQ(without_wine->LastStartFailure(), StartFailure::kNoWine);
  WineProcessesOptions record_only;
  record_only.prefix = machine_->prefix();
  record_only.record_only = true;
  WineProcesses headless(machine_->files(), machine_->system(), shell_->log(), record_only);
  EXPECT_FALSE(headless.Create("C:\\Game\\GAME.EXE", "C:\\Game\\", 1, true));
  EXPECT_EQ(headless.LastStartFailure(), StartFailure::kNone) << "without a window launches are only logged";

  // A runner that is Wine, without its 32-bit half.
  const fs::path wine = prefix_.Write("bin/wine", "#!/bin/sh\nexit 0\n");
  fs::permissions(wine, fs::perms::owner_all);
  WineProcessesOptions options;
  options.prefix = machine_->prefix();
  options.runner = {wine.string()};
  options.wine_runs_32bit = false;
  WineProcesses processes(machine_->files(), machine_->system(), shell_->log(), options);
  std::string pe32 = "MZ" + std::string(62, '\0') + "PE" + std::string(30, '\0');
  pe32[0x3c] = 0x40;
  std::string pe64 = pe32;
  pe32[0x44] = '\x4c', pe32[0x45] = '\x01', pe32[0x58] = '\x0b', pe32[0x59] = '\x01';
  pe64[0x44] = '\x64', pe64[0x45] = '\x86', pe64[0x58] = '\x0b', pe64[0x59] = '\x02';
  Program("C:\\Game\\SETUP.EXE", pe32);
  Program("C:\\Game\\SETUP64.EXE", pe64);
  Program("C:\\Game\\DOSGAME.EXE", "MZ" + std::string(100, '\0'));
  EXPECT_FALSE(processes.Create("C:\\Game\\SETUP.EXE /S", "C:\\Game\\", 1, true));
  EXPECT_EQ(processes.LastStartFailure(), StartFailure::kNo32BitWine);
  EXPECT_FALSE(processes.Create("C:\\Game\\DOSGAME.EXE", "C:\\Game\\", 1, false));
  EXPECT_EQ(processes.LastStartFailure(), StartFailure::kNotWindowsProgram);
  EXPECT_FALSE(processes.Create("C:\\Game\\MISSING.EXE", "C:\\Game\\", 1, false));
  EXPECT_EQ(processes.LastStartFailure(), StartFailure::kNone);
  const auto started = processes.Create("C:\\Game\\SETUP64.EXE", "C:\\Game\\", 1, true);
  ASSERT_TRUE(started);
  EXPECT_EQ(processes.LastStartFailure(), StartFailure::kNone);
  WaitFor(processes, *started);
  processes.Close(*started);
}

TEST_F(WineProcessesTest, ShellAndProcessesShareOneOrderedLog) {
  Program("C:\\Game\\GAME.EXE", "exit 0\n");
  Program("C:\\Game\\README.TXT", "text\n");
  auto processes = MakeProcesses(test::FakeRunnerWords());
  shell_->ShellExecute("OPEN", "C:\\Game\\README.TXT", "", "", 1);
  const auto process = processes->Create("C:\\Game\\GAME.EXE", "C:\\Game\\", 1, false);
  ASSERT_TRUE(process);
  processes->Close(*process);
  shell_->ShellExecute("OPEN", "http://www.norva.cz", "", "", 1);
  const auto& log = shell_->Launches();
  ASSERT_EQ(log.size(), 3u);
  EXPECT_EQ(log[0].op, LaunchRecord::Op::kShell);
  EXPECT_EQ(log[1].op, LaunchRecord::Op::kCreate);
  EXPECT_FALSE(log[1].wait);
  EXPECT_EQ(log[2].file, "http://www.norva.cz");
}

TEST_F(WineProcessesTest, ThePdfQuestionGoesToTheOpener) {
  EXPECT_TRUE(shell_->PdfProgramRegistered()) << "a named opener opens anything";
  WineShell record_only(machine_->files(), {machine_->prefix(), std::nullopt, std::nullopt, true});
  EXPECT_FALSE(record_only.PdfProgramRegistered());
}

}  // namespace
}  // namespace norva::platform::wine
