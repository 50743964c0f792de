// Raw input of the control model: mouse buttons and the keys the menu reacts to.
#pragma once

#include <optional>
#include <string_view>

namespace norva::components {

enum class MouseButton { Left, Right, Middle };

// One notch of the mouse wheel; positive deltas turn the wheel up (away from the user).
inline constexpr int kWheelNotch = 120;

// The keys after the digits move the window's keyboard focus and reach its pages, settings and exit; ShiftTab
// is Tab with Shift held, AltF4 the window system's close key.
// clang-format off
enum class Key {
  Esc, Enter, Up, Down, Left, Right, PageUp, PageDown, Home, End,
  A, B, C, D, E, F, G, H, I, J, K, L, M, N, O, P, Q, R, S, T, U, V, W, X, Y, Z,
  Digit0, Digit1, Digit2, Digit3, Digit4, Digit5, Digit6, Digit7, Digit8, Digit9,
  Tab, ShiftTab, Space, F1, F2, F3, F4, F5, F6, F7, F8, F9, F10, F11, F12, AltF4,
};
// clang-format on

// The Windows virtual-key code of a key (letters 65..90, digits 48..57, Esc 27, ...), which the menu's
// keyboard handling compares against.
int KeyCode(Key key);
// 'A'..'Z' for the letter keys, 0 for every other key.
char KeyLetter(Key key);
// 0..9 for the digit keys, -1 for every other key.
int KeyDigit(Key key);
// 1..12 for the function keys F1..F12, 0 for every other key (Alt+F4 included).
int KeyFunction(Key key);
// The key's name as the headless script writes it: "Esc", "Enter", "Up", ..., "PageDown", "A".."Z", "0".."9",
// "Tab", "Shift+Tab", "Space", "F1".."F12", "Alt+F4".
std::string_view KeyName(Key key);
// Inverse of KeyName; letters are accepted in either case. Nothing for an unknown name.
std::optional<Key> KeyFromName(std::string_view name);

}  // namespace norva::components
