// A message box for the front ends that draw one themselves: its buttons in the order the window system
// puts them, with the words of the interface language, the button that has the focus, and its keyboard.
// The focused button is the default one (Enter presses it); the first button has the focus when the box
// opens. Esc, and closing the box any other way, answers Cancel, else No, else OK. There are no shortcut
// letters.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "components/input.h"
#include "menu/host.h"

namespace norva::menu {

class MessageBoxModel {
 public:
  struct Button {
    MessageAnswer answer;
    std::string text;  // ANSI in the language's code page
  };

  MessageBoxModel(MessageButtons buttons, int language);

  const std::vector<Button>& buttons() const { return buttons_; }
  int focus() const { return focus_; }
  // Gives the focus to button `index`; other values change nothing.
  void SetFocus(int index);

  MessageAnswer EscapeAnswer() const;
  // Left, Up and Shift+Tab move the focus to the previous button, Right, Down and Tab to the next (wrapping);
  // Enter and Space press the focused button; Esc closes the box. The answer once the key answered the box.
  std::optional<MessageAnswer> KeyDown(components::Key key);

 private:
  std::vector<Button> buttons_;
  int focus_ = 0;
};

}  // namespace norva::menu
