// The whole menu under the Qt front end, in-process, on a disc folder and a scratch Wine prefix: the
// window as a person would see it, for tests that click, wait and look.
#pragma once

#include <QImage>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "components/clock.h"
#include "frontend/qt/qt_host.h"
#include "frontend/qt/qt_image_loader.h"
#include "frontend/qt/qt_player.h"
#include "frontend/qt/qt_window.h"
#include "frontend/qt/real_time_clock.h"
#include "menu/main_form.h"
#include "platform/platform.h"

namespace norva::test {

struct QtFormOptions {
  std::filesystem::path disc;
  std::filesystem::path prefix;
  int clock_minutes = 12 * 60;
  menu::ScreenSize screen{1024, 768};
  // The store's settings before start (written into the prefix's norva.ini); -1 keeps the default.
  int enhanced = -1;
  // Windows programs run through this runner (as --runner); without one launches are only logged.
  std::optional<std::string> runner{};
};

class QtForm {
 public:
  // Starts the menu: create, show, first paint. A QApplication must exist.
  explicit QtForm(const QtFormOptions& options);
  ~QtForm();

  menu::MainForm& form() { return *form_; }
  frontend::qt::QtWindow& window() { return *window_; }
  components::Clock& clock() { return clock_; }
  frontend::qt::RealTimeClock& clock_time() { return time_; }
  frontend::qt::QtImageLoader& pictures() { return pictures_; }
  // Runs the event loop for `ms` real milliseconds.
  void Wait(int ms);
  // The window as painted now.
  QImage Grab();

 private:
  struct Machine;
  std::unique_ptr<Machine> machine_;
  components::Clock clock_;
  frontend::qt::RealTimeClock time_{clock_};
  std::unique_ptr<frontend::qt::QtHost> host_;
  frontend::qt::QtPlayer player_;
  frontend::qt::QtImageLoader pictures_;
  std::unique_ptr<menu::MainForm> form_;
  std::unique_ptr<frontend::qt::QtWindow> window_;
};

}  // namespace norva::test
