// A front end for tests: answers message boxes from a queue (OK, Cancel or No when it runs dry) and records
// every call the menu made.
#pragma once

#include <deque>
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
      case menu::MessageButtons::kOk: return menu::MessageAnswer::kOk;
      case menu::MessageButtons::kYesNo: return menu::MessageAnswer::kNo;
      default: return menu::MessageAnswer::kCancel;
    }
  }
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

  std::deque<menu::MessageAnswer> answers;
  std::vector<Message> messages;
  std::vector<std::string> calls;
  std::vector<std::string> fonts;
  bool accept_fonts = true;
  menu::ScreenSize screen{1024, 768};
  int hour = 12;
};

}  // namespace norva::test
