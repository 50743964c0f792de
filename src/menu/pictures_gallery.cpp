// The gallery: full-size pictures over the whole panel, stepped with the arrows, faded in and out.
#include "menu/page_kinds.h"
#include "menu/pictures.h"

namespace norva::menu {
namespace {

constexpr int kGalleryFadeStep = 40;
// Below this the picture is still fading in and the arrows do not step.
constexpr int kSteppingOpacity = 100;

// Gallery numbers: two digits for 1..9, plain decimal from 10 on.
std::string Number(int n) {
  return n < 10 ? "0" + std::to_string(n) : std::to_string(n);
}

}  // namespace

std::string Pictures::SelectedPictureName() const {
  return PageItemPicture(data_, selection_.PageKind, selection_.ItemIndex);
}

std::string Pictures::GalleryFile(const std::string& name, int number, const char* extension) const {
  return files_.NorvaDir + name + Number(number) + extension;
}

bool Pictures::NextPicture(const std::string& name) {
  return FileExists(GalleryFile(name, picture_state_.GalleryIndex + 1, ".JPG"));
}

bool Pictures::PrevPicture(const std::string& name) {
  return FileExists(GalleryFile(name, picture_state_.GalleryIndex - 1, ".JPG"));
}

bool Pictures::GalleryShown() const {
  return controls_.DIBImage2->visible;
}

void Pictures::ShowGalleryPicture() {
  controls_.DIBImage2->image = kGallerySlot;
}

void Pictures::DIBImage4Click() {
  const std::string name = SelectedPictureName();
  if (name.empty() || !FileExists(GalleryFile(name, 1, ".jpg"))) return;
  auto& c = controls_;
  // A first picture that cannot be decoded leaves the gallery closed (after the error box), arrows included.
  if (!LoadInto(kGallerySlot, GalleryFile(name, 1, ".jpg"))) return;
  picture_state_.GalleryIndex = 1;
  c.LeftArrow->visible = false;
  c.RightArrow->visible = NextPicture(name);
  c.GalleryClose->visible = true;
  ShowGalleryPicture();
  c.DIBTimer3->SetEnabled(true);
  if (settings_.EnhancedSetting == 1) {
    c.DIBImage1->visible = true;
    c.DIBImage1->auto_size = true;
    if (settings_.EffectsSetting == 0) c.DIBImage1->opacity = 255;
  }
  c.DIBImage2->visible = true;
  c.DIBImage2->auto_size = true;
}

void Pictures::DIBTimer3Timer() {
  auto& c = controls_;
  if (settings_.EffectsSetting == 1 && c.DIBImage2->opacity != 255) {
    for (auto* image : {c.DIBImage2, c.LeftArrow, c.RightArrow, c.GalleryClose})
      SetControlOpacity(*image, kGalleryFadeStep);
    if (c.DIBImage2->opacity != 255) return;
  } else {
    for (auto* image : {c.DIBImage2, c.LeftArrow, c.RightArrow, c.GalleryClose}) image->opacity = 255;
  }
  c.DIBTimer3->SetEnabled(false);
}

void Pictures::DIBImage1MouseDown(components::MouseButton button) {
  if (button == components::MouseButton::Right) CloseGallery();
}

void Pictures::CloseGallery() {
  auto& c = controls_;
  if (c.DIBTimer3->enabled() || c.DIBTimer4->enabled()) return;
  c.DIBTimer4->SetEnabled(true);
}

void Pictures::DIBTimer4Timer() {
  auto& c = controls_;
  if (c.DIBTimer3->enabled()) return;  // the open fade finishes first
  if (settings_.EffectsSetting == 1 && c.DIBImage2->opacity > 0) {
    for (auto* image : {c.DIBImage2, c.LeftArrow, c.RightArrow, c.GalleryClose})
      SetControlOpacity(*image, -kGalleryFadeStep);
    return;
  }
  c.DIBTimer4->SetEnabled(false);
  for (auto* image : {c.DIBImage2, c.DIBImage1, c.LeftArrow, c.RightArrow, c.GalleryClose})
    image->visible = false;
}

void Pictures::RightArrowClick() {
  if (controls_.DIBImage2->opacity < kSteppingOpacity) return;
  const std::string name = SelectedPictureName();
  if (name.empty()) return;
  auto& c = controls_;
  const std::string next = GalleryFile(name, picture_state_.GalleryIndex + 1, ".jpg");
  // A picture that cannot be decoded is reported and the gallery stays where it was.
  if (FileExists(next) && LoadInto(kGallerySlot, next)) {
    ++picture_state_.GalleryIndex;
    ShowGalleryPicture();
    c.LeftArrow->visible = true;
  }
  c.RightArrow->visible = NextPicture(name);
}

void Pictures::LeftArrowClick() {
  if (controls_.DIBImage2->opacity < kSteppingOpacity) return;
  const std::string name = SelectedPictureName();
  if (name.empty()) return;
  auto& c = controls_;
  const std::string previous = GalleryFile(name, picture_state_.GalleryIndex - 1, ".jpg");
  if (FileExists(previous) && LoadInto(kGallerySlot, previous)) {
    --picture_state_.GalleryIndex;
    ShowGalleryPicture();
    c.RightArrow->visible = true;
  }
  c.LeftArrow->visible = PrevPicture(name);
}

}  // namespace norva::menu
