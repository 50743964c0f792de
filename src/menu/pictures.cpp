// The small picture, its cache and its hover fade.
#include "menu/pictures.h"

#include <algorithm>

#include "components/image_loader.h"
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
  auto& c = controls_;
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
  auto& c = controls_;
  // Page illustrations come in a day and a night variant.
  if (strings::UCase(std::string_view(name).substr(0, 3)) == "IKO")
    name += look_.NightMode == 1 ? "_IND" : "_GR";
  picture_state_.GalleryIndex = 1;
  std::string base = name;
  bool has_gallery = false;
  if (FileExists(files_.NorvaDir + name + "01.jpg")) {
    base = name + "01";
    has_gallery = true;
    if (picture_state_.PictureHover != 1) c.DIBImage4->opacity = kWithGalleryOpacity;
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

  const std::string thumb = files_.NorvaDir + "Small\\" + base + ".bmp";
  // A missing thumbnail of an item leaves the previous picture; a page illustration is loaded anyway, so
  // that its absence is reported.
  if (!FileExists(thumb) && strings::UCase(name).find("IKO") == std::string::npos) return has_gallery;
  const int slot = picture_state_.PictureCount >= 1 && picture_state_.PictureCount < kThumbnailSlots
                       ? picture_state_.PictureCount + 1
                       : 1;
  if (!LoadInto(slot, thumb)) return has_gallery;
  picture_state_.PictureCount = slot;
  c.DIBImageList2->SetDisplayName(slot, name);
  c.DIBImage4->image = slot;
  cache_[static_cast<std::size_t>(slot)] = name;
  // The cache is full: the next thumbnail overwrites slot 2, and so on.
  if (picture_state_.PictureCount >= kThumbnailSlots) picture_state_.PictureCount = 1;
  return has_gallery;
}

bool Pictures::ImageLoaded(const std::string& name) const {
  const int last = std::min(picture_state_.PictureCount, kThumbnailSlots);
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
  return services_.platform.files.FileExists(dos_path);
}

bool Pictures::LoadInto(int slot, const std::string& dos_path) {
  auto& files = services_.platform.files;
  std::string cause;
  const auto host_path = files.HostPath(dos_path);
  if (!host_path || !files.FileExists(dos_path)) {
    cause = "the file does not exist";
  } else if (auto* loader = image_loader_) {
    cause = loader->Load(*host_path).error;
  }
  if (!cause.empty()) {
    services_.host.ShowMessage(MessageKind::kError, look_.AppTitle,
                               "Cannot load the picture " + dos_path + ": " + cause, MessageButtons::kOk);
    return false;
  }
  controls_.DIBImageList2->ReplaceEntry(slot, *host_path);
  return true;
}

void Pictures::SetControlOpacity(components::ImageControl& image, int delta) {
  image.opacity = std::clamp(image.opacity + delta, 0, 255);
}

void Pictures::DIBImage4MouseEnter() {
  // Entering the picture leaves the buttons and texts around it.
  auto& c = controls_;
  effects_.ScreenImageMouseMove(*c.DIBImage4, 0, 0);
  if (!picture_state_.SmallPictureLoaded) return;
  picture_state_.PictureHover = 1;
  c.DIBTimer1->SetEnabled(true);
  c.DIBTimer2->SetEnabled(false);
}

void Pictures::DIBImage4MouseLeave() {
  if (!picture_state_.SmallPictureLoaded) return;
  auto& c = controls_;
  picture_state_.PictureHover = 0;
  c.DIBTimer1->SetEnabled(false);
  c.DIBTimer2->SetEnabled(true);
}

void Pictures::DIBImage4MouseMove(int x, int y) {
  effects_.MoveArrows(*controls_.DIBImage4, x, y);
}

void Pictures::DIBTimer1Timer() {
  auto& picture = *controls_.DIBImage4;
  if (picture.opacity != 255) SetControlOpacity(picture, kFadeStep);
}

void Pictures::DIBTimer2Timer() {
  auto& c = controls_;
  if (c.DIBImage4->opacity > kWithGalleryOpacity) {
    c.DIBImage4->opacity -= kFadeStep;
  } else {
    c.DIBTimer2->SetEnabled(false);
  }
}

}  // namespace norva::menu
