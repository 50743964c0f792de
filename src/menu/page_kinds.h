// The kinds of page the menu shows (`PageKind`, `TPage::Kind`).
#pragma once

namespace norva::menu {

inline constexpr int kPageDemos = 1;
inline constexpr int kPageExtra = 2;
inline constexpr int kPageShareware = 3;
inline constexpr int kPageDrivers = 4;
inline constexpr int kPageUpdates = 5;
inline constexpr int kPageReaders = 6;
inline constexpr int kPageShots = 7;
inline constexpr int kPageFilms = 8;
inline constexpr int kPageFulls = 10;
inline constexpr int kPageExtra2 = 11;
inline constexpr int kPageQuillon = 12;
inline constexpr int kPageInstalled = 20;
inline constexpr int kPageSettings = 21;

}  // namespace norva::menu
