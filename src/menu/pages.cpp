#include "menu/pages.h"

#include <string>

#include "menu/detail_panel.h"
#include "menu/installed_page.h"
#include "menu/item_list.h"
#include "menu/main_form.h"
#include "menu/page_kinds.h"
#include "menu/page_screens.h"
#include "menu/pictures.h"
#include "menu/settings_page.h"
#include "menu/window_effects.h"

namespace norva::menu {
namespace {

constexpr int kSlots = 11;
constexpr std::uint32_t kSilver = 0xC0C0C0;
constexpr std::uint32_t kBlack = 0x000000;
constexpr int kPlaceholderFlag = 118;
constexpr const char* kFullGames = "PLN\xC9 HRY";

// Caption and first icon picture of a page kind that has an icon.
struct PageIcon {
  std::string caption;
  int image = 0;
};

bool IconOf(const MainForm& form, int kind, PageIcon& icon) {
  auto message = [&](int k) { return form.messages().LoadString(form.Language * 100 + k); };
  switch (kind) {
    case kPageDemos:
      icon = {message(2), 0};
      return true;
    case kPageExtra:
      icon = {message(4), 8};
      return true;
    case kPageShareware:
      icon = {message(3), 4};
      return true;
    case kPageDrivers:
      icon = {message(6), 16};
      return true;
    case kPageUpdates:
      icon = {message(5), 12};
      return true;
    case kPageReaders:
      icon = {"OD \xC8TEN\xC1\xD8U", 32};
      return true;
    case kPageShots:
      icon = {message(7), 28};
      return true;
    case kPageFilms:
      icon = {message(8), 102};
      return true;
    case kPageFulls:
      // Message 79 is empty in every language: a CD's full games go by the DVD's name for them.
      icon = {form.catalog().IsDVD == 1 ? kFullGames : message(79), 4};
      if (icon.caption.empty()) icon.caption = kFullGames;
      return true;
    case kPageExtra2:
      icon = {message(9), 28};
      return true;
    case kPageQuillon:
      icon = {"QUILLON", 106};
      return true;
    case kPageInstalled:
      icon = {message(1), 20};
      return true;
    default:
      return false;
  }
}

}  // namespace

void Pages::Wire() {
  auto& c = form_.controls();
  for (int n = 1; n <= kSlots; ++n) {
    c.DIBSection[n]->OnClick = [this, n] { MainButtonClick(n); };
    c.IconLabel[n]->OnClick = [this, n] { MainButtonClick(n); };
    components::Control* section = c.DIBSection[n];
    c.DIBSection[n]->OnMouseMove = [this, n, section](int x, int y) {
      // The tenth icon never moved the decorative arrows.
      if (n != 10) form_.effects().MoveArrows(*section, x, y);
      PressIcon(n);
    };
    components::Control* label = c.IconLabel[n];
    if (n == kSlots) {
      // The last caption shares the handler of its icon.
      c.IconLabel[n]->OnMouseMove = [this, label](int x, int y) {
        form_.effects().MoveArrows(*label, x, y);
        PressIcon(kSlots);
      };
    } else {
      c.IconLabel[n]->OnMouseMove = [this, label](int x, int y) { form_.effects().MoveArrows(*label, x, y); };
    }
  }
  c.IndigoSpot->OnClick = [this] { IndigoSpotClick(); };
}

void Pages::AddPage(int kind) {
  form_.PageIconCount += 1;
  const int n = form_.PageIconCount;
  PageIcon icon;
  if (n < static_cast<int>(form_.Pages.size())) form_.Pages[n] = {};
  if (!IconOf(form_, kind, icon)) return;
  auto& c = form_.controls();
  const int image = icon.image + (form_.NightMode == 1 ? 2 : 0);
  if (n <= kSlots) {
    c.DIBSection[n]->image = image;
    c.DIBSection[n]->tag = image;
    c.IconLabel[n]->caption = icon.caption;
  }
  if (n < static_cast<int>(form_.Pages.size()))
    form_.Pages[n] = {icon.caption, static_cast<std::uint8_t>(kind)};
  if (form_.Language != 1) {
    c.Flag_CZ->image = kPlaceholderFlag + form_.NightMode;
    c.Flag_CZ->visible = true;
  }
}

void Pages::LoadPages() {
  const catalog::Catalog& cat = form_.catalog();
  auto& c = form_.controls();
  const int night = form_.NightMode;
  const bool enhanced = form_.EnhancedSetting == 1;

  form_.PageIconCount = 0;
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
    c.DIBSection[n]->visible = n <= form_.PageIconCount;
    c.IconLabel[n]->visible = n <= form_.PageIconCount;
  }

  // Five icons fit in the column: it has nothing to scroll.
  if (form_.PageIconCount < 6) c.Down2->image = -1;
  c.DIBBackImage->image = night + (enhanced ? 52 : 96);

  ProcessPage();
  form_.HoverIcon = 0;
  PressIcon(form_.SelectedIcon);
  form_.item_list().HighLight(form_.ItemIndex - form_.TopIndex + 1);

  for (auto* arrow : {c.Down1, c.Down2}) {
    if (arrow->image != -1) arrow->image = 80 + 2 * night;
  }
  for (auto* arrow : {c.Up1, c.Up2}) {
    if (arrow->image != -1) arrow->image = 84 + 2 * night;
  }
  for (int n = 1; n <= 10; ++n) c.Play[n]->image = 88 + 2 * night;
  for (int n = 1; n <= kSlots; ++n) c.IconLabel[n]->color = night == 1 ? kBlack : kSilver;
  c.CoverDown->image = night + (enhanced ? 92 : 98);
  c.CoverUp->image = night + (enhanced ? 94 : 100);
  c.UpperArrow->image = night + 70;
  c.LowerArrow->image = night + 72;
  c.HighlightDIB->image = night + 74;

