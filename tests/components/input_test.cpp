#include "components/input.h"

#include <gtest/gtest.h>

namespace norva::components {
namespace {

TEST(InputTest, KeyNamesAndCodesRoundTrip) {
  for (int k = 0; k <= static_cast<int>(Key::AltF4); ++k) {
    const auto key = static_cast<Key>(k);
    EXPECT_EQ(KeyFromName(KeyName(key)), key) << KeyName(key);
  }
  EXPECT_EQ(KeyFromName("s"), Key::S);
  EXPECT_EQ(KeyFromName("Escape"), std::nullopt);
  EXPECT_EQ(KeyFromName(""), std::nullopt);
  EXPECT_EQ(KeyCode(Key::A), 65);
  EXPECT_EQ(KeyCode(Key::Z), 90);
  EXPECT_EQ(KeyCode(Key::Digit0), 48);
  EXPECT_EQ(KeyCode(Key::PageDown), 34);
  EXPECT_EQ(KeyCode(Key::Home), 36);
  EXPECT_EQ(KeyLetter(Key::Q), 'Q');
  EXPECT_EQ(KeyLetter(Key::Digit1), '\0');
  EXPECT_EQ(KeyDigit(Key::Digit9), 9);
  EXPECT_EQ(KeyDigit(Key::Esc), -1);
  EXPECT_EQ(KeyDigit(Key::Tab), -1);
  EXPECT_EQ(KeyLetter(Key::F1), '\0');
  EXPECT_EQ(KeyFunction(Key::F1), 1);
  EXPECT_EQ(KeyFunction(Key::F12), 12);
  EXPECT_EQ(KeyFunction(Key::AltF4), 0);
  EXPECT_EQ(KeyFunction(Key::Digit1), 0);
  EXPECT_EQ(KeyFromName("Shift+Tab"), Key::ShiftTab);
  EXPECT_EQ(KeyFromName("f1"), std::nullopt) << "only letters are taken in either case";
  EXPECT_EQ(KeyCode(Key::F12), 123);
}

}  // namespace
}  // namespace norva::components
