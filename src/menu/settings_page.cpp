#include "menu/settings_page.h"

#include "menu/item_list.h"
#include "menu/music.h"
#include "menu/page_icons.h"
#include "menu/page_kinds.h"
#include "menu/page_view.h"
#include "menu/picture_index.h"
#include "menu/pictures.h"
#include "menu/window_effects.h"

namespace norva::menu {
namespace {

constexpr int kRows = 3;
constexpr int kNarrowScreen = 800;
// Descriptions of the rows, and the two status lines (message numbers).
constexpr int kDescriptions[kRows + 1] = {0, 94, 95, 77};
constexpr int kStatusDisabled = 92;
constexpr int kStatusEnabled = 93;
constexpr const char* kStoreKeys[kRows + 1] = {nullptr, "Enhanced", "Slow", "Music"};

}  // namespace

void SettingsPage::Wire() {
  auto& c = controls_;
  c.SetupSpot->OnClick = [this] { SetupSpotClick(); };
  // Only the Settings page's rows are switches; what the icons do elsewhere is the quick run's business.
  for (int n = 1; n <= kRows; ++n) {
    c.Play[n]->OnClick = [this, n] {
      if (selection_.PageKind == kPageSettings) SwitchRow(selection_.TopIndex + n - 1);
    };
    c.Play[n]->OnMouseEnter = [this, n] {
      if (selection_.PageKind == kPageSettings) controls_.Play[n]->image = SwitchImage(n, true);
    };
    c.Play[n]->OnMouseLeave = [this, n] {
      if (selection_.PageKind == kPageSettings) controls_.Play[n]->image = SwitchImage(n, false);
    };
  }
}

std::int32_t* SettingsPage::Setting(int row) const {
  switch (row) {
    case 1:
      return &settings_.EnhancedSetting;
    case 2:
      return &settings_.EffectsSetting;
    case 3:
      return &settings_.MusicSetting;
    default:
      return nullptr;
  }
}

int SettingsPage::SwitchImage(int row, bool hover) const {
  const std::int32_t* setting = Setting(row);
  const int base = setting != nullptr && *setting == 1 ? picture::kSwitchOn : picture::kSwitchOff;
  return base + (hover ? picture::kSecondState : 0) + picture::kNightPair * look_.NightMode;
}

void SettingsPage::SetSettingsPage() {
  auto& c = controls_;
  // The Settings page has no icon in the column: the page icon shown pressed is released.
  const int old_icon = selection_.SelectedIcon;
  selection_.SelectedIcon = 0;
  parts_.icons.UnpressIcon(old_icon);
  selection_.PageKind = kPageSettings;
  parts_.view.SetOff();
  parts_.list.HideQuickBars();
  selection_.ItemIndex = 1;
  selection_.TopIndex = 1;
  c.DIBImage4->visible = false;
  c.TextLabel->caption.clear();
  parts_.view.Refresh();
  for (int n = 1; n <= kRows; ++n) {
    c.Play[n]->image = SwitchImage(n, false);
    c.Play[n]->visible = true;
  }
  picture_state_.SmallPictureLoaded = parts_.pictures.LoadSmallPicture("ikoUNI");
}

void SettingsPage::SetSettings() {
  const int row = selection_.ItemIndex;
  const std::int32_t* setting = Setting(row);
  if (setting == nullptr) return;
  auto& c = controls_;
  const auto message = [this](int k) { return services_.messages.LoadString(look_.Language * 100 + k); };
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
    if (files_.StoreIni) files_.StoreIni->WriteInteger("Main", kStoreKeys[row], *setting);
  };
  switch (row) {
    case 1:
      store();
      parts_.effects.SwitchMode();
      selection_.ItemIndex = 1;
      SetSettings();
      break;
    case 2:
      selection_.ItemIndex = 2;
      SetSettings();
      store();
      break;
    case 3:
      selection_.ItemIndex = 3;
      SetSettings();
      if (*setting == 1) {
        parts_.music.LoadMusic();
        parts_.music.PlayMusic();
      } else {
        parts_.music.StopMusic();
      }
      store();
      break;
  }
  controls_.Play[row]->image = SwitchImage(row, true);
}

void SettingsPage::SetupSpotClick() {
  SetSettingsPage();
}

void SettingsPage::ApplyScreenRule() {
  if (services_.host.Screen().width <= kNarrowScreen) settings_.EnhancedSetting = 0;
}

}  // namespace norva::menu
