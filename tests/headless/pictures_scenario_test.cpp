// Thumbnails and the gallery as a person uses them through the headless front end, which decodes the
// pictures for real.
#include <gtest/gtest.h>

#include "headless/scenario.h"
#include "headless/test_pictures.h"
#include "support/temp_dir.h"

namespace norva::test {
namespace {

TEST(PicturesScenario, HoverOpenStepCloseAndABrokenThumbnail) {
  TempDir disc, machine;
  disc.Write("NORVA.EXE", "MZ");
  disc.Write("Norva/NORVAXP.ini",
             "[Main]\r\nCD=0206\r\nVersion=0\r\nDemos=2\r\n"
             "[Demo1]\r\nName=Alpha\r\nPicture=alpha\r\nDate=0603\r\n"
             "[Demo2]\r\nName=Beta\r\nPicture=beta\r\nDate=1Q04\r\n");
  disc.Write("Norva/alpha01.jpg", MakeJpeg(64, 48));
  disc.Write("Norva/Alpha02.JPG", MakeJpeg(64, 48));
  disc.Write("Norva/Small/alpha01.bmp", MakeBmp24(24, 15));
  disc.Write("Norva/Small/beta.bmp", MakeBmp24(24, 15).substr(0, 60));

  Scenario s{machine.path() / "prefix", disc.path()};
  s.script =
      "dump\n"
      "hover DIBImage4\nwait 600\ndump\n"
      "click DIBImage4\nwait 50\ndump\n"
      "key Right\ndump\n"
      "wheel up\ndump\n"
      "rclick DIBImage2\nwait 50\ndump\n"
      "key Down\nanswer ok\ndump\n";
  const auto r = s.Run();
  ASSERT_EQ(r.exit_code, 0) << r.err;
  ASSERT_EQ(r.dumps.size(), 7u) << r.out;

  const auto& shown = r.dumps[0];
  EXPECT_EQ(shown["small_picture_loaded"], true);
  EXPECT_EQ(shown["controls"]["DIBImage4"]["opacity"], 150);
  EXPECT_EQ(shown["controls"]["DIBImage4"]["image"], shown["picture_count"]);
  EXPECT_EQ(shown["controls"]["DateLabel"]["caption"], "JUNE 2003");

  EXPECT_EQ(r.dumps[1]["controls"]["DIBImage4"]["opacity"], 255) << "faded in under the pointer";

  const auto& open = r.dumps[2]["controls"];
  EXPECT_EQ(open["DIBImage2"]["visible"], true);
  EXPECT_EQ(open["DIBImage2"]["image"], 100);
  EXPECT_EQ(open["DIBImage2"]["opacity"], 255);
  EXPECT_EQ(open["DIBImage1"]["visible"], true);
  EXPECT_EQ(open["RightArrow"]["visible"], true);
  EXPECT_EQ(open["LeftArrow"]["visible"], false);

  EXPECT_EQ(r.dumps[3]["gallery_index"], 2);
  EXPECT_EQ(r.dumps[3]["controls"]["RightArrow"]["visible"], false);
  EXPECT_EQ(r.dumps[3]["controls"]["LeftArrow"]["visible"], true);
  EXPECT_EQ(r.dumps[4]["gallery_index"], 1) << "the wheel steps back";

  EXPECT_EQ(r.dumps[5]["controls"]["DIBImage2"]["visible"], false);
  EXPECT_EQ(r.dumps[5]["controls"]["DIBImage1"]["visible"], false);

  const auto& broken = r.dumps[6];
  EXPECT_EQ(broken["item_index"], 2);
  EXPECT_EQ(broken["controls"]["DateLabel"]["caption"], "SPRING 2004");
  ASSERT_FALSE(broken["dialogs"].empty());
  const auto& box = broken["dialogs"].back();
  EXPECT_EQ(box["kind"], "error");
  EXPECT_NE(box["text"].get<std::string>().find("beta.bmp"), std::string::npos) << box["text"];
  EXPECT_EQ(broken["controls"]["DIBImage4"]["image"], shown["controls"]["DIBImage4"]["image"])
      << "the previous picture stays";
}

}  // namespace
}  // namespace norva::test
