// A menu for the action and install tests: an English disc whose catalog the test writes section by
// section, Windows programs run by the fake runner, and what the menu launched.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "menu/main_form.h"
#include "menu/menu_test_form.h"
#include "platform/shell.h"

namespace norva::test {

class InstallMenu {
 public:
  // `catalog` is the text after [Main] (counts and sections; CD=0206 and Version=0 come first).
  explicit InstallMenu(const std::string& catalog, bool run_programs = false);

  // Starts the menu (Demos page shown) and opens the page of `kind` if another.
  void Start(int page_kind = 1);
  void OpenPage(int kind);
  void Select(int item);

  menu::MainForm& form() { return t.form(); }
  RecordingHost& host() { return t.host(); }
  const std::vector<platform::LaunchRecord>& Launches() { return t.form().platform().shell.Launches(); }
  // The last launch as "verb file|params|dir" or "create cmd|dir|wait".
  std::string LastLaunch();
  // Host path of a DOS path of C: ("C:\GAMES\X").
  std::filesystem::path C(const std::string& dos_path) const;
  std::string StoreText() const;
  // A file of the disc folder (relative, '/' between folders).
  void DiscFile(const std::string& relative, const std::string& bytes = "MZ") {
    t.disc().Write(relative, bytes);
  }

  MenuTestForm t;
};

}  // namespace norva::test
