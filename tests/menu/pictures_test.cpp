// Thumbnails, their cache and hover fade, and the gallery with its arrows and fades, on real picture files.
#include <gtest/gtest.h>

#include "headless/test_pictures.h"
#include "menu/page_kinds.h"
#include "menu/panel_test_form.h"
#include "menu/pictures.h"

namespace norva::menu {
namespace {

using test::MakeBmp24;
using test::MakeJpeg;
using test::PanelTestForm;

const std::string kCatalog = "[Main]\r\nCD=0206\r\nVersion=0\r\n";

// A disc whose demo 1 has the gallery "shot" of `pictures` JPEG files and its thumbnail.
class GalleryTest : public ::testing::Test {
 protected:
  void Start(int pictures, int hour = 12) {
    for (int n = 1; n <= pictures; ++n) {
      disc_.disc().Write("Norva/shot" + std::string(n < 10 ? "0" : "") + std::to_string(n) + ".jpg",
                         MakeJpeg(40 + n, 30));
    }
    disc_.disc().Write("Norva/Small/shot01.bmp", MakeBmp24(4, 3));
    disc_.Start(hour);
    // The catalog has no items, so the start opened the Installed page, whose illustration this disc lacks.
    disc_.host().messages.clear();
    form().catalog().Demo[1].Name = "SHOT";
    form().catalog().Demo[1].Picture = "shot";
    form().catalog().Extra2[1] = form().catalog().Demo[1];
    disc_.Select(kPageDemos, 1);
  }
  MainForm& form() { return disc_.form(); }
  MainControls& c() { return form().controls(); }
  void Tick(int ms) { disc_.clock().Advance(ms); }
  void Open() {
    form().pictures().DIBImage4Click();
    Tick(100);
  }
  void Right() { form().pictures().RightArrowClick(); }
  void Left() { form().pictures().LeftArrowClick(); }

