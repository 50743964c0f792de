#include "menu/message_box.h"

#include <algorithm>

#include "strings/button_words.h"

namespace norva::menu {
namespace {

using components::Key;
using strings::ButtonWord;

}  // namespace

MessageBoxModel::MessageBoxModel(MessageButtons buttons, int language) {
  auto add = [&](MessageAnswer answer, ButtonWord word) {
    buttons_.push_back({answer, strings::ButtonText(language, word)});
  };
  switch (buttons) {
    case MessageButtons::kOk:
      add(MessageAnswer::kOk, ButtonWord::kOk);
      break;
    case MessageButtons::kOkCancel:
      add(MessageAnswer::kOk, ButtonWord::kOk);
      add(MessageAnswer::kCancel, ButtonWord::kCancel);
      break;
    case MessageButtons::kYesNo:
      add(MessageAnswer::kYes, ButtonWord::kYes);
      add(MessageAnswer::kNo, ButtonWord::kNo);
      break;
    case MessageButtons::kYesNoCancel:
      add(MessageAnswer::kYes, ButtonWord::kYes);
      add(MessageAnswer::kNo, ButtonWord::kNo);
      add(MessageAnswer::kCancel, ButtonWord::kCancel);
      break;
  }
}

void MessageBoxModel::SetFocus(int index) {
  if (index >= 0 && index < static_cast<int>(buttons_.size())) focus_ = index;
}

MessageAnswer MessageBoxModel::EscapeAnswer() const {
  auto has = [&](MessageAnswer answer) {
    return std::any_of(buttons_.begin(), buttons_.end(), [&](const Button& b) { return b.answer == answer; });
  };
  if (has(MessageAnswer::kCancel)) return MessageAnswer::kCancel;
  if (has(MessageAnswer::kNo)) return MessageAnswer::kNo;
  return MessageAnswer::kOk;
}

std::optional<MessageAnswer> MessageBoxModel::KeyDown(Key key) {
  const int count = static_cast<int>(buttons_.size());
  switch (key) {
    case Key::Left:
    case Key::Up:
    case Key::ShiftTab:
      focus_ = (focus_ + count - 1) % count;
      return std::nullopt;
    case Key::Right:
    case Key::Down:
    case Key::Tab:
      focus_ = (focus_ + 1) % count;
      return std::nullopt;
    case Key::Enter:
    case Key::Space:
      return buttons_[static_cast<std::size_t>(focus_)].answer;
    case Key::Esc:
      return EscapeAnswer();
    default:
      return std::nullopt;
  }
}

}  // namespace norva::menu
