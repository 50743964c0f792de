#include "menu/uninstall_menu.h"

#include <fstream>

#include "support/fake_runner.h"
#include "support/host_path.h"
#include "support/temp_dir.h"

namespace norva::test {
namespace {

namespace fs = std::filesystem;
using platform::RegRoot;

constexpr const char* kShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\explorer\\Shell Folders";

}  // namespace

UninstallMenu::UninstallMenu(const std::vector<CatalogKind>& kinds, const std::string& catalog_main)
    : t_(CatalogText(kinds, catalog_main)) {
  t_.runner = FakeRunnerCommand();
  Value(RegRoot::kCurrentUser, kShellFolders, "Desktop", "C:\\users\\player\\Desktop");
  Value(RegRoot::kCurrentUser, kShellFolders, "Programs", "C:\\users\\player\\Start Menu\\Programs");
  Value(RegRoot::kLocalMachine, kShellFolders, "Common Desktop", "C:\\users\\Public\\Desktop");
  Value(RegRoot::kLocalMachine, kShellFolders, "Common Programs",
        "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs");
}

void UninstallMenu::Start(catalog::InstalledDetector* detector) {
  t_.Start(12, detector);
  t_.host().messages.clear();
}

fs::path UninstallMenu::Host(std::string_view dos_path) const {
  const bool disc = dos_path[0] == 'D' || dos_path[0] == 'd';
  return HostPathBelow(disc ? t_.disc().path() : t_.Prefix() / "drive_c", dos_path);
}

void UninstallMenu::File(std::string_view dos_path, std::string_view bytes) const {
  const fs::path host = Host(dos_path);
  fs::create_directories(host.parent_path());
  std::ofstream(host, std::ios::binary) << bytes;
}

void UninstallMenu::Program(std::string_view dos_path, std::string_view script) const {
  WriteWindowsProgram(Host(dos_path), script);
}

void UninstallMenu::Value(RegRoot root, const std::string& key, const std::string& name,
                          const std::string& value) {
  hives_[root][key][name] = value;
  WriteHive(root);
}

void UninstallMenu::WriteHive(RegRoot root) {
  WriteRegHive(t_.Prefix() / (root == RegRoot::kCurrentUser ? "user.reg" : "system.reg"), hives_[root]);
}

std::string UninstallMenu::Hive(RegRoot root) const {
  return TempDir::ReadFile(t_.Prefix() / (root == RegRoot::kCurrentUser ? "user.reg" : "system.reg"));
}

std::vector<std::string> UninstallMenu::TakeMessages() {
  std::vector<std::string> texts;
  for (const auto& message : t_.host().messages) texts.push_back(message.text);
  t_.host().messages.clear();
  return texts;
}

}  // namespace norva::test
