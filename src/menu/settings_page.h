// The Settings page: three rows (border panel, effects, music) whose quick-run icons are on/off switches,
// each kept in the store's section [Main] (keys Enhanced, Slow, Music); and the rule that a narrow screen
// runs without the border panel.
#pragma once

#include <cstdint>

#include "menu/main_controls.h"
#include "menu/menu_services.h"
#include "menu/menu_state.h"

namespace norva::menu {

class ItemList;
class Music;
class PageIcons;
class PageView;
class Pictures;
class WindowEffects;

class SettingsPage {
 public:
  // The objects this one works with; all are the form's and outlive this object.
  struct Parts {
    Music& music;
    ItemList& list;
    Pictures& pictures;
    WindowEffects& effects;
    PageIcons& icons;
    PageView& view;
  };

  SettingsPage(Services services, MainControls& controls, const Appearance& look, Selection& selection,
               Settings& settings, const MenuFiles& files, PictureState& picture_state, Parts parts)
      : services_(services),
        controls_(controls),
        look_(look),
        selection_(selection),
        settings_(settings),
        files_(files),
        picture_state_(picture_state),
        parts_(parts) {}

  // Assigns the settings spot's click and the three row switches (click and hover).
  void Wire();

  // Shows the Settings page.
  void SetSettingsPage();
  // The detail panel of the selected row: its description and status line.
  void SetSettings();
  // Flips the setting of row 1..3, stores it and applies it; other rows do nothing.
  void SwitchRow(int row);
  void SetupSpotClick();
  // A screen at most 800 pixels wide runs without the border panel; the store keeps its setting.
  void ApplyScreenRule();

  // The picture of row 1..3's switch for its present setting, plain or under the mouse.
  int SwitchImage(int row, bool hover) const;

 private:
  std::int32_t* Setting(int row) const;

  Services services_;
  MainControls& controls_;
  const Appearance& look_;
  Selection& selection_;
  Settings& settings_;
  const MenuFiles& files_;
  PictureState& picture_state_;
  Parts parts_;
};

}  // namespace norva::menu
