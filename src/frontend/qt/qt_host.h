// The menu's front end on Qt: message boxes (in the interface language and colour scheme), the version
// chooser, fonts, the screen, the window's place, the nested event loops of waits, the busy cursor and the
// end of the program.
#pragma once

#include <QPointer>
#include <QWidget>
#include <optional>

#include "components/clock.h"
#include "frontend/qt/font_map.h"
#include "frontend/qt/real_time_clock.h"
#include "menu/host.h"
#include "platform/code_page.h"

namespace norva::frontend::qt {

struct QtHostOptions {
  std::optional<menu::ScreenSize> screen;  // the real screen when empty
  std::optional<int> start_minutes;        // local time of day at start; the real time when empty
};

class QtHost : public menu::Host {
 public:
  // `clock` and `time` are not owned and must outlive the host. A QApplication must exist.
  QtHost(components::Clock& clock, RealTimeClock& time, QtHostOptions options);
  ~QtHost() override;

  // The window that placements and system moves apply to, and that dialogs belong to; not owned.
  void SetWindow(QWidget* window);
  // The code page of the texts the menu hands over (the edition's).
  void SetCodePage(platform::CodePage code_page) { code_page_ = code_page; }
  const FontMap& fonts() const { return fonts_; }

  menu::MessageAnswer ShowMessage(menu::MessageKind kind, std::string_view caption, std::string_view text,
                                  menu::MessageButtons buttons) override;
  std::optional<std::size_t> ChooseVersion(std::string_view caption, std::string_view prompt,
                                           const std::vector<std::string>& labels) override;
  void ShowChooser(menu::DirChooser& chooser) override;
  void ShowUnpack(menu::UnpackForm& form) override;
  void SetDialogLook(const menu::DialogLook& look) override { look_ = look; }
  void BringToFront() override;
  bool AddFontResource(const std::string& host_path) override { return fonts_.Add(host_path); }
  void RemoveFontResource(const std::string& host_path) override { fonts_.Remove(host_path); }
  menu::ScreenSize Screen() override;
  int LocalHour() override;
  void PlaceWindow(int left, int top, int width, int height) override;
  void StartSystemMove() override;
  void ProcessMessages() override;
  void WaitWhile(const std::function<bool()>& still_running, platform::WaitHandle wake,
                 std::optional<std::chrono::steady_clock::time_point> until) override;
  void SetBusyCursor(bool busy) override;
  void Terminate(int exit_code) override;

  bool terminated() const { return terminated_; }
  int exit_code() const { return exit_code_; }

 private:
  QString Text(std::string_view ansi) const;

  components::Clock& clock_;
  RealTimeClock& time_;
  QtHostOptions options_;
  platform::CodePage code_page_ = platform::CodePage::kCentralEuropean;
  menu::DialogLook look_;
  FontMap fonts_;
  QPointer<QWidget> window_;
  std::optional<QRect> placement_;  // asked for before the window existed
  bool busy_ = false;
  bool terminated_ = false;
  int exit_code_ = 0;
};

}  // namespace norva::frontend::qt
