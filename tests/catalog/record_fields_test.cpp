#include "catalog/record_fields.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace norva::catalog {
namespace {

// Collects what the visitor hands over: the names in order and the values printed with their kind.
struct Collector {
  std::vector<std::string> names;
  std::vector<std::string> values;
  void operator()(const char* name, const std::string& value) {
    names.push_back(name);
    values.push_back("s:" + value);
  }
  void operator()(const char* name, std::int32_t value) {
    names.push_back(name);
    values.push_back("i:" + std::to_string(value));
  }
  std::size_t UniqueNames() const { return std::set<std::string>(names.begin(), names.end()).size(); }
};

// The dump must miss no field and show 8-bit fields as numbers, not as characters.
TEST(RecordFieldsTest, EveryFieldIsVisitedOnceUnderItsOwnName) {
  TDemos item;
  item.InstalledDir = "C:\\Games\\X";
  item.Runnable = 200;
  item.CD = 12;
  Collector demos;
  VisitFields(item, demos);
  ASSERT_EQ(demos.names.size(), 30u);
  EXPECT_EQ(demos.UniqueNames(), 30u);
  EXPECT_EQ(demos.values[9], "s:C:\\Games\\X");
  EXPECT_EQ(demos.values[26], "i:200");
  EXPECT_EQ(demos.values.back(), "i:12");

  TUpdate update;
  update.NoRun = 1;
  Collector updates;
  VisitFields(update, updates);
  EXPECT_EQ(updates.UniqueNames(), 5u);
  EXPECT_EQ(updates.values.back(), "i:1");

  Collector shots;
  VisitFields(TShot{}, shots);
  EXPECT_EQ(shots.UniqueNames(), 9u);

  TMovies movie;
  movie.InstallType = 255;
  Collector movies;
  VisitFields(movie, movies);
  EXPECT_EQ(movies.UniqueNames(), 12u);
  EXPECT_EQ(movies.values[10], "i:255");
}

}  // namespace
}  // namespace norva::catalog
