// The message box's buttons in the interface language, and the answers its keys give.
#include "menu/message_box.h"

#include <gtest/gtest.h>

namespace norva::test {
namespace {

using components::Key;
using menu::MessageAnswer;
using menu::MessageBoxModel;
using menu::MessageButtons;

std::string Words(const MessageBoxModel& box) {
  std::string words;
  for (const auto& button : box.buttons()) words += (words.empty() ? "" : "|") + button.text;
  return words;
}

TEST(MessageBoxModel, ButtonsSpeakTheInterfaceLanguageInItsCodePage) {
  EXPECT_EQ(Words(MessageBoxModel(MessageButtons::kYesNo, 1)), "Ano|Ne");
  EXPECT_EQ(Words(MessageBoxModel(MessageButtons::kYesNoCancel, 4)), "\xC1no|Nie|Zru\x9Ai\x9D");
  EXPECT_EQ(Words(MessageBoxModel(MessageButtons::kOkCancel, 2)), "Tamam|\xDDptal") << "Windows-1254";
  EXPECT_EQ(Words(MessageBoxModel(MessageButtons::kYesNo, 5)), "Ja|Nein");
  EXPECT_EQ(Words(MessageBoxModel(MessageButtons::kOk, 9)), "OK") << "an unknown language speaks English";
}

TEST(MessageBoxModel, EnterPressesTheFocusedButtonAndEscCancelsElseSaysNo) {
  MessageBoxModel box(MessageButtons::kYesNo, 1);
  EXPECT_EQ(box.KeyDown(Key::Enter), MessageAnswer::kYes) << "the first button has the focus";
  EXPECT_EQ(box.KeyDown(Key::Right), std::nullopt);
  EXPECT_EQ(box.KeyDown(Key::Space), MessageAnswer::kNo);
  box.KeyDown(Key::Tab);
  EXPECT_EQ(box.focus(), 0) << "Tab wraps around";
  box.KeyDown(Key::ShiftTab);
  EXPECT_EQ(box.focus(), 1);
  EXPECT_EQ(box.KeyDown(Key::A), std::nullopt) << "no shortcut letters";
  EXPECT_EQ(box.KeyDown(Key::Esc), MessageAnswer::kNo);

  EXPECT_EQ(MessageBoxModel(MessageButtons::kYesNoCancel, 0).KeyDown(Key::Esc), MessageAnswer::kCancel);
  EXPECT_EQ(MessageBoxModel(MessageButtons::kOkCancel, 0).KeyDown(Key::Esc), MessageAnswer::kCancel);
  EXPECT_EQ(MessageBoxModel(MessageButtons::kOk, 0).KeyDown(Key::Esc), MessageAnswer::kOk);
}

}  // namespace
}  // namespace norva::test
