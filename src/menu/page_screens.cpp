#include "menu/page_screens.h"

#include "menu/detail_panel.h"
#include "menu/installed_page.h"
#include "menu/item_list.h"
#include "menu/page_kinds.h"
#include "menu/page_view.h"
#include "menu/pictures.h"
#include "menu/quillon_issue.h"
#include "menu/redetection.h"
#include "menu/settings_page.h"

namespace norva::menu {

void PageScreens::ShowSmallPicture(bool shown) {
  controls_.DIBImage4->visible = shown;
}

void PageScreens::LoadPagePicture(const char* name) {
  picture_state_.SmallPictureLoaded = parts_.pictures.LoadSmallPicture(name);
}

void PageScreens::SetDemosPage() {
  selection_.PageKind = kPageDemos;
  ShowSmallPicture(true);
  controls_.TextLabel->visible = true;
  selection_.TopIndex = 1;
  selection_.ItemIndex = 1;
  parts_.redetection.RedetectAll(data_.catalog.Demo, data_.catalog.DemoCount);
  parts_.view.Refresh();
}

void PageScreens::SetExtraPage() {
  selection_.PageKind = kPageExtra;
  ShowSmallPicture(false);
  parts_.view.SetOff();
  parts_.view.Refresh();
}

void PageScreens::SetSharewarePage() {
  selection_.PageKind = kPageShareware;
  ShowSmallPicture(false);
  // The selected item's description replaces this as soon as the panel is refreshed.
  controls_.TextLabel->caption = services_.messages.LoadString(look_.Language * 100 + 13);
  parts_.view.Refresh();
  LoadPagePicture("iko04");
}

void PageScreens::SetDriversPage() {
  selection_.PageKind = kPageDrivers;
  ShowSmallPicture(false);
  parts_.view.Refresh();
  LoadPagePicture("iko01");
}

void PageScreens::SetUpdatesPage() {
  selection_.PageKind = kPageUpdates;
  ShowSmallPicture(false);
  controls_.TextLabel->caption = services_.messages.LoadString(look_.Language * 100 + 61);
  parts_.view.Refresh();
  LoadPagePicture("iko02");
}

void PageScreens::SetReadersPage() {
  // The readers' programs were detected with the catalog load.
  selection_.PageKind = kPageReaders;
  ShowSmallPicture(false);
  parts_.view.Refresh();
}

void PageScreens::SetHotShotsPage() {
  selection_.PageKind = kPageShots;
  parts_.view.FillList();
  parts_.panel.FlagUnPlayable(true);
  ShowSmallPicture(true);
  parts_.view.ProcessPage();
}

void PageScreens::SetFilmsPage() {
  selection_.PageKind = kPageFilms;
  auto& c = controls_;
  c.DIBImage4->opacity = 255;
  ShowSmallPicture(true);
  c.Label2->caption = services_.messages.LoadString(look_.Language * 100 + 80);
  parts_.view.FillList();
  c.Label2->visible = true;
  parts_.view.ProcessPage();
}

void PageScreens::SetFullsPage() {
  selection_.PageKind = kPageFulls;
  ShowSmallPicture(true);
  parts_.redetection.RedetectAll(data_.catalog.Full, data_.catalog.FullCount);
  parts_.view.Refresh();
}

void PageScreens::SetExtra2Page() {
  selection_.PageKind = kPageExtra2;
  ShowSmallPicture(true);
  controls_.TextLabel->visible = true;
  selection_.TopIndex = 1;
  selection_.ItemIndex = 1;
  parts_.redetection.RedetectAll(data_.catalog.Extra2, data_.catalog.Extra2Count);
  parts_.view.Refresh();
}

void PageScreens::SetQuillonPage() {
  const QuillonIssue& issue = CurrentQuillonIssue();
  auto& c = controls_;
  parts_.view.SetOff();
  selection_.PageKind = kPageQuillon;
  ShowSmallPicture(true);
  parts_.list.ClearList();
  c.DemosLabel[1]->caption = issue.Title;
  c.NameLabel->caption = issue.Title;
  c.TextLabel->caption = issue.Teaser;
  c.FirmLabel->caption = issue.Credits;
  parts_.panel.PlayButton(true);
  parts_.panel.FlagCZ(true);
  selection_.ItemIndex = 1;
  LoadPagePicture(issue.Picture.c_str());
  parts_.view.Refresh();
}

void PageScreens::SetSettingsPage() {
  parts_.settings_page.SetSettingsPage();
}

void PageScreens::SetInstalledPage() {
  parts_.installed_page.SetInstalledPage();
}

}  // namespace norva::menu
