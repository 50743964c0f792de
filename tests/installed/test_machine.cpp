#include "installed/test_machine.h"

#include <fstream>
#include <stdexcept>

#include "support/fake_runner.h"
#include "support/host_path.h"

namespace norva::test {
namespace {

namespace fs = std::filesystem;
using platform::RegRoot;

}  // namespace

TestMachine::TestMachine() {
  fs::create_directories(dir_.path() / "disc" / "NORVA");
  std::string error;
  machine_ = platform::wine::WineMachine::Open({dir_.path() / "prefix", dir_.path() / "disc"}, &error);
  if (!machine_) throw std::runtime_error("no test machine: " + error);
  ini_ = std::make_unique<platform::wine::WineIniFiles>(machine_->files(), machine_->system());
  shell_ = std::make_unique<platform::wine::WineShell>(
      machine_->files(),
      platform::wine::WineShellOptions{machine_->prefix(), std::nullopt, std::nullopt, true});
  platform::wine::WineProcessesOptions process_options;
  process_options.prefix = machine_->prefix();
  process_options.runner = FakeRunnerWords();
  processes_ = std::make_unique<platform::wine::WineProcesses>(machine_->files(), machine_->system(),
                                                               shell_->log(), process_options);
  platform_ = std::make_unique<platform::Platform>(
      platform::Platform{machine_->files(), machine_->drives(), *ini_, machine_->registry(),
                         machine_->system(), *shell_, *processes_});

  const std::string shell_folders = "Software\\Microsoft\\Windows\\CurrentVersion\\explorer\\Shell Folders";
  SetRegistry(RegRoot::kCurrentUser, shell_folders, "Programs", "C:\\users\\player\\Start Menu\\Programs");
  SetRegistry(RegRoot::kLocalMachine, shell_folders, "Common Programs",
              "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs");
  folders_ = installed::LoadSystemInfo(machine_->system(), machine_->registry());
  store_ = ini_->Open("norva.ini");
}

void TestMachine::SetRegistry(RegRoot root, std::string_view key, std::string_view name,
                              std::string_view value) {
  hives_[root][std::string(key)][std::string(name)] = std::string(value);
  WriteHive(root);
}

void TestMachine::WriteHive(RegRoot root) {
  WriteRegHive(machine_->prefix() / (root == RegRoot::kCurrentUser ? "user.reg" : "system.reg"),
               hives_[root]);
}

fs::path TestMachine::HostOf(std::string_view dos_path) const {
  const fs::path drive =
      dos_path[0] == 'D' || dos_path[0] == 'd' ? dir_.path() / "disc" : machine_->prefix() / "drive_c";
  return HostPathBelow(drive, dos_path);
}

void TestMachine::WriteFile(std::string_view dos_path, std::string_view bytes) {
  const fs::path host = HostOf(dos_path);
  fs::create_directories(host.parent_path());
  std::ofstream(host, std::ios::binary) << bytes;
}

void TestMachine::RemoveFile(std::string_view dos_path) {
  fs::remove(HostOf(dos_path));
}

std::string TestMachine::StoreText() {
  return TempDir::ReadFile(machine_->prefix() / "drive_c" / "windows" / "norva.ini");
}

}  // namespace norva::test
