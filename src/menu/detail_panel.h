// The detail panel right of the item list: title, developer, release date, description, the five flag icons
// and the four small action buttons of the selected item, and the hover help of these controls. The panel
// holds no state of its own; every setter rebuilds it from the item's catalog record.
#pragma once

#include <string>

#include "catalog/records.h"

#include "components/window.h"
#include "menu/main_controls.h"
#include "menu/menu_services.h"
#include "menu/menu_state.h"
#include "menu/page_kinds.h"

namespace norva::components {
class PictureButton;
}

namespace norva::menu {

class PageView;
class Pictures;
class Redetection;
class SettingsPage;

class DetailPanel {
 public:
  // The objects this one works with; all are the form's and outlive this object.
  struct Parts {
    Pictures& pictures;
    SettingsPage& settings_page;
    Redetection& redetection;
    PageView& view;
  };

  DetailPanel(Services services, MainControls& controls, const components::Window& window,
              const Appearance& look, const Selection& selection, const MenuFiles& files, PageData data,
              PictureState& picture_state, Parts parts)
      : services_(services),
        controls_(controls),
        window_(window),
        look_(look),
        selection_(selection),
        files_(files),
        data_(data),
        picture_state_(picture_state),
        parts_(parts) {}

  // Assigns the hover handlers of the date, the flags and the action buttons.
  void Wire();

  // The setters of the page kinds: fill the panel from the record at `ItemIndex` of the page's array. An
  // `ItemIndex` outside the array reads no record and leaves the panel as it is. A setter may change the
  // record: installed items whose run file is gone are detected again; Extra and Readers items that run
  // from the disc get `InstalledDir` (Extra also `Runnable`).
  void SetDemos();
  void SetExtra();
  void SetShare();
  void SetDrivers();
  void SetUpdates();
  void SetReaders();
  void SetShots();
  void SetFilms();
  void SetFulls();
  void SetExtra2();
  void SetInstalled();
  // The Settings page's row.
  void SetSettings();

  // Refreshes the panel and the position label for the page shown and its selected item: the setter of
  // the page kind, then the hover help.
  void ProcessPage();

  // Empties the title, developer and date, disables the four buttons, switches the flags off and hides the
  // trailers' codec note.
  void SetOff();

  // The flag icons for an item's `Flags` value on the page shown.
  void DoFlags(int flags);

  // Action buttons: on shows the enabled picture (state 1), off shows nothing (state 0, clicks ignored).
  void ReadmeButton(bool on);
  void WebButton(bool on);
  void PlayButton(bool on);
  void StopButton(bool on);

  // Flag icons; the CZ flag belongs to the Czech interface only and ignores the call elsewhere.
  void FlagPlayable(bool on);
  void FlagUnPlayable(bool on);
  void FlagCZ(bool on);
  void Flag3D(bool on);
  void FlagNet(bool on);

  // Hover help, raised by mouse moves over the controls.
  void DateLabelMouseMove();
  void FlagPlayableMouseMove();
  void FlagUnplayableMouseMove();
  void Flag3DMouseMove();
  void FlagNetMouseMove();
  void FlagCZMouseMove();
  void ReadmeImageMouseMove();
  void WebImageMouseMove();
  void PlayImageMouseMove();
  void StopImageMouseMove();

  // The hover help after the panel was rebuilt (an install, an uninstall, a new selection): the text of the
  // control under the pointer in its new state, or none when the pointer is over no such control.
  void FollowPointer();

 private:
  // The Play button's help on the page shown (0: none).
  int PlayHelp();
  // The panel of a program-like record, shared by the Demos and Extra2 pages (`demos_rule`: Play also needs
  // the item installed or installable).
  void SetProgram(catalog::TDemos& item, bool demos_rule);
  // Runs detection again when an installed item's run file is gone, and redraws the list.
  void InstalledReCheck(catalog::TDemos& item);
  // Readme on unless there is none or the item is not installed; in catalog-testing mode a missing readme is
  // reported first.
  void ReadmeRule(const catalog::TDemos& item);
  // The date text into DateLabel; false (after the error box) when the code is not readable, and the caller
  // then skips the rest of the refresh.
  bool ShowDate(const std::string& code);
  // Description of the Demos-like pages by interface language; other languages leave the text as it is.
  void StandardDescription(const std::string& describe0, const std::string& describe,
                           const std::string& describe_alt);
  void ShowPicture(const std::string& name);
  // k: the button's picture in the action-button list (6 Readme, 7 Web, 8 Play, 9 Uninstall).
  void Button(components::PictureButton& button, int k, bool on);
  // Message k of the interface language into HelpLabel.
  void Help(int k);
  // The hover picture (k + 5) and state 2 of an enabled button; false for a disabled one.
  bool HoverButton(components::PictureButton& button, int k);
  // The selected item of a page of program-like records, or null.
  catalog::TDemos* SelectedProgram();

  Services services_;
  MainControls& controls_;
  const components::Window& window_;
  const Appearance& look_;
  const Selection& selection_;
  const MenuFiles& files_;
  PageData data_;
  PictureState& picture_state_;
  Parts parts_;
};

}  // namespace norva::menu
