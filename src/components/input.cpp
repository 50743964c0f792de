#include "components/input.h"

#include <array>

namespace norva::components {

namespace {

constexpr int kFirstLetter = static_cast<int>(Key::A);
constexpr int kFirstDigit = static_cast<int>(Key::Digit0);
constexpr int kFirstLater = static_cast<int>(Key::Tab);
constexpr int kFirstFunction = static_cast<int>(Key::F1);

constexpr std::array<std::string_view, 10> kNamedKeys = {"Esc",   "Enter",  "Up",       "Down", "Left",
                                                         "Right", "PageUp", "PageDown", "Home", "End"};
constexpr std::array<int, 10> kNamedCodes = {27, 13, 38, 40, 37, 39, 33, 34, 36, 35};

// The keys after the digits, in their order.
constexpr std::array<std::string_view, 16> kLaterKeys = {"Tab", "Shift+Tab", "Space", "F1",    "F2", "F3",
                                                         "F4",  "F5",        "F6",    "F7",    "F8", "F9",
                                                         "F10", "F11",       "F12",   "Alt+F4"};
constexpr std::array<int, 16> kLaterCodes = {9,   9,   32,  112, 113, 114, 115, 116,
                                             117, 118, 119, 120, 121, 122, 123, 115};

constexpr std::string_view kLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
constexpr std::string_view kDigits = "0123456789";

}  // namespace

int KeyCode(Key key) {
  const int k = static_cast<int>(key);
  if (k < kFirstLetter) return kNamedCodes[static_cast<std::size_t>(k)];
  if (k < kFirstDigit) return 'A' + (k - kFirstLetter);
  if (k < kFirstLater) return '0' + (k - kFirstDigit);
  return kLaterCodes[static_cast<std::size_t>(k - kFirstLater)];
}

char KeyLetter(Key key) {
  const int k = static_cast<int>(key);
  return k >= kFirstLetter && k < kFirstDigit ? static_cast<char>('A' + (k - kFirstLetter)) : '\0';
}

int KeyDigit(Key key) {
  const int k = static_cast<int>(key);
  return k >= kFirstDigit && k < kFirstLater ? k - kFirstDigit : -1;
}

int KeyFunction(Key key) {
  const int k = static_cast<int>(key);
  return k >= kFirstFunction && k <= static_cast<int>(Key::F12) ? k - kFirstFunction + 1 : 0;
}

std::string_view KeyName(Key key) {
  const int k = static_cast<int>(key);
  if (k < kFirstLetter) return kNamedKeys[static_cast<std::size_t>(k)];
  if (k < kFirstDigit) return kLetters.substr(static_cast<std::size_t>(k - kFirstLetter), 1);
  if (k < kFirstLater) return kDigits.substr(static_cast<std::size_t>(k - kFirstDigit), 1);
  return kLaterKeys[static_cast<std::size_t>(k - kFirstLater)];
}

std::optional<Key> KeyFromName(std::string_view name) {
  for (std::size_t i = 0; i < kNamedKeys.size(); ++i) {
    if (name == kNamedKeys[i]) return static_cast<Key>(i);
  }
  for (std::size_t i = 0; i < kLaterKeys.size(); ++i) {
    if (name == kLaterKeys[i]) return static_cast<Key>(kFirstLater + static_cast<int>(i));
  }
  if (name.size() == 1) {
    char c = name[0];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c >= 'A' && c <= 'Z') return static_cast<Key>(kFirstLetter + (c - 'A'));
    if (c >= '0' && c <= '9') return static_cast<Key>(kFirstDigit + (c - '0'));
  }
  return std::nullopt;
}

}  // namespace norva::components
