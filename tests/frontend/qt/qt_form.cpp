#include "frontend/qt/qt_form.h"

#include <QTest>
#include <fstream>
#include <stdexcept>

#include "menu/music.h"

#include "platform/wine/wine_platform.h"

namespace norva::test {

struct QtForm::Machine {
  std::unique_ptr<platform::wine::WinePlatform> machine;
};

QtForm::QtForm(const QtFormOptions& options) : machine_(std::make_unique<Machine>()) {
  std::string error;
  auto& m = *machine_;
  m.machine = platform::wine::WinePlatform::Open(
      {options.prefix, options.disc, options.runner, std::nullopt, true}, &error);
  if (!m.machine) throw std::runtime_error("cannot open the machine: " + error);
  if (options.enhanced >= 0) {
    const auto store = options.prefix / "drive_c" / "windows" / "norva.ini";
    std::filesystem::create_directories(store.parent_path());
    std::ofstream(store, std::ios::app) << "[Main]\r\nEnhanced=" << options.enhanced << "\r\nMusic=0\r\n";
  }
  host_ = std::make_unique<frontend::qt::QtHost>(
      clock_, time_, frontend::qt::QtHostOptions{options.screen, options.clock_minutes});
  form_ = std::make_unique<menu::MainForm>(m.machine->platform(), *host_, clock_, nullptr);
  form_->music().SetPlayer(&player_);
  form_->SetImageLoader(&pictures_);
  window_ = std::make_unique<frontend::qt::QtWindow>(*form_, host_->fonts(), pictures_, time_);
  form_->OnAnsiCodePage = [this](platform::CodePage code_page) {
    machine_->machine->machine().SetAnsiCodePage(code_page);
    host_->SetCodePage(code_page);
    window_->SetCodePage(code_page);
  };
  host_->SetWindow(window_.get());
  form_->FormCreate();
  if (form_->Terminated()) throw std::runtime_error("the menu ended at start");
  window_->show();
  form_->FormShow();
  form_->ApplicationActivate();
  window_->Refresh();
  time_.Schedule();
  if (!QTest::qWaitForWindowExposed(window_.get())) throw std::runtime_error("the window was never shown");
}

QtForm::~QtForm() {
  form_->FormDestroy();
  window_.reset();
  form_.reset();
}

void QtForm::Wait(int ms) {
  // A test may have called the menu directly, starting timers as input would: plan the next tick first.
  time_.Schedule();
  QTest::qWait(ms);
}

QImage QtForm::Grab() {
  window_->Refresh();
  return window_->grab().toImage();
}

}  // namespace norva::test
