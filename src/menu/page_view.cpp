#include "menu/page_view.h"

#include "menu/detail_panel.h"
#include "menu/item_list.h"

namespace norva::menu {

void ListAndPanel::FillList() {
  list_->FillList();
}

void ListAndPanel::ProcessPage() {
  panel_->ProcessPage();
}

void ListAndPanel::SetOff() {
  panel_->SetOff();
}

}  // namespace norva::menu
