// The Settings page: three rows (border panel, effects, music) whose quick-run icons are on/off switches,
// each kept in the store's section [Main] (keys Enhanced, Slow, Music); and the rule that a narrow screen
// runs without the border panel.
#pragma once

#include <cstdint>

namespace norva::menu {

class MainForm;

class SettingsPage {
 public:
  // The form owns this object and outlives it.
  explicit SettingsPage(MainForm& form) : form_(form) {}

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

  MainForm& form_;
};

}  // namespace norva::menu
