// The small picture, its cache and its hover fade.
#include "menu/pictures.h"

#include <algorithm>

#include "components/image_loader.h"
#include "menu/main_form.h"
#include "menu/page_kinds.h"
#include "menu/window_effects.h"
#include "strings/ucase.h"

namespace norva::menu {
namespace {

constexpr int kWithGalleryOpacity = 150;  // half transparent: the picture opens a gallery
constexpr int kNoGalleryOpacity = 240;
constexpr int kFadeStep = 10;

}  // namespace

void Pictures::Wire() {
  auto& c = form_.controls();
  c.DIBImage4->OnMouseEnter = [this] { DIBImage4MouseEnter(); };
  c.DIBImage4->OnMouseLeave = [this] { DIBImage4MouseLeave(); };
  c.DIBImage4->OnMouseMove = [this](int x, int y) { DIBImage4MouseMove(x, y); };
  c.DIBImage4->OnClick = [this] { DIBImage4Click(); };
  c.RightArrow->OnClick = [this] { RightArrowClick(); };
  c.LeftArrow->OnClick = [this] { LeftArrowClick(); };
  c.DIBImage1->OnMouseDown = [this](components::MouseButton button, int, int) { DIBImage1MouseDown(button); };
  c.DIBImage2->OnMouseDown = [this](components::MouseButton button, int, int) { DIBImage1MouseDown(button); };
  c.GalleryClose->OnMouseDown = [this](components::MouseButton button, int, int) {
    DIBImage1MouseDown(button);
  };
  c.GalleryClose->OnClick = [this] { CloseGallery(); };
  c.DIBTimer1->OnTimer = [this] { DIBTimer1Timer(); };
  c.DIBTimer2->OnTimer = [this] { DIBTimer2Timer(); };
  c.DIBTimer3->OnTimer = [this] { DIBTimer3Timer(); };
  c.DIBTimer4->OnTimer = [this] { DIBTimer4Timer(); };
}

bool Pictures::LoadSmallPicture(std::string name) {
  if (name == "NUL") return false;
  auto& c = form_.controls();
  // Page illustrations come in a day and a night variant.
  if (strings::UCase(std::string_view(name).substr(0, 3)) == "IKO")
    name += form_.NightMode == 1 ? "_IND" : "_GR";
  form_.GalleryIndex = 1;
  std::string base = name;
  bool has_gallery = false;
  if (FileExists(form_.NorvaDir + name + "01.jpg")) {
    base = name + "01";
    has_gallery = true;
    if (form_.PictureHover != 1) c.DIBImage4->opacity = kWithGalleryOpacity;
  } else {
    c.DIBImage4->opacity = kNoGalleryOpacity;
  }
  c.DIBImage4->visible = true;
  c.DIBImage4->stretch = false;

  if (ImageLoaded(name)) {
    for (int entry = 1; entry <= kThumbnailSlots; ++entry) {
      if (cache_[static_cast<std::size_t>(entry)] == name) c.DIBImage4->image = entry;
    }
    return has_gallery;
  }

  const std::string thumb = form_.NorvaDir + "Small\\" + base + ".bmp";
  // A missing thumbnail of an item leaves the previous picture; a page illustration is loaded anyway, so
  // that its absence is reported.
  if (!FileExists(thumb) && strings::UCase(name).find("IKO") == std::string::npos) return has_gallery;
  const int slot =
      form_.PictureCount >= 1 && form_.PictureCount < kThumbnailSlots ? form_.PictureCount + 1 : 1;
  if (!LoadInto(slot, thumb)) return has_gallery;
  form_.PictureCount = slot;
  c.DIBImageList2->SetDisplayName(slot, name);
  c.DIBImage4->image = slot;
  cache_[static_cast<std::size_t>(slot)] = name;
  // The cache is full: the next thumbnail overwrites slot 2, and so on.
  if (form_.PictureCount >= kThumbnailSlots) form_.PictureCount = 1;
  return has_gallery;
}

bool Pictures::ImageLoaded(const std::string& name) const {
  const int last = std::min(form_.PictureCount, kThumbnailSlots);
  for (int entry = 1; entry <= last; ++entry) {
    if (cache_[static_cast<std::size_t>(entry)] == name) return true;
  }
  return false;
}

const std::string& Pictures::CachedName(int entry) const {
  static const std::string kNone;
  if (entry < 1 || entry > kThumbnailSlots) return kNone;
  return cache_[static_cast<std::size_t>(entry)];
}

bool Pictures::FileExists(const std::string& dos_path) const {
  return form_.platform().files.FileExists(dos_path);
}

bool Pictures::LoadInto(int slot, const std::string& dos_path) {
  auto& files = form_.platform().files;
  std::string cause;
  const auto host_path = files.HostPath(dos_path);
  if (!host_path || !files.FileExists(dos_path)) {
    cause = "the file does not exist";
  } else if (auto* loader = form_.image_loader()) {
    cause = loader->Load(*host_path).error;
  }
  if (!cause.empty()) {
    form_.host().ShowMessage(MessageKind::kError, form_.AppTitle,
                             "Cannot load the picture " + dos_path + ": " + cause, MessageButtons::kOk);
    return false;
  }
  form_.controls().DIBImageList2->ReplaceEntry(slot, *host_path);
  return true;
}

void Pictures::SetControlOpacity(components::ImageControl& image, int delta) {
  image.opacity = std::clamp(image.opacity + delta, 0, 255);
}

void Pictures::DIBImage4MouseEnter() {
  // Entering the picture leaves the buttons and texts around it.
  auto& c = form_.controls();
  form_.effects().ScreenImageMouseMove(*c.DIBImage4, 0, 0);
  if (!form_.SmallPictureLoaded) return;
  form_.PictureHover = 1;
  c.DIBTimer1->SetEnabled(true);
  c.DIBTimer2->SetEnabled(false);
}

void Pictures::DIBImage4MouseLeave() {
  if (!form_.SmallPictureLoaded) return;
  auto& c = form_.controls();
  form_.PictureHover = 0;
  c.DIBTimer1->SetEnabled(false);
  c.DIBTimer2->SetEnabled(true);
}

void Pictures::DIBImage4MouseMove(int x, int y) {
  form_.effects().MoveArrows(*form_.controls().DIBImage4, x, y);
}

void Pictures::DIBTimer1Timer() {
  auto& picture = *form_.controls().DIBImage4;
  if (picture.opacity != 255) SetControlOpacity(picture, kFadeStep);
}

void Pictures::DIBTimer2Timer() {
  auto& c = form_.controls();
  if (c.DIBImage4->opacity > kWithGalleryOpacity) {
    c.DIBImage4->opacity -= kFadeStep;
  } else {
    c.DIBTimer2->SetEnabled(false);
  }
}

}  // namespace norva::menu
