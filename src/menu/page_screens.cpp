#include "menu/page_screens.h"

#include "menu/detail_panel.h"
#include "menu/item_list.h"
#include "menu/main_form.h"
#include "menu/page_kinds.h"
#include "menu/pages.h"
#include "menu/pictures.h"
#include "menu/quillon_issue.h"

namespace norva::menu {

template <typename Array>
void PageScreens::CheckAll(Array& items, int count) {
  auto* detector = form_.detector();
  if (detector == nullptr) return;
  const int last = count & 0xFF;
  // One page's detection is one change of the store, however many items it records or forgets.
  const platform::IniUpdate store_update(form_.StoreIni.get());
  for (int i = 1; i <= last && i < static_cast<int>(items.size()); ++i) detector->CheckDemo(items[i]);
}

void PageScreens::ShowSmallPicture(bool shown) {
  form_.controls().DIBImage4->visible = shown;
}

void PageScreens::LoadPagePicture(const char* name) {
  form_.SmallPictureLoaded = form_.pictures().LoadSmallPicture(name);
}

void PageScreens::SetDemosPage() {
  form_.PageKind = kPageDemos;
  ShowSmallPicture(true);
  form_.controls().TextLabel->visible = true;
  form_.TopIndex = 1;
  form_.ItemIndex = 1;
  CheckAll(form_.catalog().Demo, form_.catalog().DemoCount);
  form_.item_list().FillList();
  form_.pages().ProcessPage();
}

void PageScreens::SetExtraPage() {
  form_.PageKind = kPageExtra;
  ShowSmallPicture(false);
  form_.SetOff();
  form_.item_list().FillList();
  form_.pages().ProcessPage();
}

void PageScreens::SetSharewarePage() {
  form_.PageKind = kPageShareware;
  ShowSmallPicture(false);
  // The selected item's description replaces this as soon as the panel is refreshed.
  form_.controls().TextLabel->caption = form_.messages().LoadString(form_.Language * 100 + 13);
  form_.item_list().FillList();
  form_.pages().ProcessPage();
  LoadPagePicture("iko04");
}

void PageScreens::SetDriversPage() {
  form_.PageKind = kPageDrivers;
  ShowSmallPicture(false);
  form_.item_list().FillList();
  form_.pages().ProcessPage();
  LoadPagePicture("iko01");
}

void PageScreens::SetUpdatesPage() {
  form_.PageKind = kPageUpdates;
  ShowSmallPicture(false);
  form_.controls().TextLabel->caption = form_.messages().LoadString(form_.Language * 100 + 61);
  form_.item_list().FillList();
  form_.pages().ProcessPage();
  LoadPagePicture("iko02");
}

void PageScreens::SetReadersPage() {
  // The readers' programs were detected with the catalog load.
  form_.PageKind = kPageReaders;
  ShowSmallPicture(false);
  form_.item_list().FillList();
  form_.pages().ProcessPage();
}

void PageScreens::SetHotShotsPage() {
  form_.PageKind = kPageShots;
  form_.item_list().FillList();
  form_.panel().FlagUnPlayable(true);
  ShowSmallPicture(true);
  form_.pages().ProcessPage();
}

void PageScreens::SetFilmsPage() {
  form_.PageKind = kPageFilms;
  auto& c = form_.controls();
  c.DIBImage4->opacity = 255;
  ShowSmallPicture(true);
  c.Label2->caption = form_.messages().LoadString(form_.Language * 100 + 80);
  form_.item_list().FillList();
  c.Label2->visible = true;
  form_.pages().ProcessPage();
}

void PageScreens::SetFullsPage() {
  form_.PageKind = kPageFulls;
  ShowSmallPicture(true);
  CheckAll(form_.catalog().Full, form_.catalog().FullCount);
  form_.item_list().FillList();
  form_.pages().ProcessPage();
}

void PageScreens::SetExtra2Page() {
  form_.PageKind = kPageExtra2;
  ShowSmallPicture(true);
  form_.controls().TextLabel->visible = true;
  form_.TopIndex = 1;
  form_.ItemIndex = 1;
  CheckAll(form_.catalog().Extra2, form_.catalog().Extra2Count);
  form_.item_list().FillList();
  form_.pages().ProcessPage();
}

void PageScreens::SetQuillonPage() {
  const QuillonIssue& issue = CurrentQuillonIssue();
  auto& c = form_.controls();
  form_.SetOff();
  form_.PageKind = kPageQuillon;
  ShowSmallPicture(true);
  form_.item_list().ClearList();
  c.DemosLabel[1]->caption = issue.Title;
  c.NameLabel->caption = issue.Title;
  c.TextLabel->caption = issue.Teaser;
  c.FirmLabel->caption = issue.Credits;
  form_.panel().PlayButton(true);
  form_.panel().FlagCZ(true);
  form_.ItemIndex = 1;
  LoadPagePicture(issue.Picture.c_str());
  form_.item_list().FillList();
  form_.pages().ProcessPage();
}

}  // namespace norva::menu
