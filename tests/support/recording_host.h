// A front end for tests: answers message boxes from a queue (OK, Cancel or No when it runs dry) and records
// every call the menu made.
#pragma once

#include <poll.h>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "menu/host.h"

namespace norva::test {

class RecordingHost : public menu::Host {
 public:
  struct Message {
    menu::MessageKind kind;
    std::string caption;
    std::string text;
    menu::MessageButtons buttons;
  };

  menu::MessageAnswer ShowMessage(menu::MessageKind kind, std::string_view caption, std::string_view text,
                                  menu::MessageButtons buttons) override {
    messages.push_back({kind, std::string(caption), std::string(text), buttons});
    calls.push_back("ShowMessage");
    if (!answers.empty()) {
      const auto answer = answers.front();
      answers.pop_front();
      return answer;
    }
    switch (buttons) {
      case menu::MessageButtons::kOk:
        return menu::MessageAnswer::kOk;
      case menu::MessageButtons::kYesNo:
        return menu::MessageAnswer::kNo;
      default:
        return menu::MessageAnswer::kCancel;
    }
  }
  // Answers from `version_answers` (nothing, as a closed box, when it runs dry).
  std::optional<std::size_t> ChooseVersion(std::string_view caption, std::string_view prompt,
                                           const std::vector<std::string>& labels) override {
    versions.push_back({std::string(caption), std::string(prompt), labels});
    calls.push_back("ChooseVersion");
    if (version_answers.empty()) return std::nullopt;
    const auto answer = version_answers.front();
    version_answers.pop_front();
    return answer;
  }
  // The dialogs are driven by the test's hooks (see menu_test_form.h for the usual ones); without a hook
  // the call is only recorded.
  void ShowChooser(menu::DirChooser& chooser) override {
    calls.push_back("ShowChooser");
    if (on_chooser) on_chooser(chooser);
  }
  void ShowUnpack(menu::UnpackForm& form) override {
    calls.push_back("ShowUnpack");
    if (on_unpack) on_unpack(form);
  }
  void BringToFront() override { calls.push_back("BringToFront"); }
  bool AddFontResource(const std::string& host_path) override {
    calls.push_back("AddFontResource " + host_path);
    fonts.push_back(host_path);
    return accept_fonts;
  }
  void RemoveFontResource(const std::string& host_path) override {
    calls.push_back("RemoveFontResource " + host_path);
  }
  menu::ScreenSize Screen() override { return screen; }
  int LocalHour() override { return hour; }
  void PlaceWindow(int left, int top, int width, int height) override {
    calls.push_back("PlaceWindow " + std::to_string(left) + " " + std::to_string(top) + " " +
                    std::to_string(width) + " " + std::to_string(height));
  }
  void StartSystemMove() override { calls.push_back("StartSystemMove"); }
  void Terminate(int exit_code) override { calls.push_back("Terminate " + std::to_string(exit_code)); }
  void ProcessMessages() override {
    ++pumps;
    if (on_pump) on_pump();
  }
  // Sleeps on the descriptor between checks, pumping once per wake-up, as a window's event loop would.
  void WaitWhile(const std::function<bool()>& still_running, platform::WaitHandle wake,
                 std::optional<std::chrono::steady_clock::time_point> until) override {
    calls.push_back("WaitWhile");
    const int wake_fd = wake.native();
    while (still_running() && !(until && std::chrono::steady_clock::now() >= *until)) {
      ProcessMessages();
      if (!still_running()) break;
      pollfd entry{wake_fd, POLLIN, 0};
      poll(wake_fd >= 0 ? &entry : nullptr, wake_fd >= 0 ? 1 : 0, wake_fd >= 0 ? -1 : 20);
    }
  }
  void SetBusyCursor(bool busy) override {
    calls.push_back(busy ? "SetBusyCursor 1" : "SetBusyCursor 0");
    busy_cursor = busy;
  }

  struct VersionChoice {
    std::string caption;
    std::string prompt;
    std::vector<std::string> labels;
  };

  std::deque<menu::MessageAnswer> answers;
  std::deque<std::optional<std::size_t>> version_answers;
  std::vector<VersionChoice> versions;
  std::vector<Message> messages;
  std::vector<std::string> calls;
  std::vector<std::string> fonts;
  bool accept_fonts = true;
  menu::ScreenSize screen{1024, 768};
  int hour = 12;
  int pumps = 0;
  bool busy_cursor = false;
  // Runs on every pump (a test's "event" during a wait).
  std::function<void()> on_pump;
  std::function<void(menu::DirChooser&)> on_chooser;
  std::function<void(menu::UnpackForm&)> on_unpack;
};

}  // namespace norva::test
