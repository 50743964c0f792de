#include "components/input.h"

#include <gtest/gtest.h>

namespace norva::components {
namespace {

TEST(InputTest, KeyNamesAndCodesRoundTrip) {
  for (int k = 0; k <= static_cast<int>(Key::Digit9); ++k) {
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
}

}  // namespace
}  // namespace norva::components
