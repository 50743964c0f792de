// The screen of each list page and of the diskmag page: sets the page kind, the small picture, the
// page-wide description, runs installed detection where the page's items can be installed, fills the list
// and refreshes the panel. The selection has been reset by the page switch before a screen runs.
#pragma once

#include "menu/main_controls.h"
#include "menu/menu_services.h"
#include "menu/menu_state.h"
#include "menu/page_kinds.h"

namespace norva::menu {

class DetailPanel;
class InstalledPage;
class ItemList;
class PageView;
class Pictures;
class Redetection;
class SettingsPage;

class PageScreens {
 public:
  // The objects this one works with; all are the form's and outlive this object.
  struct Parts {
    ItemList& list;
    DetailPanel& panel;
    Pictures& pictures;
    Redetection& redetection;
    PageView& view;
    SettingsPage& settings_page;
    InstalledPage& installed_page;
  };

  PageScreens(Services services, MainControls& controls, const Appearance& look, Selection& selection,
              PageData data, PictureState& picture_state, Parts parts)
      : services_(services),
        controls_(controls),
        look_(look),
        selection_(selection),
        data_(data),
        picture_state_(picture_state),
        parts_(parts) {}

  void SetDemosPage();
  void SetExtraPage();
  void SetSharewarePage();
  void SetDriversPage();
  void SetUpdatesPage();
  void SetReadersPage();
  void SetHotShotsPage();
  void SetFilmsPage();
  void SetFullsPage();
  void SetExtra2Page();
  // The diskmag: one fixed entry (see quillon_issue.h), no catalog list.
  void SetQuillonPage();
  // The pages whose screens are their own objects'.
  void SetSettingsPage();
  void SetInstalledPage();

 private:
  void ShowSmallPicture(bool shown);
  void LoadPagePicture(const char* name);

  Services services_;
  MainControls& controls_;
  const Appearance& look_;
  Selection& selection_;
  PageData data_;
  PictureState& picture_state_;
  Parts parts_;
};

}  // namespace norva::menu
