// A menu for the uninstall tests: a scratch prefix with the shell folders of a real one, Windows programs run
// by the fake runner (shell scripts), and helpers that put files and registry values where installers do.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>

#include "menu/main_form.h"
#include "menu/menu_test_form.h"
#include "platform/registry.h"
#include "support/reg_hive.h"

namespace norva::test {

class UninstallMenu {
 public:
  // An English menu of issue 0206 with `catalog_main` added to [Main] and the given kinds.
  explicit UninstallMenu(const std::vector<CatalogKind>& kinds = {Numbered("Demos", "Demo", 1)},
                         const std::string& catalog_main = "Version=0\r\n");

  // Starts the menu; `detector` is borrowed (null: the menu's own detection).
  void Start(catalog::InstalledDetector* detector = nullptr);

  // The host path of a DOS path on C: or on the disc D:.
  std::filesystem::path Host(std::string_view dos_path) const;
  void File(std::string_view dos_path, std::string_view bytes = "MZ") const;
  // A Windows program: a shell script run by the fake runner in its working folder.
  void Program(std::string_view dos_path, std::string_view script) const;
  bool Exists(std::string_view dos_path) const { return std::filesystem::exists(Host(dos_path)); }

  // A string value in system.reg (machine) or user.reg (user), written at once in Wine's format.
  void Value(platform::RegRoot root, const std::string& key, const std::string& name,
             const std::string& value);
  // The text of system.reg or user.reg.
  std::string Hive(platform::RegRoot root) const;

  menu::MainForm& form() { return t_.form(); }
  RecordingHost& host() { return t_.host(); }
  MenuTestForm& menu() { return t_; }
  // The texts of the message boxes shown since the last call.
  std::vector<std::string> TakeMessages();

 private:
  void WriteHive(platform::RegRoot root);

  MenuTestForm t_;
  std::map<platform::RegRoot, RegHive> hives_;
};

}  // namespace norva::test
