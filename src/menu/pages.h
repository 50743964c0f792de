// The page list and its icon column: which pages the catalog fills, which icon is selected or hovered,
// switching pages, refreshing the panel of the page shown, and the colour-scheme toggle.
#pragma once

namespace norva::menu {

class MainForm;

class Pages {
 public:
  // The form owns this object and outlives it.
  explicit Pages(MainForm& form) : form_(form) {}

  // Assigns the click and hover handlers of the icon column and the colour-scheme spot's click.
  void Wire();

  // Builds the page list and the icon column for the catalog's counts and the colour scheme, and re-applies
  // the scheme to the window.
  void LoadPages();
  // Appends one page; a kind without an icon only advances the count.
  void AddPage(int kind);
  // Selects the page of a column slot (1..11); nothing when that page is shown or the slot is empty.
  void MainButtonClick(int slot);
  // Empties the panel, resets the selection and runs the page screen of the kind.
  void SelectPage(int kind);
  // Hover highlighting of a column slot (1..11; other values only move the hover state).
  void PressIcon(int slot);
  void UnpressIcon(int slot);
  // Refreshes the detail panel and the position label for the page shown and its selected item.
  void ProcessPage();
  // Toggles the colour scheme; the page shown, its selection and its pressed icon stay.
  void IndigoSpotClick();

 private:
  void ReloadPageScreenPictures();

  MainForm& form_;
};

}  // namespace norva::menu
