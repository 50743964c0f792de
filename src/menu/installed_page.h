// The Installed page: every program that the menu recorded in the install store, from any issue of the disc,
// whose program file is still there. The page has no catalog of its own; its rows (`InstalledRows`) are
// rebuilt from the store each time the page is shown, and entries whose program has disappeared are removed
// from the store on the way.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "catalog/records.h"
#include "menu/main_controls.h"
#include "menu/menu_services.h"
#include "menu/menu_state.h"
#include "menu/page_kinds.h"

namespace norva::installed {
class InstallStore;
}

namespace norva::menu {

class ItemList;
class PageView;
class Pictures;

class InstalledPage {
 public:
  // At most this many store entries, in name order, are examined (and shown) by one build.
  static constexpr int kMaxRows = 48;

  // The objects this one works with; all are the form's and outlive this object.
  struct Parts {
    ItemList& list;
    Pictures& pictures;
    PageView& view;
  };

  InstalledPage(Services services, MainControls& controls, const Appearance& look, Selection& selection,
                MenuFiles& files, PageData data, PictureState& picture_state, Parts parts)
      : services_(services),
        controls_(controls),
        look_(look),
        selection_(selection),
        files_(files),
        data_(data),
        picture_state_(picture_state),
        parts_(parts) {}

  // Rebuilds the rows from the store, deletes the entries of programs that are gone and shows the page with
  // its first row selected. Called by the page switch and after an uninstall from this page.
  void SetInstalledPage();

 private:
  // Issue sections of the store ("CD" + MMYY) in file order; [Main] and sections without a two-digit year
  // are left out.
  std::vector<std::string> IssueSections();
  // "<key>;<section>" for every DirEntry of the sections, sorted by name without regard to letter case.
  std::vector<std::string> SortedEntries(const std::vector<std::string>& sections);
  // Fills `row` from one entry. False when the entry has no record (skipped, nothing deleted) or its
  // program is gone (its keys are then deleted).
  bool BuildRow(std::string_view entry, catalog::TDemos& row, installed::InstallStore& store);
  // "NORVA MM-YY" for a real month, else the disc label the catalog load recorded in [Main].
  std::string IssueLabel(const std::string& code);
  std::string RegistryUninstaller(const std::string& reg_uninstall);
  // Whether the drive of a folder is mapped and ready, so that a file missing there is really gone.
  bool DriveIsThere(const std::string& dir);

  Services services_;
  MainControls& controls_;
  const Appearance& look_;
  Selection& selection_;
  MenuFiles& files_;
  PageData data_;
  PictureState& picture_state_;
  Parts parts_;
};

}  // namespace norva::menu
