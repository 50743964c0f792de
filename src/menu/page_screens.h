// The screen of each list page and of the diskmag page: sets the page kind, the small picture, the
// page-wide description, runs installed detection where the page's items can be installed, fills the list
// and refreshes the panel. The selection has been reset by the page switch before a screen runs.
#pragma once

namespace norva::menu {

class MainForm;

class PageScreens {
 public:
  // The form owns this object and outlives it.
  explicit PageScreens(MainForm& form) : form_(form) {}

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

 private:
  // Installed detection on items 1..count of an array (count cut to its low byte and to the array).
  template <typename Array>
  void CheckAll(Array& items, int count);
  void ShowSmallPicture(bool shown);
  void LoadPagePicture(const char* name);

  MainForm& form_;
};

}  // namespace norva::menu
