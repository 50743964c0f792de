#include "components/image_list.h"

#include <gtest/gtest.h>

#include "components/image_control.h"

namespace norva::components {
namespace {

TEST(ImageListTest, ReplacingAnEntryRecordsItsFileAndBumpsOnlyItsGeneration) {
  ImageList list("DIBImageList2", 0, 0, 101);
  EXPECT_TRUE(list.ReplaceEntry(100, "/disc/NORVA/game01.jpg"));
  EXPECT_TRUE(list.ReplaceEntry(100, "/disc/NORVA/game02.jpg"));
  EXPECT_EQ(list.Generation(100), 2u);
  EXPECT_EQ(list.SourceFile(100), "/disc/NORVA/game02.jpg");
  EXPECT_EQ(list.Generation(99), 0u);
  EXPECT_EQ(list.SourceFile(99), "");
  // Outside the list nothing is recorded and nothing breaks.
  EXPECT_FALSE(list.ReplaceEntry(101, "x.bmp"));
  EXPECT_FALSE(list.ReplaceEntry(-1, "x.bmp"));
  list.SetDisplayName(101, "lost");
  EXPECT_EQ(list.DisplayName(101), "");
  list.SetDisplayName(7, "iko01_GR");
  EXPECT_EQ(list.DisplayName(7), "iko01_GR");
}

TEST(ImageListTest, ImageControlShowsOnlyEntriesOfItsList) {
  ImageList list("Controls", 14, 13, 30);
  ImageControl button("PlayImage");
  EXPECT_FALSE(button.ShowsPicture());
  button.images = &list;
  button.image = 8;
  EXPECT_TRUE(button.ShowsPicture());
  button.image = -1;
  EXPECT_FALSE(button.ShowsPicture());
  button.image = 30;
  EXPECT_FALSE(button.ShowsPicture());
}

}  // namespace
}  // namespace norva::components
