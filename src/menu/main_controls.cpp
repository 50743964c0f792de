// The main window's controls as the window design lays them out (left, top) width x height, in pixels.
//
// Window (818 x 742 with the border panel; the window mode shrinks it to the panel alone):
//   Image4          (0, 0) 818 x 741     border picture, BorderImageList 0
//   DIBContainer1   (85, 173) 638 x 482  the menu panel
//   ExitButton      (746, 182) 40 x 40   hot area on the border's close ornament, right of the panel's top
//   Animate1..10    (45, 104) 40 x 205 "AVI4", (0, 445) 85 x 88 "AVI5", (67, 655) 98 x 86 "AVI1",
//                   (603, 656) 121 x 41 "AVI3", (723, 495) 95 x 192 "AVI7", (723, 226) 95 x 211 "AVI6",
//                   (368, 55) 250 x 118 "AVI9", (636, 77) 144 x 96 "AVI10", (516, 687) 39 x 54 "AVI2",
//                   (0, 0) 314 x 173 "AVI8"
//   DIBFormShaper1  mask BorderImageList 1 ("Mask")
//
// Panel (638 x 482), bottom to top; "main" is DIBImageList1:
//   DIBBackImage        (0, 0) 638 x 482            main 52
//   DIBImage3           (16, 8) 180 x 36            logo, hidden (the window mode always hides it)
//   DIBImage5           (16, 436) 180 x 36          logo, hidden
//   Label1              (229, 428) 265 x 14         empty
//   PositionLabel       (76, 395) 127 x 16          under the list
//   DIBSection n        (552, T[n]) 50 x 50         T = 60, 127, 194, 261, 329, 400, 463, 530, 598, 666, 733;
//                                                   slots below the panel are scrolled into view
//   IconLabel n         (538, T[n] + 51) 80 x 14    centred, silver, hover white
//   CoverUp             (538, 0) 100 x 46           main 94
//   CoverDown           (523, 391) 115 x 91         main 92
//   Up2                 (567, 46) 20 x 14           empty (the column is at its top)
//   Down2               (567, 394) 20 x 14          main 80
//   HighlightDIB        (71, 63) 135 x 28           main 74
//   Play n              (55, 63 + 31(n-1)) 16 x 28  main 88, hidden
//   DemosLabel n        (76, R[n]) 127 x 16         R = 71, 102, 133, 164, 195, 226, 257, 288, 319, 349;
//                                                   "Square721 AT" 12 px, silver, hover black
//   Up1                 (189, 48) 16 x 14           empty (item 1 is selected)
//   Down1               (189, 375) 16 x 14          main 80
//   DIBImage4           (226, 64) 243 x 151         DIBImageList2, empty, opacity 150, not stretched
//   Label2              (229, 428) 265 x 16         one line under the description
//   Flag_Playable, Flag_Unplayable, Flag_CZ, Flag_Net, Flag_3D
//                       (295 / 332 / 367 / 402 / 439, 25) 32 x 32, main, empty
//   NameLabel           (229, 216) 225 x 16         Tahoma bold 13 px
//   FirmLabel           (229, 232) 225 x 16
//   DateLabel           (229, 258) 97 x 14          "Square721 AT" 11 px
//   HelpLabel           (396, 252) 123 x 14         right-aligned
//   TextLabel           (229, 279) 265 x 145        Tahoma 13 px, word-wrapped
//   ReadmeImage, WebImage, PlayImage, StopImage
//                       (459 / 476 / 493 / 510, 227) 14 x 13, ControlsImageList, empty, tag 0
//   LowerArrow          (8, 10) 24 x 20             main 72; its top follows the mouse
//   UpperArrow          (8, 375) 24 x 20            main 70; its top follows the mouse
//   SetupSpotImage, IndigoSpotImage
//                       under the spots, main 66 / 68, hidden
//   SetupSpot, IndigoSpot
//                       (33 / 66, 449) 33 x 33, hot areas without a picture
//   HelpLabel2          (105, 458) 110 x 16         spot names
//   CDNumberLabel       (229, 458) 60 x 16
//   DebugLabel1         (300, 458) 60 x 16          "Reload", hidden
//   DebugLabel2         (370, 458) 70 x 16          "Show ini", hidden
//   DIBImage1           (0, 0) 638 x 482            gallery frame, main 78, opacity 220, autosize, hidden
//   DIBImage2           (0, 0) 638 x 482            gallery picture, DIBImageList2, opacity 0, autosize,
//                                                   hidden
//   LeftArrow           (18, 206) 44 x 72           main 77, opacity 0, hidden
//   RightArrow          (577, 206) 44 x 72          main 76, opacity 0, hidden
//   GalleryClose        (577, 18) 44 x 44           main 79, opacity 0, hidden: closes the gallery
//   ExitSpotImage       (0, 449) 33 x 33            main 64, hidden
//   ExitSpot            (0, 449) 33 x 33            the exit spot's hot area, above the gallery
//
// Texts keep the normal text colour 0x2B322F, the help texts black until the start-up colours them; only
// the list rows, the icon captions and the debug labels fade under the mouse.
#include "menu/main_controls.h"

