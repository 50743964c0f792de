// The page list and its icon column: which pages the catalog fills, switching pages, and the colour-scheme
// toggle.
#pragma once

#include "menu/main_controls.h"
#include "menu/menu_services.h"
#include "menu/menu_state.h"
#include "menu/page_kinds.h"

namespace norva::menu {

class DetailPanel;
class ItemList;
class PageIcons;
class PageScreens;
class Pictures;
class SettingsPage;
class WindowEffects;

class Pages {
 public:
  // The objects this one works with; all are the form's and outlive this object.
  struct Parts {
    PageIcons& icons;
    PageScreens& screens;
    ItemList& list;
    DetailPanel& panel;
    Pictures& pictures;
    WindowEffects& effects;
    SettingsPage& settings_page;
  };

  Pages(Services services, MainControls& controls, Appearance& look, Selection& selection,
        const Settings& settings, PageData data, PictureState& picture_state, Parts parts)
      : services_(services),
        controls_(controls),
        look_(look),
        selection_(selection),
        settings_(settings),
        data_(data),
        picture_state_(picture_state),
        parts_(parts) {}

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
  // Toggles the colour scheme; the page shown, its selection and its pressed icon stay.
  void IndigoSpotClick();

 private:
  void ReloadPageScreenPictures();

  Services services_;
  MainControls& controls_;
  Appearance& look_;
  Selection& selection_;
  const Settings& settings_;
  PageData data_;
  PictureState& picture_state_;
  Parts parts_;
};

}  // namespace norva::menu
