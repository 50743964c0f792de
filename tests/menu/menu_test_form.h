// A main window over a scratch Wine machine and a disc whose catalog the test writes, started and shown as
// the program does, with a recording front end; plus a catalog writer and a detector double for the list
// and page tests.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/installed_detector.h"
#include "components/clock.h"
#include "components/input.h"
#include "menu/dir_chooser.h"
#include "menu/main_form.h"
#include "menu/unpack_form.h"
#include "platform/wine/wine_platform.h"
#include "support/recording_host.h"
#include "support/temp_dir.h"

namespace norva::test {

// Items of one program-like kind for CatalogText: `count_key` of [Main] ("Demos", "Fulls", "Readers",
// "Shots", ...), the section prefix ("Demo", "Full", "Reader", "Shot", ...) and the items' names; a name
// left empty becomes "<PREFIX> <n>".
struct CatalogKind {
  std::string count_key;
  std::string prefix;
  std::vector<std::string> names;
};

// A catalog of issue 0206 with the given kinds; `main` adds lines to [Main] ("Version=0\r\n").
std::string CatalogText(const std::vector<CatalogKind>& kinds, const std::string& main = {});
// `count` items named "<prefix> <n>" (n from 1).
CatalogKind Numbered(std::string count_key, std::string prefix, int count);

// Marks as installed the items whose Name is in `installed`, and counts its calls.
class MarkingDetector : public catalog::InstalledDetector {
 public:
  void CheckDemo(catalog::TDemos& item) override {
    ++calls;
    item.Installed = installed.count(item.Name) > 0 ? 1 : 0;
  }
  std::set<std::string> installed;
  int calls = 0;
};

class MenuTestForm {
 public:
  explicit MenuTestForm(const std::string& catalog_ini);

  // Opens the machine, creates the window and loads the catalog. The local hour decides the colour scheme.
  // `detector` is borrowed and may be null.
  void Start(int hour = 12, catalog::InstalledDetector* detector = nullptr);

  // Unpacks as the window does when the user only watches (the default unpack hook).
  void RunUnpack(menu::UnpackForm& form);
  // The disc folder (usable before Start, to add the items' files).
  const TempDir& disc() const { return disc_; }
  // The runner that starts Windows programs (set before Start; none: launches are only logged).
  std::optional<std::string> runner;

  // The scratch machine's Wine prefix (its C: drive is <prefix>/drive_c); usable before Start.
  std::filesystem::path Prefix() const { return machine_dir_.path() / "prefix"; }

  menu::MainForm& form() { return *form_; }
  menu::MainControls& controls() { return form_->controls(); }
  RecordingHost& host() { return host_; }
  components::Clock& clock() { return clock_; }

  // Input as the window gets it.
  void Key(components::Key key) { form_->window().KeyDown(key); }
  void Keys(std::string_view names);  // one key per character: letters and digits
  // One wheel notch, the pointer at window x.
  void Wheel(bool down, int x);
  // A left click at the centre of the named control, through the window's hit test.
  void Click(std::string_view name);
  // The pointer onto the centre of the named control.
  void Hover(std::string_view name);
  // The click handler of the page icon in `slot` (as a click on it would run).
  void ClickIcon(int slot);

  // The caption of list row 1..10.
  std::string Row(int row) const { return form_->controls().DemosLabel[row]->caption; }
  std::string Position() const { return form_->controls().PositionLabel->caption; }

 private:
  TempDir disc_;
  TempDir machine_dir_;
  std::unique_ptr<platform::wine::WinePlatform> machine_;
  components::Clock clock_;
  RecordingHost host_;
  std::unique_ptr<menu::MainForm> form_;
};

}  // namespace norva::test
