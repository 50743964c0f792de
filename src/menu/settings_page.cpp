#include "menu/settings_page.h"

#include "menu/item_list.h"
#include "menu/main_form.h"
#include "menu/music.h"
#include "menu/page_kinds.h"
#include "menu/pages.h"
#include "menu/pictures.h"
#include "menu/window_effects.h"

namespace norva::menu {
namespace {

constexpr int kRows = 3;
constexpr int kSwitchOff = 110;
constexpr int kSwitchOn = 114;
constexpr int kNarrowScreen = 800;
// Descriptions of the rows, and the two status lines (message numbers).
constexpr int kDescriptions[kRows + 1] = {0, 94, 95, 77};
constexpr int kStatusDisabled = 92;
constexpr int kStatusEnabled = 93;
constexpr const char* kStoreKeys[kRows + 1] = {nullptr, "Enhanced", "Slow", "Music"};

}  // namespace

void SettingsPage::Wire() {
  auto& c = form_.controls();
  c.SetupSpot->OnClick = [this] { SetupSpotClick(); };
  // Only the Settings page's rows are switches; what the icons do elsewhere is the quick run's business.
  for (int n = 1; n <= kRows; ++n) {
    c.Play[n]->OnClick = [this, n] {
      if (form_.PageKind == kPageSettings) SwitchRow(form_.TopIndex + n - 1);
    };
    c.Play[n]->OnMouseEnter = [this, n] {
      if (form_.PageKind == kPageSettings) form_.controls().Play[n]->image = SwitchImage(n, true);
    };
    c.Play[n]->OnMouseLeave = [this, n] {
      if (form_.PageKind == kPageSettings) form_.controls().Play[n]->image = SwitchImage(n, false);
    };
  }
}

std::int32_t* SettingsPage::Setting(int row) const {
  switch (row) {
    case 1:
      return &form_.EnhancedSetting;
    case 2:
      return &form_.EffectsSetting;
    case 3:
      return &form_.MusicSetting;
    default:
      return nullptr;
  }
}

int SettingsPage::SwitchImage(int row, bool hover) const {
  const std::int32_t* setting = Setting(row);
  const int base = setting != nullptr && *setting == 1 ? kSwitchOn : kSwitchOff;
  return base + (hover ? 1 : 0) + 2 * form_.NightMode;
}

void SettingsPage::SetSettingsPage() {
  auto& c = form_.controls();
  // The Settings page has no icon in the column: the page icon shown pressed is released.
  const int old_icon = form_.SelectedIcon;
  form_.SelectedIcon = 0;
  form_.pages().UnpressIcon(old_icon);
  form_.PageKind = kPageSettings;
  form_.SetOff();
  form_.item_list().HideQuickBars();
  form_.ItemIndex = 1;
  form_.TopIndex = 1;
  c.DIBImage4->visible = false;
  c.TextLabel->caption.clear();
  form_.item_list().FillList();
  form_.pages().ProcessPage();
  for (int n = 1; n <= kRows; ++n) {
    c.Play[n]->image = SwitchImage(n, false);
    c.Play[n]->visible = true;
  }
  form_.SmallPictureLoaded = form_.pictures().LoadSmallPicture("ikoUNI");
}

void SettingsPage::SetSettings() {
  const int row = form_.ItemIndex;
  const std::int32_t* setting = Setting(row);
  if (setting == nullptr) return;
  auto& c = form_.controls();
  const auto message = [this](int k) { return form_.messages().LoadString(form_.Language * 100 + k); };
  c.TextLabel->caption = message(kDescriptions[row]);
  c.NameLabel->caption = message(*setting == 1 ? kStatusEnabled : kStatusDisabled);
}

void SettingsPage::SwitchRow(int row) {
  std::int32_t* setting = Setting(row);
  if (setting == nullptr) return;
  *setting = *setting == 1 ? 0 : 1;
  // The rows differ in what they apply and in when they store; the highlight bar stays where it is.
  const auto store = [&] {
    // A store that cannot be written still leaves the setting changed for this run.
    if (form_.StoreIni) form_.StoreIni->WriteInteger("Main", kStoreKeys[row], *setting);
  };
  switch (row) {
    case 1:
      store();
      form_.effects().SwitchMode();
      form_.ItemIndex = 1;
      SetSettings();
      break;
    case 2:
      form_.ItemIndex = 2;
      SetSettings();
      store();
      break;
    case 3:
      form_.ItemIndex = 3;
      SetSettings();
      if (*setting == 1) {
        form_.music().LoadMusic();
        form_.music().PlayMusic();
      } else {
        form_.music().StopMusic();
      }
      store();
      break;
  }
  form_.controls().Play[row]->image = SwitchImage(row, true);
}

void SettingsPage::SetupSpotClick() {
  SetSettingsPage();
}

void SettingsPage::ApplyScreenRule() {
  if (form_.host().Screen().width <= kNarrowScreen) form_.EnhancedSetting = 0;
}

}  // namespace norva::menu
