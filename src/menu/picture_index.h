// The pictures of the menu's two image lists, by their index, as the window design numbers them. In the main
// list a page icon has four pictures (normal, pressed, and the two at night: + 2, + 3), a single picture its
// night one at + 1, and a two-state picture (under the mouse at + 1) its night pair at + 2 and + 3. In the
// controls list a button's picture is at its index, its hover picture at + kHoverOffset, the night set at
// + kNightSet.
#pragma once

namespace norva::menu::picture {

// The main list (DIBImageList1).
inline constexpr int kDemosIcon = 0;
inline constexpr int kSoftwareIcon = 4;
inline constexpr int kExtraIcon = 8;
inline constexpr int kUpdatesIcon = 12;
inline constexpr int kDriversIcon = 16;
inline constexpr int kInstalledIcon = 20;
inline constexpr int kShotsIcon = 28;
inline constexpr int kReadersIcon = 32;
inline constexpr int kBackground = 52;
inline constexpr int kPlayable = 54;
inline constexpr int kUnplayable = 56;
inline constexpr int kCZ = 58;
inline constexpr int k3D = 60;
inline constexpr int kNet = 62;
inline constexpr int kExitSpot = 64;
inline constexpr int kSetupSpot = 66;
inline constexpr int kIndigoSpot = 68;
inline constexpr int kUpperArrow = 70;
inline constexpr int kLowerArrow = 72;
inline constexpr int kHighlight = 74;
inline constexpr int kGalleryRight = 76;  // the gallery's pictures have no night ones
inline constexpr int kGalleryLeft = 77;
inline constexpr int kGalleryFrame = 78;
inline constexpr int kGalleryClose = 79;
inline constexpr int kDownArrow = 80;
inline constexpr int kUpArrow = 84;
inline constexpr int kQuickRun = 88;
inline constexpr int kCoverDown = 92;
inline constexpr int kCoverUp = 94;
inline constexpr int kSimpleBackground = 96;  // the pictures of the window without its border panel
inline constexpr int kSimpleCoverDown = 98;
inline constexpr int kSimpleCoverUp = 100;
inline constexpr int kTrailersIcon = 102;
inline constexpr int kQuillonIcon = 106;
inline constexpr int kSwitchOff = 110;
inline constexpr int kSwitchOn = 114;
inline constexpr int kEmptyFlag = 118;

// The offsets of the main list's variants.
inline constexpr int kNight = 1;        // of a single picture
inline constexpr int kSecondState = 1;  // of a two-state picture or a page icon
inline constexpr int kNightPair = 2;    // of a two-state picture or a page icon

// The controls list (ControlsImageList): the four action buttons.
inline constexpr int kReadmeButton = 6;
inline constexpr int kWebButton = 7;
inline constexpr int kPlayButton = 8;
inline constexpr int kUninstallButton = 9;
inline constexpr int kHoverOffset = 5;
inline constexpr int kNightSet = 15;

}  // namespace norva::menu::picture
