#include "components/input.h"

#include <array>

namespace norva::components {

namespace {

constexpr int kFirstLetter = static_cast<int>(Key::A);
constexpr int kFirstDigit = static_cast<int>(Key::Digit0);

constexpr std::array<std::string_view, 10> kNamedKeys = {"Esc",   "Enter",  "Up",       "Down", "Left",
                                                         "Right", "PageUp", "PageDown", "Home", "End"};
constexpr std::array<int, 10> kNamedCodes = {27, 13, 38, 40, 37, 39, 33, 34, 36, 35};

constexpr std::string_view kLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
constexpr std::string_view kDigits = "0123456789";

}  // namespace

int KeyCode(Key key) {
  const int k = static_cast<int>(key);
  if (k < kFirstLetter) return kNamedCodes[static_cast<std::size_t>(k)];
  if (k < kFirstDigit) return 'A' + (k - kFirstLetter);
  return '0' + (k - kFirstDigit);
}

char KeyLetter(Key key) {
  const int k = static_cast<int>(key);
  return k >= kFirstLetter && k < kFirstDigit ? static_cast<char>('A' + (k - kFirstLetter)) : '\0';
}

int KeyDigit(Key key) {
  const int k = static_cast<int>(key);
  return k >= kFirstDigit ? k - kFirstDigit : -1;
}

std::string_view KeyName(Key key) {
  const int k = static_cast<int>(key);
  if (k < kFirstLetter) return kNamedKeys[static_cast<std::size_t>(k)];
  if (k < kFirstDigit) return kLetters.substr(static_cast<std::size_t>(k - kFirstLetter), 1);
  return kDigits.substr(static_cast<std::size_t>(k - kFirstDigit), 1);
}

std::optional<Key> KeyFromName(std::string_view name) {
  for (std::size_t i = 0; i < kNamedKeys.size(); ++i) {
    if (name == kNamedKeys[i]) return static_cast<Key>(i);
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
