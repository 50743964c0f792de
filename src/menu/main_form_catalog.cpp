// The first show of the window: the catalog load.
#include "catalog/catalog_reader.h"
#include "installed/install_store.h"
#include "menu/main_form.h"
#include "menu/page_screens.h"
#include "menu/pages.h"
#include "menu/settings_page.h"
#include "menu/window_effects.h"

namespace norva::menu {

void MainForm::FormShow() {
  controls_.StartTimer->SetEnabled(true);

  const std::string catalog_path = NorvaDir + "norvaxp.ini";
  if (!platform_.files.FileExists(catalog_path)) {
    Fail("Where is my NORVAXP.INI?????");
    return;
  }
  CatalogIni = platform_.ini.Open(catalog_path);
  StringsIni = platform_.ini.Open(NorvaDir + "strings.ini");

  {
    // The disc label and the detection of the readers and full versions are one change of the store.
    const platform::IniUpdate store_update(StoreIni.get());
    catalog::ReadCatalog(
        *CatalogIni, DiscRoot,
        [this](const catalog::Catalog& main) -> catalog::InstalledDetector* {
          // The [Main] facts are in; the items follow. A store that cannot be written keeps its old labels.
          if (!main.DiscLabel.empty()) {
            if (installed::IsDiscLabelKey(main.IssueCode)) {
              StoreIni->WriteString("Main", main.IssueCode, main.DiscLabel);
            } else {
              catalog_.notes.push_back("CD: \"" + main.IssueCode +
                                       "\" is no issue code (MMYY); the disc label is not recorded");
            }
          }
          const auto code_page =
              main.Edition == 2 ? platform::CodePage::kTurkish : platform::CodePage::kCentralEuropean;
          if (OnAnsiCodePage) OnAnsiCodePage(code_page);
          if (detector_) return detector_;
          own_detector_ = std::make_unique<installed::Detector>(platform_, Folders, *StoreIni, DiscRoot,
                                                                main.IssueCode, code_page);
          return own_detector_.get();
        },
        catalog_);
  }

  SetTitle();
  Edition = catalog_.Edition;
  Language = Edition;
  messages_.SetEdition(Edition, StringsIni.get());
  host_.SetDialogLook({Language, NightMode});
  // The character sets follow the edition, which is known only now.
  ChangeCharsets();

  if (catalog_.DebugMode) {
    controls_.DebugLabel1->visible = true;
    controls_.DebugLabel2->visible = true;
    for (const auto& note : catalog_.notes) {
      host_.ShowMessage(MessageKind::kPlain, AppTitle, note, MessageButtons::kOk);
    }
  }

  StartHour = host_.LocalHour();
  NightMode = (StartHour >= 20 || StartHour <= 7) ? 1 : 0;
  host_.SetDialogLook({Language, NightMode});

  pages_->LoadPages();
  pages_->MainButtonClick(1);
  page_screens_->SetDemosPage();

  settings_->ApplyScreenRule();
  effects_->SwitchMode();
}

void MainForm::SetTitle() {
  const std::string& code = catalog_.IssueCode;
  auto chars = [&](std::size_t from, std::size_t count) {
    return from < code.size() ? code.substr(from, count) : std::string();
  };
  const std::string title =
      std::string(catalog_.IsDVD != 0 ? "Norva DVD " : "Norva CD ") + chars(0, 2) + "-20" + chars(2, 2);
  Caption = title;
  window_.caption = Caption;
  AppTitle = catalog_.DebugMode ? title + " - DEBUG MODE" : title;
  controls_.CDNumberLabel->caption = chars(0, 4);
}

}  // namespace norva::menu
