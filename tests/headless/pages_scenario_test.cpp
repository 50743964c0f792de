// Pages, the item list and its keys as a script drives them on the test disc.
#include <gtest/gtest.h>

#include "headless/scenario.h"
#include "support/temp_dir.h"

namespace norva::test {
namespace {

ScenarioResult RunScript(const TempDir& machine, const std::string& script) {
  Scenario s{machine.path() / "prefix", TestDisc()};
  s.script = script;
  return s.Run();
}

std::string Caption(const nlohmann::ordered_json& dump, const char* control) {
  return dump["controls"][control]["caption"];
}

TEST(PagesScenario, PagesKeysAndTheColourToggle) {
  TempDir machine;
  const auto r = RunScript(machine,
                           "key Down\nkey Down\ndump\n"
                           "wheel down 620\nwait 1000\nclick DIBSection7\nkey S\ndump\n"
                           "wheel up 620\nwait 1000\nclick DIBSection1\nkey End\nclick IndigoSpot\ndump\n"
                           "click DIBSection2\nkey 2\ndump\n");
  ASSERT_EQ(r.exit_code, 0) << r.err;
  ASSERT_EQ(r.dumps.size(), 4u);

  const auto& demos = r.dumps[0];
  EXPECT_EQ(demos["page_kind"], 1);
  EXPECT_EQ(demos["page_icon_count"], 11);
  EXPECT_EQ(demos["item_index"], 3);
  EXPECT_EQ(Caption(demos, "PositionLabel"), "3 z 3");
  EXPECT_EQ(demos["controls"]["HighlightDIB"]["top"], 63 + 62);
  EXPECT_EQ(demos["controls"]["Down1"]["image"], -1);

  const auto& quillon = r.dumps[1];
  EXPECT_EQ(quillon["pages"][6]["caption"], "QUILLON");
  EXPECT_EQ(quillon["page_kind"], 12);
  EXPECT_EQ(quillon["selected_icon"], 7);
  EXPECT_EQ(Caption(quillon, "DemosLabel1"), "QUILLON 52");
  EXPECT_EQ(Caption(quillon, "DemosLabel2"), "");
  EXPECT_EQ(Caption(quillon, "PositionLabel"), "1 z 1");
  EXPECT_EQ(quillon["item_index"], 1) << "letters do nothing on the diskmag's page";
  EXPECT_NE(Caption(quillon, "TextLabel").find("Quillon 52"), std::string::npos);

  const auto& night = r.dumps[2];
  EXPECT_EQ(night["night_mode"], 1);
  EXPECT_EQ(night["page_kind"], 1);
  EXPECT_EQ(night["item_index"], 3);
  EXPECT_EQ(night["selected_icon"], 1);
  EXPECT_EQ(night["controls"]["DIBSection1"]["image"], 3) << "pressed, in the night pictures";
  EXPECT_EQ(night["controls"]["DIBSection7"]["image"], 108);
  EXPECT_EQ(Caption(night, "PositionLabel"), "3 z 3");

  const auto& fulls = r.dumps[3];
  EXPECT_EQ(fulls["page_kind"], 10);
  EXPECT_EQ(fulls["item_index"], 2);
  EXPECT_EQ(Caption(fulls, "DemosLabel2"), "A&&B STUDIO");
  EXPECT_EQ(Caption(fulls, "PositionLabel"), "2 z 2");
  EXPECT_EQ(fulls["controls"]["DIBSection1"]["image"], 2) << "released, night picture";
}

TEST(PagesScenario, TheWheelOverTheColumnScrollsIconsNotTheList) {
  TempDir machine;
  const auto r = RunScript(machine, "wheel down 620\nwait 50\ndump\nwheel down 100\ndump\n");
  ASSERT_EQ(r.exit_code, 0) << r.err;
  ASSERT_EQ(r.dumps.size(), 2u);
  EXPECT_EQ(r.dumps[0]["item_index"], 1);
  EXPECT_EQ(r.dumps[0]["controls"]["DIBSection1"]["top"], 60 - 25);
  EXPECT_EQ(r.dumps[0]["controls"]["IconLabel11"]["top"], 733 + 51 - 25);
  EXPECT_EQ(r.dumps[0]["timers"]["ScrollDownTimer"]["enabled"], true);
  EXPECT_EQ(r.dumps[1]["item_index"], 2);
}

}  // namespace
}  // namespace norva::test
