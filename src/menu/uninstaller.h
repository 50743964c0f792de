// The Uninstall button: removes an installed item of a content page or a row of the Installed page with the
// item's own uninstaller, its uninstall command list (see UninstallCommands) or both, offers to delete what
// was left in its folder, and refreshes the page.
#pragma once

#include <cstdint>
#include <string_view>

#include "catalog/records.h"
#include "menu/main_controls.h"
#include "menu/menu_services.h"
#include "menu/menu_state.h"
#include "menu/page_kinds.h"
#include "menu/uninstall_entry.h"

namespace norva::install {
class Launcher;
}

namespace norva::menu {

class InstalledPage;
class Launchers;
class Music;
class PageView;
class Redetection;
class UninstallCommands;

class Uninstaller {
 public:
  // Leftover folders larger than this are not offered for deletion (250 MB).
  static constexpr std::int64_t kLargestLeftover = 262'144'000;
  // A leftover folder of exactly this size (512 KB) is deleted without a question.
  static constexpr std::int64_t kSilentLeftover = 524'288;

  // The objects this one works with; all are the form's and outlive this object.
  struct Parts {
    Launchers& launchers;
    Music& music;
    Redetection& redetection;
    InstalledPage& installed_page;
    PageView& view;
  };

  Uninstaller(Services services, MainControls& controls, const Appearance& look, const Selection& selection,
              const MenuFiles& files, PageData data, Activity& activity, Parts parts)
      : services_(services),
        controls_(controls),
        look_(look),
        selection_(selection),
        files_(files),
        data_(data),
        activity_(activity),
        parts_(parts) {}

  // Assigns the Uninstall button's click.
  void Wire();

  // A click on the Uninstall button: nothing while the button is off or while an install or uninstall is
  // running; otherwise stops the music and uninstalls the selected item of the Demos, Extra, Readers, Fulls,
  // Extra2 or Installed page.
  void StopDIBImageClick();

  // Uninstalls one item and refreshes the page. The item's fields stay as the procedure leaves them, except
  // `Uninstall`, which is put back. Nothing while another install or uninstall runs. An uninstaller that
  // leaves the item's program in place counts as cancelled: nothing else changes and the page stays.
  void UninstallProc(catalog::TDemos& item);

  // Offers to delete a folder that the uninstall left: message 34, and for 1 MB or more message 35 as
  // well. Larger than kLargestLeftover: nothing; exactly kSilentLeftover: deleted without asking. A missing
  // or protected folder is not offered.
  void LeftoverCheck(std::string_view dir);

  // Detects every Demos, Readers and Fulls item again and rebuilds the Installed page.
  void ApplyDelete();

 private:
  // Steps up to the leftover question; false when the uninstall was cancelled.
  bool Uninstall(catalog::TDemos& item);
  // The item's own uninstaller of InstallType 4, 5 and 7, after the markers of its command list.
  void RunOwnUninstaller(catalog::TDemos& item, const UninstallList& marks, install::Launcher& launcher,
                         UninstallCommands& commands);
  // InstallType 6: the installer's own uninstall mode, then its Start-menu group and empty folder.
  void SierraUninstall(catalog::TDemos& item, install::Launcher& launcher);
  // Whether the item's program is still there, so that the uninstall counts as cancelled.
  bool StillInstalled(const catalog::TDemos& item);
  // The selected record of the page shown; null on other pages or outside the page's items.
  catalog::TDemos* SelectedItem();

  Services services_;
  MainControls& controls_;
  const Appearance& look_;
  const Selection& selection_;
  const MenuFiles& files_;
  PageData data_;
  Activity& activity_;
  Parts parts_;
};

}  // namespace norva::menu
