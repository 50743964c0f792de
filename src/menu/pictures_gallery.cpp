// The gallery: full-size pictures over the whole panel, stepped with the arrows, faded in and out.
#include "menu/main_form.h"
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

template <typename Array>
std::string PictureAt(const Array& records, int index) {
  if (index < 1 || static_cast<std::size_t>(index) >= records.size()) return {};
  return records[static_cast<std::size_t>(index)].Picture;
}

}  // namespace

std::string Pictures::SelectedPictureName() const {
  const auto& data = form_.catalog();
  const int index = form_.ItemIndex;
  switch (form_.PageKind) {
    case kPageDemos:
      return PictureAt(data.Demo, index);
    case kPageExtra:
      return PictureAt(data.Extra, index);
    case kPageDrivers:
      return PictureAt(data.Driver, index);
    case kPageShots:
      return PictureAt(data.Shot, index);
    case kPageFilms:
      return PictureAt(data.Movie, index);
    case kPageFulls:
      return PictureAt(data.Full, index);
    case kPageExtra2:
      return PictureAt(data.Extra2, index);
    default:
      return {};
  }
}

std::string Pictures::GalleryFile(const std::string& name, int number, const char* extension) const {
  return form_.NorvaDir + name + Number(number) + extension;
}

bool Pictures::NextPicture(const std::string& name) {
  return FileExists(GalleryFile(name, form_.GalleryIndex + 1, ".JPG"));
}

bool Pictures::PrevPicture(const std::string& name) {
  return FileExists(GalleryFile(name, form_.GalleryIndex - 1, ".JPG"));
}

bool Pictures::GalleryShown() const {
  return form_.controls().DIBImage2->visible;
}

void Pictures::ShowGalleryPicture() {
  form_.controls().DIBImage2->image = kGallerySlot;
}

void Pictures::DIBImage4Click() {
  const std::string name = SelectedPictureName();
  if (name.empty() || !FileExists(GalleryFile(name, 1, ".jpg"))) return;
  auto& c = form_.controls();
  // A first picture that cannot be decoded leaves the gallery closed (after the error box), arrows included.
  if (!LoadInto(kGallerySlot, GalleryFile(name, 1, ".jpg"))) return;
  form_.GalleryIndex = 1;
  c.LeftArrow->visible = false;
  c.RightArrow->visible = NextPicture(name);
  c.GalleryClose->visible = true;
  ShowGalleryPicture();
  c.DIBTimer3->SetEnabled(true);
  if (form_.EnhancedSetting == 1) {
    c.DIBImage1->visible = true;
    c.DIBImage1->auto_size = true;
    if (form_.EffectsSetting == 0) c.DIBImage1->opacity = 255;
  }
  c.DIBImage2->visible = true;
  c.DIBImage2->auto_size = true;
}

void Pictures::DIBTimer3Timer() {
  auto& c = form_.controls();
  if (form_.EffectsSetting == 1 && c.DIBImage2->opacity != 255) {
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
  auto& c = form_.controls();
  if (c.DIBTimer3->enabled() || c.DIBTimer4->enabled()) return;
  c.DIBTimer4->SetEnabled(true);
}

void Pictures::DIBTimer4Timer() {
  auto& c = form_.controls();
  if (c.DIBTimer3->enabled()) return;  // the open fade finishes first
  if (form_.EffectsSetting == 1 && c.DIBImage2->opacity > 0) {
    for (auto* image : {c.DIBImage2, c.LeftArrow, c.RightArrow, c.GalleryClose})
      SetControlOpacity(*image, -kGalleryFadeStep);
    return;
  }
  c.DIBTimer4->SetEnabled(false);
  for (auto* image : {c.DIBImage2, c.DIBImage1, c.LeftArrow, c.RightArrow, c.GalleryClose})
    image->visible = false;
}

void Pictures::RightArrowClick() {
  if (form_.controls().DIBImage2->opacity < kSteppingOpacity) return;
  const std::string name = SelectedPictureName();
  if (name.empty()) return;
  auto& c = form_.controls();
  const std::string next = GalleryFile(name, form_.GalleryIndex + 1, ".jpg");
  // A picture that cannot be decoded is reported and the gallery stays where it was.
  if (FileExists(next) && LoadInto(kGallerySlot, next)) {
    ++form_.GalleryIndex;
    ShowGalleryPicture();
    c.LeftArrow->visible = true;
  }
  c.RightArrow->visible = NextPicture(name);
}

void Pictures::LeftArrowClick() {
  if (form_.controls().DIBImage2->opacity < kSteppingOpacity) return;
  const std::string name = SelectedPictureName();
  if (name.empty()) return;
  auto& c = form_.controls();
  const std::string previous = GalleryFile(name, form_.GalleryIndex - 1, ".jpg");
  if (FileExists(previous) && LoadInto(kGallerySlot, previous)) {
    --form_.GalleryIndex;
    ShowGalleryPicture();
    c.RightArrow->visible = true;
  }
  c.LeftArrow->visible = PrevPicture(name);
}

}  // namespace norva::menu
