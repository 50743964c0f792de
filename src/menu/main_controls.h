// The main window's controls, image lists, shaper and timers as the window design has them, with a typed
// pointer for each under its design name, so that the menu's code reads like the design (`DemosLabel[3]`,
// `PlayImage`, `DIBSection[7]`). Numbered controls are arrays indexed from 1; element 0 is null.
//
// Creating a MainControls fills the window once: positions, sizes, pictures, fonts and colours as the design
// sets them, every timer disabled. No handler is wired here. The window owns everything; the pointers stay
// valid for the window's lifetime.
#pragma once

#include <array>

#include "components/animation.h"
#include "components/container.h"
#include "components/fade_label.h"
#include "components/image_control.h"
#include "components/image_list.h"
#include "components/picture_button.h"
#include "components/shaper.h"
#include "components/timer.h"
#include "components/window.h"

namespace norva::menu {

struct MainControls {
  // Fills `window` (which must be empty of these names) and sets it to the design's size, 818 × 742.
  explicit MainControls(components::Window& window);

  using ImageControl = components::ImageControl;
  using FadeLabel = components::FadeLabel;
  using PictureButton = components::PictureButton;

  // Sizes of the design.
  static constexpr int kBorderWidth = 818;
  static constexpr int kBorderHeight = 742;
  static constexpr int kPanelWidth = 638;
  static constexpr int kPanelHeight = 482;
  static constexpr int kPanelLeft = 85;  // the panel's place inside the border
  static constexpr int kPanelTop = 173;

  // The clip of each border animation (clip n is the artwork "AVIn"), and the clips' length.
  static constexpr std::array<int, 11> kAnimateClip = {0, 4, 5, 1, 3, 7, 6, 9, 10, 2, 8};
  static constexpr int kClipFrames = 16;
  static constexpr int kClipFrameMs = 125;

  // Image lists.
  components::ImageList* DIBImageList1;  // the main image list: every picture of the window, day and night
  components::ImageList* DIBImageList2;  // thumbnail cache: slots 1..99 thumbnails, 100 the gallery picture
  components::ImageList* ControlsImageList;  // 14 × 13 action-button pictures, night set at +15
  components::ImageList* BorderImageList;    // 0 the border picture, 1 its mask

  // On the window itself.
  ImageControl* Image4;                  // the border picture
  components::Container* DIBContainer1;  // the menu panel
  ImageControl* ExitButton;              // hot area on the border's close ornament
  components::Animation* Animate[11];    // 1..10, the border animations
  components::Shaper* DIBFormShaper1;    // cuts the window to the border's mask

  // In the panel: background, logos, page-icon column.
  ImageControl* DIBBackImage;
  ImageControl* DIBImage3;       // logo, hidden by the window mode
  ImageControl* DIBImage5;       // logo, hidden by the window mode
  ImageControl* DIBSection[12];  // 1..11
  FadeLabel* IconLabel[12];      // 1..11
  ImageControl* CoverUp;
  ImageControl* CoverDown;
  ImageControl* Up2;
  ImageControl* Down2;

  // The item list.
  ImageControl* HighlightDIB;
  ImageControl* Play[11];     // 1..10, quick-run icons
  FadeLabel* DemosLabel[11];  // 1..10, the rows
  ImageControl* Up1;
  ImageControl* Down1;
  FadeLabel* PositionLabel;

  // The detail panel.
  ImageControl* DIBImage4;  // the small picture
  FadeLabel* Label1;
  FadeLabel* Label2;  // the trailers' codec note
  ImageControl* Flag_Playable;
  ImageControl* Flag_Unplayable;
  ImageControl* Flag_CZ;
  ImageControl* Flag_Net;
  ImageControl* Flag_3D;
  FadeLabel* NameLabel;
  FadeLabel* FirmLabel;
  FadeLabel* DateLabel;
  FadeLabel* HelpLabel;
  FadeLabel* TextLabel;
  PictureButton* ReadmeImage;
  PictureButton* WebImage;
  PictureButton* PlayImage;
  PictureButton* StopImage;  // Uninstall

  // Window effects: decorative arrows, the three corner spots and their indicators, texts at the bottom.
  ImageControl* LowerArrow;
  ImageControl* UpperArrow;
  ImageControl* ExitSpotImage;
  ImageControl* SetupSpotImage;
  ImageControl* IndigoSpotImage;
  ImageControl* ExitSpot;
  ImageControl* SetupSpot;
  ImageControl* IndigoSpot;
  FadeLabel* HelpLabel2;
  FadeLabel* CDNumberLabel;
  FadeLabel* DebugLabel1;  // "Reload"
  FadeLabel* DebugLabel2;  // "Show ini"

  // The gallery, over the whole panel.
  ImageControl* DIBImage1;  // frame
  ImageControl* DIBImage2;  // picture
  ImageControl* LeftArrow;
  ImageControl* RightArrow;
  ImageControl* GalleryClose;  // the gallery's visible way back to the menu

  // Timers, all disabled at creation.
  components::Timer* StartTimer;
  components::Timer* AnimationTimer;
  components::Timer* ScrollDownTimer;
  components::Timer* ScrollUpTimer;
  components::Timer* DIBTimer1;
  components::Timer* DIBTimer2;
  components::Timer* DIBTimer3;
  components::Timer* DIBTimer4;
  components::Timer* MusicTimer;
  components::Timer* Timer1;
};

}  // namespace norva::menu
