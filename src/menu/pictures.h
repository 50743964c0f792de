// The item's small picture (thumbnail or page illustration) with its hover fade, the thumbnail cache, and the
// gallery of full-size pictures that opens over the whole panel with its arrows and fades.
//
// Files live in the disc's menu folder (`NorvaDir`): the gallery pictures name01.jpg, name02.jpg, ...,
// name10.jpg; the thumbnails Small\name01.bmp (an item with a gallery) or Small\name.bmp. Pictures are
// decoded through the front end's image loader; a file it cannot decode is reported in an error box.
#pragma once

#include <array>
#include <string>

#include "components/image_loader.h"
#include "components/input.h"
#include "menu/main_controls.h"
#include "menu/menu_services.h"
#include "menu/menu_state.h"
#include "menu/page_kinds.h"

namespace norva::components {
class ImageControl;
}

namespace norva::menu {

class WindowEffects;

class Pictures {
 public:
  // Slots of the thumbnail list: 1..99 thumbnails, 100 the gallery picture shown.
  static constexpr int kThumbnailSlots = 99;
  static constexpr int kGallerySlot = 100;

  // All are the form's and outlive this object.
  Pictures(Services services, MainControls& controls, const Appearance& look, const Selection& selection,
           const Settings& settings, const MenuFiles& files, PageData data, PictureState& state,
           WindowEffects& effects)
      : services_(services),
        controls_(controls),
        look_(look),
        selection_(selection),
        settings_(settings),
        files_(files),
        data_(data),
        picture_state_(state),
        effects_(effects) {}

  // The front end's picture decoder; not owned, must outlive the form. Null: pictures are only checked for
  // being there, not decoded.
  void SetImageLoader(components::ImageLoader* loader) { image_loader_ = loader; }
  components::ImageLoader* image_loader() const { return image_loader_; }

  // Assigns the mouse handlers of the small picture, the gallery and its arrows, and the four fade timers.
  void Wire();

  // Shows the thumbnail of `name` (an item's Picture or a page illustration such as "iko01") in the small
  // picture; true when the name has a gallery. "NUL" shows nothing. Sets `GalleryIndex` to 1.
  bool LoadSmallPicture(std::string name);
  // True when one of the cache entries 1..`PictureCount` holds `name`.
  bool ImageLoaded(const std::string& name) const;

  // The small picture's hover fade (only while `SmallPictureLoaded`).
  void DIBImage4MouseEnter();
  void DIBImage4MouseLeave();
  void DIBImage4MouseMove(int x, int y);
  // Opens the gallery of the selected item.
  void DIBImage4Click();
  // Next / previous gallery picture; also the Right and Left keys and the wheel while the gallery is shown.
  void RightArrowClick();
  void LeftArrowClick();
  // Whether the gallery picture after / before `GalleryIndex` exists.
  bool NextPicture(const std::string& name);
  bool PrevPicture(const std::string& name);
  // A right-button press on the gallery picture or its frame starts closing it.
  void DIBImage1MouseDown(components::MouseButton button);
  // Starts the close fade unless it or the open fade is running.
  void CloseGallery();
  // True while the gallery picture is on screen.
  bool GalleryShown() const;

  // opacity = clamp(opacity + delta, 0, 255).
  static void SetControlOpacity(components::ImageControl& image, int delta);

  // The timer ticks: hover fade in and out (50 ms), gallery open and close (10 ms).
  void DIBTimer1Timer();
  void DIBTimer2Timer();
  void DIBTimer3Timer();
  void DIBTimer4Timer();

  // The name held by cache entry 1..99 ("" when unused), for the state dump and tests.
  const std::string& CachedName(int entry) const;

 private:
  // The Picture of the selected item on the pages that have galleries; "" elsewhere.
  std::string SelectedPictureName() const;
  std::string GalleryFile(const std::string& name, int number, const char* extension) const;
  // Decodes the disc file and puts it into `slot` of the thumbnail list; false after the error box.
  bool LoadInto(int slot, const std::string& dos_path);
  bool FileExists(const std::string& dos_path) const;
  void ShowGalleryPicture();

  Services services_;
  MainControls& controls_;
  const Appearance& look_;
  const Selection& selection_;
  const Settings& settings_;
  const MenuFiles& files_;
  PageData data_;
  PictureState& picture_state_;
  WindowEffects& effects_;
  components::ImageLoader* image_loader_ = nullptr;
  std::array<std::string, kThumbnailSlots + 1> cache_{};  // entry n pairs a name with slot n (1..99)
};

}  // namespace norva::menu
