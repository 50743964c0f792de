#include "menu/pages.h"

#include <string>

#include "menu/detail_panel.h"
#include "menu/installed_page.h"
#include "menu/item_list.h"
#include "menu/page_icons.h"
#include "menu/page_screens.h"
#include "menu/picture_index.h"
#include "menu/pictures.h"
#include "menu/settings_page.h"
#include "menu/window_effects.h"

namespace norva::menu {
namespace {

constexpr int kSlots = 11;
constexpr std::uint32_t kSilver = 0xC0C0C0;
constexpr std::uint32_t kBlack = 0x000000;

// Caption and first icon picture of a page kind that has an icon.
struct PageIcon {
  std::string caption;
  int image = 0;
};

bool IconOf(const strings::Messages& messages, int language, const catalog::Catalog& catalog, int kind,
            PageIcon& icon) {
  const PageKindInfo* page = PageKindOf(kind);
  if (page == nullptr || page->icon_picture < 0) return false;
  const bool fixed = page->icon_message == 0 || (page->icon_caption_on_dvd && catalog.IsDVD == 1);
  icon.caption = fixed ? std::string() : messages.LoadString(language * 100 + page->icon_message);
  if (icon.caption.empty() && page->icon_caption != nullptr) icon.caption = page->icon_caption;
  icon.image = page->icon_picture;
  return true;
}

}  // namespace

void Pages::Wire() {
  auto& c = controls_;
  for (int n = 1; n <= kSlots; ++n) {
    c.DIBSection[n]->OnClick = [this, n] { MainButtonClick(n); };
    c.IconLabel[n]->OnClick = [this, n] { MainButtonClick(n); };
    components::Control* section = c.DIBSection[n];
    c.DIBSection[n]->OnMouseMove = [this, n, section](int x, int y) {
      // The tenth icon never moved the decorative arrows.
      if (n != 10) parts_.effects.MoveArrows(*section, x, y);
      parts_.icons.PressIcon(n);
    };
    components::Control* label = c.IconLabel[n];
    if (n == kSlots) {
      // The last caption shares the handler of its icon.
      c.IconLabel[n]->OnMouseMove = [this, label](int x, int y) {
        parts_.effects.MoveArrows(*label, x, y);
        parts_.icons.PressIcon(kSlots);
      };
    } else {
      c.IconLabel[n]->OnMouseMove = [this, label](int x, int y) { parts_.effects.MoveArrows(*label, x, y); };
    }
  }
  c.IndigoSpot->OnClick = [this] { IndigoSpotClick(); };
}

void Pages::AddPage(int kind) {
  selection_.PageIconCount += 1;
  const int n = selection_.PageIconCount;
  PageIcon icon;
  if (n < static_cast<int>(selection_.Pages.size())) selection_.Pages[n] = {};
  if (!IconOf(services_.messages, look_.Language, data_.catalog, kind, icon)) return;
  auto& c = controls_;
  const int image = icon.image + (look_.NightMode == 1 ? picture::kNightPair : 0);
  if (n <= kSlots) {
    c.DIBSection[n]->image = image;
    c.DIBSection[n]->tag = image;
    c.IconLabel[n]->caption = icon.caption;
  }
  if (n < static_cast<int>(selection_.Pages.size()))
    selection_.Pages[n] = {icon.caption, static_cast<std::uint8_t>(kind)};
  if (look_.Language != 1) {
    c.Flag_CZ->image = picture::kEmptyFlag + look_.NightMode;
    c.Flag_CZ->visible = true;
  }
}

void Pages::LoadPages() {
  const catalog::Catalog& cat = data_.catalog;
  auto& c = controls_;
  const int night = look_.NightMode;
  const bool enhanced = settings_.EnhancedSetting == 1;

  selection_.PageIconCount = 0;
  if (cat.DemoCount > 0) AddPage(kPageDemos);
  if (cat.FullCount > 0) AddPage(kPageFulls);
  if (cat.MovieCount > 0) AddPage(kPageFilms);
  if (cat.ShotCount > 0) AddPage(kPageShots);
  if (cat.ExtraCount > 0) AddPage(kPageExtra);
  if (cat.ShareCount > 0) AddPage(kPageShareware);
  // The diskmag comes with the readers' programs: both hang on the same count.
  if (cat.ReaderCount > 0) {
    AddPage(kPageQuillon);
    AddPage(kPageReaders);
  }
  if (cat.UpdateCount > 0) AddPage(kPageUpdates);
  if (cat.DriverCount > 0) AddPage(kPageDrivers);
  AddPage(kPageInstalled);
  // Empty slots would keep whatever they showed before; they are hidden instead.
  for (int n = 1; n <= kSlots; ++n) {
    c.DIBSection[n]->visible = n <= selection_.PageIconCount;
    c.IconLabel[n]->visible = n <= selection_.PageIconCount;
  }

  // Five icons fit in the column: it has nothing to scroll.
  if (selection_.PageIconCount < 6) c.Down2->image = -1;
  c.DIBBackImage->image = night + (enhanced ? picture::kBackground : picture::kSimpleBackground);

  parts_.panel.ProcessPage();
  selection_.HoverIcon = 0;
  parts_.icons.PressIcon(selection_.SelectedIcon);
  parts_.list.HighLight(selection_.ItemIndex - selection_.TopIndex + 1);

  for (auto* arrow : {c.Down1, c.Down2}) {
    if (arrow->image != -1) arrow->image = picture::kDownArrow + picture::kNightPair * night;
  }
  for (auto* arrow : {c.Up1, c.Up2}) {
    if (arrow->image != -1) arrow->image = picture::kUpArrow + picture::kNightPair * night;
  }
  for (int n = 1; n <= 10; ++n) c.Play[n]->image = picture::kQuickRun + picture::kNightPair * night;
  for (int n = 1; n <= kSlots; ++n) c.IconLabel[n]->color = night == 1 ? kBlack : kSilver;
  c.CoverDown->image = night + (enhanced ? picture::kCoverDown : picture::kSimpleCoverDown);
  c.CoverUp->image = night + (enhanced ? picture::kCoverUp : picture::kSimpleCoverUp);
  c.UpperArrow->image = night + picture::kUpperArrow;
  c.LowerArrow->image = night + picture::kLowerArrow;
  c.HighlightDIB->image = night + picture::kHighlight;

  ReloadPageScreenPictures();

  if (look_.Language != 1) {
    c.Flag_CZ->image = picture::kEmptyFlag + night;
    c.Flag_CZ->visible = true;
  }
}

// The page illustrations and the settings switches have a picture for each colour scheme.
void Pages::ReloadPageScreenPictures() {
  const PageKindInfo* page = PageKindOf(selection_.PageKind);
  if (page == nullptr) return;
  if (page->page_picture != nullptr)
    picture_state_.SmallPictureLoaded = parts_.pictures.LoadSmallPicture(page->page_picture);
  if (page->cz_flag) parts_.panel.FlagCZ(true);
  if (page->scheme_play) parts_.panel.PlayButton(true);
  if (page->settings_switches) {
    for (int n = 1; n <= 3; ++n) controls_.Play[n]->image = parts_.settings_page.SwitchImage(n, false);
  }
}

void Pages::MainButtonClick(int slot) {
  if (slot < 1 || slot > selection_.PageIconCount || slot >= static_cast<int>(selection_.Pages.size()))
    return;
  const int kind = selection_.Pages[slot].Kind;
  if (kind == selection_.PageKind) return;
  services_.host.SetBusyCursor(false);
  const int old = selection_.SelectedIcon;
  selection_.SelectedIcon = slot;
  if (old != slot) parts_.icons.UnpressIcon(old);
  parts_.icons.PressIcon(slot);
  SelectPage(kind);
}

void Pages::SelectPage(int kind) {
  parts_.panel.SetOff();
  parts_.list.Unbold();
  selection_.ItemIndex = 1;
  selection_.TopIndex = 1;
  const PageKindInfo* page = PageKindOf(kind);
  if (page != nullptr && page->screen != nullptr) (parts_.screens.*(page->screen))();
}

void Pages::IndigoSpotClick() {
  look_.NightMode = look_.NightMode == 0 ? 1 : 0;
  services_.host.SetDialogLook({look_.Language, look_.NightMode});
  LoadPages();
}

}  // namespace norva::menu
