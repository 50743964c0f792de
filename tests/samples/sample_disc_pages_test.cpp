// The sample disc as a person meets it: every page of the icon column, every item on it, every gallery
// paged through to its last picture, and the settings page, all without a single error box.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "headless/scenario.h"
#include "samples/sample_disc.h"
#include "support/temp_dir.h"

namespace norva::test {
namespace {

// The record array behind each page kind; pages without one show a single fixed entry or none.
const std::map<int, std::string> kRecordsOfPage = {
    {1, "demos"},   {2, "extra"}, {3, "shareware"}, {4, "drivers"}, {5, "updates"},
    {6, "readers"}, {7, "shots"}, {8, "movies"},    {10, "fulls"},  {20, "installed"}};
// Pages whose small picture opens the item's gallery.
const std::set<int> kGalleryPages = {1, 2, 4, 7, 8, 10};

int GalleryLength(const std::string& picture) {
  int count = 0;
  while (!picture.empty()) {
    const int n = count + 1;
    const std::string number = n < 10 ? "0" + std::to_string(n) : std::to_string(n);
    if (!FindOnDisc("Norva\\" + picture + number + ".jpg")) break;
    count = n;
  }
  return count;
}

// What one `dump` of the walk should show.
struct Expected {
  int page_kind = 0;
  int gallery = 0;  // length of the gallery open at the dump, 0 for none
  std::string where;
};

TEST(SampleDiscPages, EveryPageItemAndGalleryWithoutAnErrorBox) {
  TempDir machine;
  const auto start = LoadSampleDisc(machine.path());
  ASSERT_FALSE(start.empty()) << "the menu does not start on " << SampleDisc();

  std::set<int> kinds;
  for (const auto& page : start["pages"]) kinds.insert(page["kind"].get<int>());
  EXPECT_EQ(kinds, (std::set<int>{1, 2, 3, 4, 5, 6, 7, 8, 10, 12, 20})) << start["pages"];
  EXPECT_FALSE(start["records"]["extra2"].empty()) << "the Extra2 kind has items, though no icon";
  EXPECT_EQ(start["records"]["demos"][1]["Name"], "PIRÁTSKÁ ZÁTOKA") << "the catalog's code page";

  std::string script;
  std::vector<Expected> expected;
  int galleries = 0;
  for (std::size_t slot = 1; slot <= start["pages"].size(); ++slot) {
    const int kind = start["pages"][slot - 1]["kind"];
    // The lower icons are reached by scrolling the column; the sixth then shows only its caption, whose
    // middle lies under the column's scroll arrow.
    if (slot == 6) script += "wheel down 620\nwait 1000\n";
    script += slot == 6 ? "click IconLabel6 10 7\n" : "click DIBSection" + std::to_string(slot) + "\n";
    const auto records = kRecordsOfPage.count(kind) ? start["records"][kRecordsOfPage.at(kind)]
                                                    : nlohmann::ordered_json::array({{}});
    // An empty page is still visited once.
    const std::size_t count = std::max<std::size_t>(records.size(), 1);
    for (std::size_t item = 1; item <= count; ++item) {
      if (item > 1) script += "key Down\n";
      const std::string where = "page " + std::to_string(kind) + " item " + std::to_string(item);
      const int length = kGalleryPages.count(kind) && item <= records.size()
                             ? GalleryLength(records[item - 1].value("Picture", ""))
                             : 0;
      if (length > 0) {
        ++galleries;
        script += "click DIBImage4\nwait 50\n";
        for (int n = 1; n < length; ++n) script += "key Right\n";
        script += "dump\nkey Esc\nwait 50\n";
        expected.push_back({kind, length, where + " gallery"});
      }
      script += "dump\n";
      expected.push_back({kind, 0, where});
    }
  }
  script += "click SetupSpot\ndump\n";
  expected.push_back({21, 0, "settings"});
  EXPECT_GE(galleries, 4);

  Scenario s{machine.path() / "prefix", SampleDisc()};
  s.script = script;
  const auto r = s.Run();
  ASSERT_EQ(r.exit_code, 0) << r.err;
  ASSERT_EQ(r.dumps.size(), expected.size()) << r.out;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const auto& dump = r.dumps[i];
    const Expected& e = expected[i];
    EXPECT_EQ(dump["page_kind"], e.page_kind) << e.where;
    EXPECT_TRUE(dump["dialogs"].empty()) << e.where << ": " << dump["dialogs"];
    const auto& controls = dump["controls"];
    if (e.gallery > 0) {
      EXPECT_EQ(dump["gallery_index"], e.gallery) << e.where;
      EXPECT_EQ(controls["DIBImage2"]["visible"], true) << e.where;
      EXPECT_EQ(controls["RightArrow"]["visible"], false) << e.where << ": the last picture";
      EXPECT_EQ(controls["LeftArrow"]["visible"], e.gallery > 1) << e.where;
    } else {
      EXPECT_EQ(controls["DIBImage2"]["visible"], false) << e.where;
    }
  }
}

}  // namespace
}  // namespace norva::test
