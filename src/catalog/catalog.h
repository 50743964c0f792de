// Everything the catalog load produces: the record arrays of every content kind with their counts, and the
// facts of the [Main] section. Arrays are indexed 1..capacity; element 0 is never used, and elements past a
// kind's count are empty records (the item list shows them as empty rows).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "catalog/records.h"

namespace norva::catalog {

inline constexpr std::int32_t kDemoCapacity = 30;
inline constexpr std::int32_t kFullCapacity = 15;
inline constexpr std::int32_t kUpdateCapacity = 50;
inline constexpr std::int32_t kShareCapacity = 25;
inline constexpr std::int32_t kShotCapacity = 35;
inline constexpr std::int32_t kReaderCapacity = 40;
inline constexpr std::int32_t kMovieCapacity = 30;
inline constexpr std::int32_t kDriverCapacity = 20;
inline constexpr std::int32_t kExtraCapacity = 15;
inline constexpr std::int32_t kExtra2Capacity = 15;

// A 1-based array of fixed capacity: slots 1..Capacity, slot 0 unused.
template <typename T, std::int32_t Capacity>
using Slots = std::array<T, static_cast<std::size_t>(Capacity) + 1>;

// About 130 KB: keep it on the heap or in a long-lived owner, not in a small stack frame.
struct Catalog {
  Slots<TDemos, kDemoCapacity> Demo;
  std::int32_t DemoCount = 0;
  Slots<TDemos, kFullCapacity> Full;
  std::int32_t FullCount = 0;
  Slots<TUpdate, kUpdateCapacity> Update;
  std::int32_t UpdateCount = 0;
  Slots<TDemos, kShareCapacity> Share;
  std::int32_t ShareCount = 0;
  Slots<TShot, kShotCapacity> Shot;
  std::int32_t ShotCount = 0;
  Slots<TDemos, kReaderCapacity> Reader;
  std::int32_t ReaderCount = 0;
  Slots<TMovies, kMovieCapacity> Movie;
  std::int32_t MovieCount = 0;
  Slots<TDemos, kDriverCapacity> Driver;
  std::int32_t DriverCount = 0;  // after the drivers of other editions were dropped
  Slots<TDemos, kExtraCapacity> Extra;
  std::int32_t ExtraCount = 0;
  Slots<TDemos, kExtra2Capacity> Extra2;
  std::int32_t Extra2Count = 0;

  std::int32_t IsDVD = 0;  // non-zero: a DVD edition; the full-games page caption wants exactly 1
  std::string IssueCode;   // MMYY, e.g. "0206"
  std::string DiscLabel;
  bool DebugMode = false;
  std::int32_t Edition = 1;  // 0..6, the language numbering of the interface

  // Plain-text remarks about the catalog for its debug mode (counts cut to the capacity, broken update
  // lines), in the order they were found.
  std::vector<std::string> notes;
};

}  // namespace norva::catalog