#include <string>

#include "menu/picture_index.h"

namespace norva::menu {

namespace {

using components::Alignment;
using components::Container;
using components::FadeLabel;
using components::ImageControl;
using components::ImageList;
using components::Rect;
using components::Window;

constexpr std::uint32_t kSilver = 0xC0C0C0;
constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kText = 0x2B322F;

constexpr int kIconTop[12] = {0, 60, 127, 194, 261, 329, 400, 463, 530, 598, 666, 733};
constexpr int kRowTop[11] = {0, 71, 102, 133, 164, 195, 226, 257, 288, 319, 349};

constexpr int kMainImageCount = 120;
constexpr int kControlsImageCount = 30;
constexpr int kThumbnailSlots = 101;

std::string Numbered(const char* base, int n) {
  return base + std::to_string(n);
}

// Names the main list's entries: `base` names the day picture at `index`; its night picture follows at + 1
// for single pictures, or at + 2 for pictures with a second (pressed or hovered) state at + 1.
void NamePictures(ImageList& list, int index, const std::string& base, int states) {
  const std::string second = states == 4 ? "_Down" : "_Hover";
  list.SetDisplayName(index, base);
  if (states == 1) {
    list.SetDisplayName(index + 1, base + "_Night");
    return;
  }
  list.SetDisplayName(index + 1, base + second);
  list.SetDisplayName(index + 2, base + "_Night");
  list.SetDisplayName(index + 3, base + second + "_Night");
}

void NameMainImages(ImageList& list) {
  struct Group {
    int index;
    const char* name;
    int states;  // 1 single picture, 2 two-state picture, 4 page icon (normal and pressed)
  };
  constexpr Group kGroups[] = {
      {picture::kDemosIcon, "Demos", 4},
      {picture::kSoftwareIcon, "Software", 4},
      {picture::kExtraIcon, "Extra", 4},
      {picture::kUpdatesIcon, "Updates", 4},
      {picture::kDriversIcon, "Drivers", 4},
      {picture::kInstalledIcon, "Installed", 4},
      {picture::kShotsIcon, "Shots", 4},
      {picture::kReadersIcon, "Readers", 4},
      {picture::kBackground, "Background", 1},
      {picture::kPlayable, "Playable", 1},
      {picture::kUnplayable, "Unplayable", 1},
      {picture::kCZ, "CZ", 1},
      {picture::k3D, "3D", 1},
      {picture::kNet, "Net", 1},
      {picture::kExitSpot, "Exit", 1},
      {picture::kSetupSpot, "Setting", 1},
      {picture::kIndigoSpot, "Indigo", 1},
      {picture::kUpperArrow, "UpperArrow", 1},
      {picture::kLowerArrow, "LowerArrow", 1},
      {picture::kHighlight, "Highlight", 1},
      {picture::kDownArrow, "Down_off", 2},
      {picture::kUpArrow, "Up_Off", 2},
      {picture::kQuickRun, "Menu_Play_off", 2},
      {picture::kCoverDown, "DN", 1},
      {picture::kCoverUp, "UP", 1},
      {picture::kSimpleBackground, "Wireless", 1},
      {picture::kSimpleCoverDown, "DN_Simple", 1},
      {picture::kSimpleCoverUp, "UP_Simple", 1},
      {picture::kTrailersIcon, "Trailers", 4},
      {picture::kQuillonIcon, "Quillon", 4},
      {picture::kSwitchOff, "Menu_Settings_Off", 2},
      {picture::kSwitchOn, "Menu_Settings_On", 2},
      {picture::kEmptyFlag, "Empy", 1},
  };
  for (const Group& group : kGroups) NamePictures(list, group.index, group.name, group.states);
  // The gallery's arrows and frame have no night pictures.
  list.SetDisplayName(picture::kGalleryRight, "Right");
  list.SetDisplayName(picture::kGalleryLeft, "Left");
  list.SetDisplayName(picture::kGalleryFrame, "big");
}

void NameControlsImages(ImageList& list) {
  constexpr const char* kButtons[] = {"Readme", "Web", "Play", "Uninstall"};
  for (int night = 0; night <= 1; ++night) {
    const std::string suffix = night == 1 ? "_Night" : "";
    for (int k = 0; k < 4; ++k) {
      list.SetDisplayName(picture::kNightSet * night + picture::kReadmeButton + k, kButtons[k] + suffix);
      list.SetDisplayName(picture::kNightSet * night + picture::kReadmeButton + picture::kHoverOffset + k,
                          std::string(kButtons[k]) + "_Hover" + suffix);
    }
  }
}

ImageControl& Image(Window& window, Container* owner, std::string name, Rect rect, ImageList* images,
                    int image, bool visible = true) {
  auto& control = window.Create<ImageControl>(owner, std::move(name), rect);
  control.images = images;
  control.image = image;
  control.visible = visible;
  return control;
}

struct LabelStyle {
  const char* font = "Tahoma";
  int size = 11;
  bool bold = false;
  std::uint32_t color = kText;
  std::uint32_t hover_color = kText;
  bool hover_fade = false;
  Alignment alignment = Alignment::Left;
  bool word_wrap = false;
};

FadeLabel& Label(Window& window, Container* owner, std::string name, Rect rect, const LabelStyle& style,
                 std::string caption = {}) {
  auto& label = window.Create<FadeLabel>(owner, std::move(name), rect);
  label.font.name = style.font;
  label.font.size = style.size;
  label.font.bold = style.bold;
  label.color = style.color;
  label.hover_color = style.hover_color;
  label.hover_fade = style.hover_fade;
  label.alignment = style.alignment;
  label.word_wrap = style.word_wrap;
  label.caption = std::move(caption);
  return label;
}

}  // namespace

MainControls::MainControls(Window& window) {
  window.width = kBorderWidth;
  window.height = kBorderHeight;

  DIBImageList1 = &window.CreateImageList("DIBImageList1", 0, 0, kMainImageCount);
  NameMainImages(*DIBImageList1);
  DIBImageList2 = &window.CreateImageList("DIBImageList2", 0, 0, kThumbnailSlots);
  ControlsImageList = &window.CreateImageList("ControlsImageList", 14, 13, kControlsImageCount);
  NameControlsImages(*ControlsImageList);
  BorderImageList = &window.CreateImageList("BorderImageList", 0, 0, 2);
  BorderImageList->SetDisplayName(0, "Border");
  BorderImageList->SetDisplayName(1, "Mask");
  ImageList* main = DIBImageList1;

  // The window: border, panel, border ornaments.
  Image4 = &Image(window, nullptr, "Image4", {0, 0, 818, 741}, BorderImageList, 0);
  DIBContainer1 =
      &window.Create<Container>(nullptr, "DIBContainer1", {kPanelLeft, kPanelTop, kPanelWidth, kPanelHeight});
  ExitButton = &Image(window, nullptr, "ExitButton", {746, 182, 40, 40}, nullptr, -1);
  constexpr Rect kAnimateRect[11] = {{},
                                     {45, 104, 40, 205},
                                     {0, 445, 85, 88},
                                     {67, 655, 98, 86},
                                     {603, 656, 121, 41},
                                     {723, 495, 95, 192},
                                     {723, 226, 95, 211},
                                     {368, 55, 250, 118},
                                     {636, 77, 144, 96},
                                     {516, 687, 39, 54},
                                     {0, 0, 314, 173}};
  Animate[0] = nullptr;
  for (int n = 1; n <= 10; ++n) {
    Animate[n] = &window.Create<components::Animation>(nullptr, Numbered("Animate", n), kAnimateRect[n]);
    Animate[n]->Open(kAnimateClip[static_cast<std::size_t>(n)], kClipFrames, kClipFrameMs);
  }
  DIBFormShaper1 = &window.CreateShaper("DIBFormShaper1", "Mask");

  Container* panel = DIBContainer1;
  DIBBackImage =
      &Image(window, panel, "DIBBackImage", {0, 0, kPanelWidth, kPanelHeight}, main, picture::kBackground);
  DIBImage3 = &Image(window, panel, "DIBImage3", {16, 8, 180, 36}, nullptr, -1, false);
  DIBImage5 = &Image(window, panel, "DIBImage5", {16, 436, 180, 36}, nullptr, -1, false);
  Label1 = &Label(window, panel, "Label1", {229, 428, 265, 14}, {});
  PositionLabel =
      &Label(window, panel, "PositionLabel", {76, 395, 127, 16}, {.color = kBlack, .hover_color = kBlack});

  // The page-icon column, framed by the two covers and their arrows.
  DIBSection[0] = nullptr;
  IconLabel[0] = nullptr;
  const LabelStyle icon_caption{.bold = true,
                                .color = kSilver,
                                .hover_color = kWhite,
                                .hover_fade = true,
                                .alignment = Alignment::Center};
  for (int n = 1; n <= 11; ++n) {
    DIBSection[n] = &Image(window, panel, Numbered("DIBSection", n), {552, kIconTop[n], 50, 50}, main, -1);
    IconLabel[n] =
        &Label(window, panel, Numbered("IconLabel", n), {538, kIconTop[n] + 51, 80, 14}, icon_caption);
  }
  CoverUp = &Image(window, panel, "CoverUp", {538, 0, 100, 46}, main, picture::kCoverUp);
  CoverDown = &Image(window, panel, "CoverDown", {523, 391, 115, 91}, main, picture::kCoverDown);
  Up2 = &Image(window, panel, "Up2", {567, 46, 20, 14}, main, -1);
  Down2 = &Image(window, panel, "Down2", {567, 394, 20, 14}, main, picture::kDownArrow);

  // The item list.
  HighlightDIB = &Image(window, panel, "HighlightDIB", {71, 63, 135, 28}, main, picture::kHighlight);
  Play[0] = nullptr;
  DemosLabel[0] = nullptr;
  for (int n = 1; n <= 10; ++n) {
    Play[n] = &Image(window, panel, Numbered("Play", n), {55, 63 + 31 * (n - 1), 16, 28}, main,
                     picture::kQuickRun, false);
  }
  const LabelStyle row{
      .font = "Square721 AT", .size = 12, .color = kSilver, .hover_color = kBlack, .hover_fade = true};
  for (int n = 1; n <= 10; ++n) {
    DemosLabel[n] = &Label(window, panel, Numbered("DemosLabel", n), {76, kRowTop[n], 127, 16}, row);
  }
  Up1 = &Image(window, panel, "Up1", {189, 48, 16, 14}, main, -1);
  Down1 = &Image(window, panel, "Down1", {189, 375, 16, 14}, main, picture::kDownArrow);

  // The detail panel.
  DIBImage4 = &Image(window, panel, "DIBImage4", {226, 64, 243, 151}, DIBImageList2, -1);
  DIBImage4->opacity = 150;
  Label2 = &Label(window, panel, "Label2", {229, 428, 265, 16}, {});
  Flag_Playable = &Image(window, panel, "Flag_Playable", {295, 25, 32, 32}, main, -1);
  Flag_Unplayable = &Image(window, panel, "Flag_Unplayable", {332, 25, 32, 32}, main, -1);
  Flag_CZ = &Image(window, panel, "Flag_CZ", {367, 25, 32, 32}, main, -1);
  Flag_Net = &Image(window, panel, "Flag_Net", {402, 25, 32, 32}, main, -1);
  Flag_3D = &Image(window, panel, "Flag_3D", {439, 25, 32, 32}, main, -1);
  NameLabel = &Label(window, panel, "NameLabel", {229, 216, 225, 16}, {.size = 13, .bold = true});
  FirmLabel = &Label(window, panel, "FirmLabel", {229, 232, 225, 16}, {});
  // The picture's frame ends right above the title, the title right above the firm, a rule above the help.
  NameLabel->room_for_accents = true;
  FirmLabel->room_for_accents = true;
  DateLabel = &Label(window, panel, "DateLabel", {229, 258, 97, 14}, {.font = "Square721 AT"});
  HelpLabel = &Label(window, panel, "HelpLabel", {396, 252, 123, 14},
                     {.color = kBlack, .hover_color = kBlack, .alignment = Alignment::Right});
  HelpLabel->room_for_accents = true;
  TextLabel = &Label(window, panel, "TextLabel", {229, 279, 265, 145}, {.size = 13, .word_wrap = true});
  auto button = [&](const char* name, int left) {
    auto& made = window.Create<PictureButton>(panel, name, {left, 227, 14, 13});
    made.images = ControlsImageList;
    return &made;
  };
  ReadmeImage = button("ReadmeImage", 459);
  WebImage = button("WebImage", 476);
  PlayImage = button("PlayImage", 493);
  StopImage = button("StopImage", 510);

  // Window effects.
  LowerArrow = &Image(window, panel, "LowerArrow", {8, 10, 24, 20}, main, picture::kLowerArrow);
  UpperArrow = &Image(window, panel, "UpperArrow", {8, 375, 24, 20}, main, picture::kUpperArrow);
  SetupSpotImage =
      &Image(window, panel, "SetupSpotImage", {33, 449, 33, 33}, main, picture::kSetupSpot, false);
  IndigoSpotImage =
      &Image(window, panel, "IndigoSpotImage", {66, 449, 33, 33}, main, picture::kIndigoSpot, false);
  SetupSpot = &Image(window, panel, "SetupSpot", {33, 449, 33, 33}, nullptr, -1);
  IndigoSpot = &Image(window, panel, "IndigoSpot", {66, 449, 33, 33}, nullptr, -1);
  HelpLabel2 =
      &Label(window, panel, "HelpLabel2", {105, 458, 110, 16}, {.color = kBlack, .hover_color = kBlack});
  CDNumberLabel = &Label(window, panel, "CDNumberLabel", {229, 458, 60, 16}, {});
  const LabelStyle debug{.color = kSilver, .hover_color = kWhite, .hover_fade = true};
  DebugLabel1 = &Label(window, panel, "DebugLabel1", {300, 458, 60, 16}, debug, "Reload");
  DebugLabel2 = &Label(window, panel, "DebugLabel2", {370, 458, 70, 16}, debug, "Show ini");
  DebugLabel1->visible = false;
  DebugLabel2->visible = false;

  // The gallery covers the whole panel while it is open.
  DIBImage1 = &Image(window, panel, "DIBImage1", {0, 0, kPanelWidth, kPanelHeight}, main,
                     picture::kGalleryFrame, false);
  DIBImage1->opacity = 220;
  DIBImage1->auto_size = true;
  DIBImage2 = &Image(window, panel, "DIBImage2", {0, 0, kPanelWidth, kPanelHeight}, DIBImageList2, -1, false);
  DIBImage2->opacity = 0;
  DIBImage2->auto_size = true;
  LeftArrow = &Image(window, panel, "LeftArrow", {18, 206, 44, 72}, main, picture::kGalleryLeft, false);
  RightArrow = &Image(window, panel, "RightArrow", {577, 206, 44, 72}, main, picture::kGalleryRight, false);
  LeftArrow->opacity = 0;
  RightArrow->opacity = 0;
  GalleryClose =
      &Image(window, panel, "GalleryClose", {577, 18, 44, 44}, main, picture::kGalleryClose, false);
  GalleryClose->opacity = 0;
  // The exit spot stays above the open gallery, so that the menu can be left from there too.
  ExitSpotImage = &Image(window, panel, "ExitSpotImage", {0, 449, 33, 33}, main, picture::kExitSpot, false);
  ExitSpot = &Image(window, panel, "ExitSpot", {0, 449, 33, 33}, nullptr, -1);

  StartTimer = &window.CreateTimer("StartTimer", 5000);
  AnimationTimer = &window.CreateTimer("AnimationTimer", 300);
  ScrollDownTimer = &window.CreateTimer("ScrollDownTimer", 10);
  ScrollUpTimer = &window.CreateTimer("ScrollUpTimer", 10);
  DIBTimer1 = &window.CreateTimer("DIBTimer1", 50);
  DIBTimer2 = &window.CreateTimer("DIBTimer2", 50);
  DIBTimer3 = &window.CreateTimer("DIBTimer3", 10);
  DIBTimer4 = &window.CreateTimer("DIBTimer4", 10);
  MusicTimer = &window.CreateTimer("MusicTimer", 5000);
  Timer1 = &window.CreateTimer("Timer1", 3000);
}

}  // namespace norva::menu
