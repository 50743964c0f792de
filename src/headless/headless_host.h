// The front end without a window: message boxes are answered by the script, time is virtual, and everything
// the menu asked of its front end is kept for the state dump.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "components/clock.h"
#include "menu/dir_chooser.h"
#include "menu/host.h"
#include "menu/unpack_form.h"

namespace norva::headless {

// One modal dialog or message box as the state dump shows it. Texts are ANSI, as the menu gave them.
struct DialogRecord {
  std::string kind;  // error, warning, information, confirmation, plain, version, chooser, unpack
  std::string caption;
  std::string text;
  std::vector<std::string> buttons;   // "OK", "Cancel", "Yes", "No"
  std::optional<std::string> answer;  // "ok", "cancel", "yes", "no", "default"; empty while open
  // The directory chooser: its folder text, and the folder chosen once it closed ("" when cancelled).
  std::string edit{};
  // The chooser's chosen folder, or the unpack window's folder after its completeness check ("" when the
  // unpacking did not complete); empty while open.
  std::optional<std::string> result{};
  // The unpack window: its three labels and every text its percentage showed.
  std::vector<std::string> labels{};
  std::vector<std::string> percent{};
};

struct WindowPlacement {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

class HeadlessHost : public menu::Host {
 public:
  // `start_minutes`: the local time of day at start, in minutes after midnight.
  HeadlessHost(components::Clock& clock, menu::ScreenSize screen, int start_minutes);

  // Runs script lines until the open dialog (the last record) has an answer. Set by the driver.
  void SetModalLoop(std::function<void(DialogRecord&)> loop) { modal_loop_ = std::move(loop); }
  // Runs script lines for the open directory chooser until it is closed; for the open unpack window until
  // it asks to close. Set by the driver.
  void SetChooserLoop(std::function<void(DialogRecord&, menu::DirChooser&)> loop) {
    chooser_loop_ = std::move(loop);
  }
  void SetUnpackLoop(std::function<void(DialogRecord&, menu::UnpackForm&)> loop) {
    unpack_loop_ = std::move(loop);
  }

  menu::MessageAnswer ShowMessage(menu::MessageKind kind, std::string_view caption, std::string_view text,
                                  menu::MessageButtons buttons) override;
  // A dialog of kind "version" whose buttons are the labels; the script answers it with `answer N` (the
  // 1-based button number).
  std::optional<std::size_t> ChooseVersion(std::string_view caption, std::string_view prompt,
                                           const std::vector<std::string>& labels) override;
  void ShowChooser(menu::DirChooser& chooser) override;
  void ShowUnpack(menu::UnpackForm& form) override;
  bool AddFontResource(const std::string& host_path) override;
  void RemoveFontResource(const std::string& host_path) override;
  menu::ScreenSize Screen() override { return screen_; }
  int LocalHour() override;
  void PlaceWindow(int left, int top, int width, int height) override;
  void StartSystemMove() override { ++system_moves_; }
  void Terminate(int exit_code) override;
  // The script's clock moves only between lines, so there is nothing to pump: a wait blocks on the child.
  void ProcessMessages() override { ++pumps_; }
  void WaitWhile(const std::function<bool()>& still_running, platform::WaitHandle wake,
                 std::optional<std::chrono::steady_clock::time_point> until) override;
  void SetBusyCursor(bool busy) override { busy_cursor_ = busy; }

  const menu::ScreenSize& screen() const { return screen_; }
  const std::deque<DialogRecord>& dialogs() const { return dialogs_; }
  // The dialog open now, or null.
  const DialogRecord* modal() const { return modal_ ? &dialogs_[*modal_] : nullptr; }
  const std::vector<std::string>& fonts() const { return fonts_; }
  const WindowPlacement& placement() const { return placement_; }
  bool terminate_requested() const { return terminate_requested_; }
  int exit_code() const { return exit_code_; }
  bool busy_cursor() const { return busy_cursor_; }

 private:
  components::Clock& clock_;
  menu::ScreenSize screen_;
  int start_minutes_;
  // Opens a dialog record as the modal one; returns its index and the one it hides.
  std::pair<std::size_t, std::optional<std::size_t>> Open(DialogRecord record);

  std::function<void(DialogRecord&)> modal_loop_;
  std::function<void(DialogRecord&, menu::DirChooser&)> chooser_loop_;
  std::function<void(DialogRecord&, menu::UnpackForm&)> unpack_loop_;
  // A deque: the loops of open dialogs hold their records while further dialogs are added.
  std::deque<DialogRecord> dialogs_;
  std::optional<std::size_t> modal_;
  std::vector<std::string> fonts_;
  WindowPlacement placement_;
  int system_moves_ = 0;
  bool terminate_requested_ = false;
  int exit_code_ = 0;
  int pumps_ = 0;
  bool busy_cursor_ = false;
};

// Blocks until `still_running` answers false or `until` has passed, sleeping on `wake` (or in short naps when
// there is none).
void BlockWhile(const std::function<bool()>& still_running, platform::WaitHandle wake,
                std::optional<std::chrono::steady_clock::time_point> until = std::nullopt);

// The answer that a dialog gets when the script ends while it is open: No, Cancel or OK.
std::string DefaultAnswer(const std::vector<std::string>& buttons);

}  // namespace norva::headless