  PanelTestForm disc_{kCatalog};
};

TEST_F(GalleryTest, TwelvePicturesSteppedBothWays) {
  Start(12);
  Open();
  ASSERT_TRUE(c().DIBImage2->visible);
  EXPECT_EQ(c().DIBImage2->image, Pictures::kGallerySlot);
  EXPECT_FALSE(c().LeftArrow->visible);
  EXPECT_TRUE(c().RightArrow->visible);
  auto shown = [&] { return c().DIBImageList2->SourceFile(Pictures::kGallerySlot); };
  EXPECT_NE(shown().find("shot01.jpg"), std::string::npos);

  for (int i = 0; i < 8; ++i) Right();
  EXPECT_EQ(form().picture_state().GalleryIndex, 9);
  Right();
  EXPECT_EQ(form().picture_state().GalleryIndex, 10);
  EXPECT_NE(shown().find("shot10.jpg"), std::string::npos) << "plain decimal from 10 on";
  EXPECT_TRUE(c().LeftArrow->visible);
  Right();
  Right();
  EXPECT_EQ(form().picture_state().GalleryIndex, 12);
  EXPECT_FALSE(c().RightArrow->visible);
  Right();
  EXPECT_EQ(form().picture_state().GalleryIndex, 12) << "nothing after the last";
  Left();
  Left();
  EXPECT_EQ(form().picture_state().GalleryIndex, 10);
  EXPECT_TRUE(c().LeftArrow->visible) << "picture 09 exists";
  EXPECT_TRUE(c().RightArrow->visible);
  for (int i = 0; i < 12; ++i) Left();
  EXPECT_EQ(form().picture_state().GalleryIndex, 1);
  EXPECT_FALSE(c().LeftArrow->visible);

  // Extra2 steps like every other page.
  form().selection().PageKind = kPageExtra2;
  Right();
  EXPECT_EQ(form().picture_state().GalleryIndex, 2);
}

TEST_F(GalleryTest, OpenFadeTakesSevenTicksAndArrowsWaitForIt) {
  Start(3);
  form().settings().EffectsSetting = 1;
  form().pictures().DIBImage4Click();
  std::vector<int> opacities;
  for (int tick = 0; tick < 8; ++tick) {
    if (tick == 1) {
      Right();  // still fading in: refused
      EXPECT_EQ(form().picture_state().GalleryIndex, 1);
    }
    opacities.push_back(c().DIBImage2->opacity);
    Tick(10);
  }
  EXPECT_EQ(opacities, (std::vector<int>{0, 40, 80, 120, 160, 200, 240, 255}));
  EXPECT_EQ(c().RightArrow->opacity, 255);
  EXPECT_FALSE(c().DIBTimer3->enabled());
  EXPECT_TRUE(c().DIBImage1->visible) << "the frame with the border panel on";

  // A right press starts closing; it takes seven ticks down and hides everything on the next.
  form().pictures().DIBImage1MouseDown(components::MouseButton::Left);
  EXPECT_FALSE(c().DIBTimer4->enabled());
  form().pictures().DIBImage1MouseDown(components::MouseButton::Right);
  Tick(70);
  EXPECT_EQ(c().DIBImage2->opacity, 0);
  EXPECT_TRUE(c().DIBImage2->visible);
  Tick(10);
  EXPECT_FALSE(c().DIBImage2->visible);
  EXPECT_FALSE(c().DIBImage1->visible);
  EXPECT_FALSE(c().RightArrow->visible);
  EXPECT_FALSE(c().DIBTimer4->enabled());
}

TEST_F(GalleryTest, EffectsOffAppearsAndClosesAtOnceAndCloseWaitsForOpen) {
  Start(1);
  form().settings().EffectsSetting = 0;
  form().settings().EnhancedSetting = 0;
  form().pictures().DIBImage4Click();
  form().pictures().CloseGallery();
  EXPECT_FALSE(c().DIBTimer4->enabled()) << "not while the open fade runs";
  Tick(10);
  EXPECT_EQ(c().DIBImage2->opacity, 255);
  EXPECT_FALSE(c().RightArrow->visible) << "a single picture has no arrows";
  EXPECT_FALSE(c().LeftArrow->visible);
  EXPECT_FALSE(c().DIBImage1->visible) << "no frame without the border panel";
  // The way out is on screen, and the exit spot still answers over the picture.
  EXPECT_TRUE(c().GalleryClose->visible);
  EXPECT_EQ(c().GalleryClose->opacity, 255);
  const auto spot = disc_.Centre(*c().ExitSpot);
  EXPECT_EQ(form().window().HitTest(spot.x, spot.y), c().ExitSpot);
  const auto close = disc_.Centre(*c().GalleryClose);
  form().window().MouseMove(close.x, close.y);
  form().window().MouseDown(components::MouseButton::Left, close.x, close.y);
  form().window().MouseUp(components::MouseButton::Left, close.x, close.y);
  Tick(10);
  EXPECT_FALSE(c().DIBImage2->visible);
  EXPECT_FALSE(c().GalleryClose->visible);
}

TEST_F(GalleryTest, BrokenGalleryPicturesAreReportedAndChangeNothing) {
  Start(3);
  disc_.disc().Write("Norva/shot02.jpg", MakeJpeg(40, 30).substr(0, 200));
  disc_.disc().Write("Norva/shot01.jpg", "not a picture");
  form().pictures().DIBImage4Click();
  ASSERT_EQ(disc_.host().messages.size(), 1u);
  EXPECT_EQ(disc_.host().messages[0].kind, MessageKind::kError);
  EXPECT_NE(disc_.host().messages[0].text.find("shot01.jpg"), std::string::npos);
  EXPECT_FALSE(c().DIBImage2->visible);
  EXPECT_FALSE(c().RightArrow->visible) << "no invisible arrow left over the page icons";

  disc_.disc().Write("Norva/shot01.jpg", MakeJpeg(40, 30));
  Open();
  ASSERT_TRUE(c().DIBImage2->visible);
  Right();
  EXPECT_EQ(disc_.host().messages.size(), 2u);
  EXPECT_EQ(form().picture_state().GalleryIndex, 1) << "the broken picture is not stepped onto";
  EXPECT_NE(c().DIBImageList2->SourceFile(Pictures::kGallerySlot).find("shot01.jpg"), std::string::npos);
}

TEST_F(GalleryTest, HoverFadeOfTheSmallPicture) {
  Start(2);
  form().picture_state().SmallPictureLoaded = form().pictures().LoadSmallPicture("shot");
  ASSERT_TRUE(form().picture_state().SmallPictureLoaded);
  EXPECT_EQ(c().DIBImage4->opacity, 150);
  form().pictures().DIBImage4MouseEnter();
  EXPECT_EQ(form().picture_state().PictureHover, 1);
  Tick(50 * 11);
  EXPECT_EQ(c().DIBImage4->opacity, 255);
  // Reloading under the pointer keeps it opaque.
  form().pictures().LoadSmallPicture("shot");
  EXPECT_EQ(c().DIBImage4->opacity, 255);
  form().pictures().DIBImage4MouseLeave();
  Tick(50 * 11);
  EXPECT_EQ(c().DIBImage4->opacity, 145);
  Tick(50);
  EXPECT_FALSE(c().DIBTimer2->enabled());

  // Without a gallery the picture stays at 240 and ignores the pointer.
  disc_.disc().Write("Norva/Small/plain.bmp", MakeBmp24(2, 2));
  form().picture_state().SmallPictureLoaded = form().pictures().LoadSmallPicture("plain");
  EXPECT_FALSE(form().picture_state().SmallPictureLoaded);
  EXPECT_EQ(c().DIBImage4->opacity, 240);
  form().pictures().DIBImage4MouseEnter();
  Tick(200);
  EXPECT_EQ(c().DIBImage4->opacity, 240);
  form().catalog().Demo[1].Picture = "plain";
  form().pictures().DIBImage4Click();
  EXPECT_FALSE(c().DIBImage2->visible);
}

TEST_F(GalleryTest, ThumbnailCacheAndPageIllustrations) {
  Start(1, 22);  // night
  auto& pictures = form().pictures();
  disc_.disc().Write("Norva/Small/iko01_IND.bmp", MakeBmp24(3, 3));
  const int before = form().picture_state().PictureCount;
  EXPECT_FALSE(pictures.LoadSmallPicture("iko01"));
  const int slot = c().DIBImage4->image;
  EXPECT_EQ(form().picture_state().PictureCount, before + 1);
  EXPECT_EQ(c().DIBImageList2->DisplayName(slot), "iko01_IND");
  EXPECT_TRUE(pictures.ImageLoaded("iko01_IND"));

  // Loaded again from the cache, without a new slot.
  EXPECT_TRUE(pictures.LoadSmallPicture("shot"));
  EXPECT_FALSE(pictures.LoadSmallPicture("iko01"));
  EXPECT_EQ(c().DIBImage4->image, slot);
  EXPECT_EQ(form().picture_state().PictureCount, before + 2);

  // A missing item thumbnail leaves the previous picture quietly; a missing illustration is an error.
  disc_.host().messages.clear();
  pictures.LoadSmallPicture("nothumb");
  EXPECT_EQ(c().DIBImage4->image, slot);
  EXPECT_TRUE(disc_.host().messages.empty());
  pictures.LoadSmallPicture("ikoNONE");
  EXPECT_EQ(c().DIBImage4->image, slot);
  ASSERT_EQ(disc_.host().messages.size(), 1u);
  EXPECT_NE(disc_.host().messages[0].text.find("ikoNONE_IND.bmp"), std::string::npos);
  // A broken thumbnail is an error too.
  disc_.disc().Write("Norva/Small/bad.bmp", "BM broken");
  pictures.LoadSmallPicture("bad");
  EXPECT_EQ(disc_.host().messages.size(), 2u);
  EXPECT_EQ(c().DIBImage4->image, slot);
  EXPECT_FALSE(pictures.LoadSmallPicture("NUL"));
}

TEST_F(GalleryTest, TheHundredthThumbnailReusesSlotTwo) {
  Start(0);
  form().picture_state().PictureCount = 0;
  for (int n = 1; n <= 100; ++n) {
    const std::string name = "t" + std::to_string(n);
    disc_.disc().Write("Norva/Small/" + name + ".bmp", MakeBmp24(1, 1));
    form().pictures().LoadSmallPicture(name);
    if (n == 99) {
      EXPECT_EQ(c().DIBImage4->image, 99);
      EXPECT_EQ(form().picture_state().PictureCount, 1) << "the count restarts once the cache is full";
    }
  }
  EXPECT_EQ(c().DIBImage4->image, 2);
  EXPECT_EQ(form().picture_state().PictureCount, 2);
  EXPECT_EQ(c().DIBImageList2->DisplayName(2), "t100");
  EXPECT_NE(c().DIBImageList2->SourceFile(2).find("t100.bmp"), std::string::npos);
  EXPECT_EQ(c().DIBImageList2->SourceFile(Pictures::kGallerySlot), "")
      << "the gallery slot is never a thumbnail";
  // t1 stays in slot 1 but is beyond the count now: ImageLoaded looks at entries 1..2 only.
  EXPECT_TRUE(form().pictures().ImageLoaded("t1"));
  EXPECT_FALSE(form().pictures().ImageLoaded("t50"));
}

}  // namespace
}  // namespace norva::menu