  ReloadPageScreenPictures();

  if (form_.Language != 1) {
    c.Flag_CZ->image = kPlaceholderFlag + night;
    c.Flag_CZ->visible = true;
  }
}

// The page illustrations and the settings switches have a picture for each colour scheme.
void Pages::ReloadPageScreenPictures() {
  auto load = [this](const char* name) {
    form_.SmallPictureLoaded = form_.pictures().LoadSmallPicture(name);
  };
  auto& c = form_.controls();
  switch (form_.PageKind) {
    case kPageShareware:
      load("iko04");
      break;
    case kPageDrivers:
      load("iko01");
      break;
    case kPageUpdates:
      load("iko02");
      break;
    case kPageReaders:
      load("iko06");
      form_.panel().FlagCZ(true);
      break;
    case kPageInstalled:
      load("iko08");
      break;
    case kPageQuillon:
      form_.panel().FlagCZ(true);
      form_.panel().PlayButton(true);
      break;
    case kPageSettings: {
      load("ikoUNI");
      const int settings[] = {form_.EnhancedSetting, form_.EffectsSetting, form_.MusicSetting};
      for (int n = 1; n <= 3; ++n)
        c.Play[n]->image = 2 * form_.NightMode + (settings[n - 1] == 1 ? 114 : 110);
      break;
    }
    default:
      break;
  }
}

void Pages::MainButtonClick(int slot) {
  if (slot < 1 || slot > form_.PageIconCount || slot >= static_cast<int>(form_.Pages.size())) return;
  const int kind = form_.Pages[slot].Kind;
  if (kind == form_.PageKind) return;
  form_.host().SetBusyCursor(false);
  const int old = form_.SelectedIcon;
  form_.SelectedIcon = slot;
  if (old != slot) UnpressIcon(old);
  PressIcon(slot);
  SelectPage(kind);
}

void Pages::SelectPage(int kind) {
  form_.SetOff();
  form_.item_list().Unbold();
  form_.ItemIndex = 1;
  form_.TopIndex = 1;
  PageScreens& screens = form_.page_screens();
  switch (kind) {
    case kPageDemos:
      screens.SetDemosPage();
      break;
    case kPageExtra:
      screens.SetExtraPage();
      break;
    case kPageShareware:
      screens.SetSharewarePage();
      break;
    case kPageDrivers:
      screens.SetDriversPage();
      break;
    case kPageUpdates:
      screens.SetUpdatesPage();
      break;
    case kPageReaders:
      screens.SetReadersPage();
      break;
    case kPageShots:
      screens.SetHotShotsPage();
      break;
    case kPageFilms:
      screens.SetFilmsPage();
      break;
    case kPageFulls:
      screens.SetFullsPage();
      break;
    case kPageExtra2:
      screens.SetExtra2Page();
      break;
    case kPageQuillon:
      screens.SetQuillonPage();
      break;
    case kPageSettings:
      form_.settings().SetSettingsPage();
      break;
    case kPageInstalled:
      form_.installed_page().SetInstalledPage();
      break;
    default:
      break;
  }
}

void Pages::PressIcon(int slot) {
  if (slot == form_.HoverIcon) return;
  UnpressIcon(form_.HoverIcon);
  if (slot >= 1 && slot <= kSlots) {
    auto* icon = form_.controls().DIBSection[slot];
    icon->image = icon->tag + 1;
  }
  form_.HoverIcon = slot;
}

void Pages::UnpressIcon(int slot) {
  if (slot == form_.SelectedIcon) return;
  if (slot >= 1 && slot <= kSlots) {
    auto* icon = form_.controls().DIBSection[slot];
    icon->image = icon->tag;
  }
  form_.HoverIcon = 0;
}

void Pages::ProcessPage() {
  const int kind = form_.PageKind;
  DetailPanel& panel = form_.panel();
  const int count = form_.item_list().AssignTempNumber(kind);
  if (kind != kPageQuillon && kind != kPageSettings && form_.ItemIndex < 1) {
    // End or Page Down on an empty page select item 0, which names no record: the panel stays empty.
    form_.SetOff();
  } else {
    switch (kind) {
      case kPageDemos:
        panel.SetDemos();
        break;
      case kPageExtra:
        panel.SetExtra();
        break;
      case kPageShareware:
        panel.SetShare();
        break;
      case kPageDrivers:
        panel.SetDrivers();
        break;
      case kPageUpdates:
        panel.SetUpdates();
        break;
      case kPageReaders:
        panel.SetReaders();
        break;
      case kPageShots:
        panel.SetShots();
        break;
      case kPageFilms:
        panel.SetFilms();
        break;
      case kPageFulls:
        panel.SetFulls();
        break;
      case kPageExtra2:
        panel.SetExtra2();
        break;
      case kPageInstalled:
        panel.SetInstalled();
        break;
      case kPageSettings:
        form_.settings().SetSettings();
        break;
      default:
        break;  // the diskmag and unknown kinds have no panel of their own
    }
  }
  panel.FollowPointer();
  auto& position = form_.controls().PositionLabel->caption;
  // " z " is the same in every language.
  position = count != 0 ? std::to_string(form_.ItemIndex) + " z " + std::to_string(count) : std::string();
}

void Pages::IndigoSpotClick() {
  form_.NightMode = form_.NightMode == 0 ? 1 : 0;
  form_.host().SetDialogLook({form_.Language, form_.NightMode});
  LoadPages();
}

}  // namespace norva::menu
