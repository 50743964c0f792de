// A main window over a scratch Wine machine and a disc made by the test, started and shown as the program
// does, with a recording front end and the real picture decoder of the headless front end.
#pragma once

#include <memory>
#include <string>

#include "components/clock.h"
#include "headless/headless_image_loader.h"
#include "menu/main_form.h"
#include "platform/wine/wine_platform.h"
#include "support/recording_host.h"
#include "support/temp_dir.h"

namespace norva::test {

class PanelTestForm {
 public:
  // The disc gets NORVA.EXE and the catalog `catalog_ini`; add further files with disc().Write before
  // Start().
  explicit PanelTestForm(const std::string& catalog_ini, catalog::InstalledDetector* detector = nullptr);

  // Opens the machine, creates the window and loads the catalog. The local hour decides the colour scheme.
  void Start(int hour = 12);

  const TempDir& disc() const { return disc_; }
  menu::MainForm& form() { return *form_; }
  RecordingHost& host() { return host_; }
  components::Clock& clock() { return clock_; }
  // Selects item `index` of page `kind` without running any page screen.
  void Select(int kind, int index);
  // The centre of a control in window coordinates, for mouse input.
  components::Point Centre(const components::Control& control) const;

 private:
  TempDir disc_;
  TempDir machine_dir_;
  std::unique_ptr<platform::wine::WinePlatform> machine_;
  components::Clock clock_;
  RecordingHost host_;
  catalog::InstalledDetector* detector_;
  headless::HeadlessImageLoader loader_;
  std::unique_ptr<menu::MainForm> form_;
};

}  // namespace norva::test
