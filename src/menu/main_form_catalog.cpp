// The first show of the window: the catalog load.
#include "catalog/catalog_reader.h"
#include "installed/install_store.h"
#include "menu/main_form.h"
#include "menu/page_screens.h"
#include "menu/pages.h"
#include "menu/settings_page.h"
#include "menu/window_effects.h"
#include "strings/edition_code_page.h"

namespace norva::menu {

void MainForm::FormShow() {
  controls_.StartTimer->SetEnabled(true);

  const std::string catalog_path = files_.NorvaDir + "norvaxp.ini";
  if (!platform_.files.FileExists(catalog_path)) {
    Fail("Where is my NORVAXP.INI?????");
    return;
  }
  files_.CatalogIni = platform_.ini.Open(catalog_path);
  files_.StringsIni = platform_.ini.Open(files_.NorvaDir + "strings.ini");

  {
    // The disc label and the detection of the readers and full versions are one change of the store.
    const platform::IniUpdate store_update(files_.StoreIni.get());
    catalog::ReadCatalog(
        *files_.CatalogIni, files_.DiscRoot,
        [this](const catalog::Catalog& main) -> catalog::InstalledDetector* {
          // The [Main] facts are in; the items follow. A store that cannot be written keeps its old labels.
          if (!main.DiscLabel.empty()) {
            if (installed::IsDiscLabelKey(main.IssueCode)) {
              files_.StoreIni->WriteString("Main", main.IssueCode, main.DiscLabel);
            } else {
              catalog_.notes.push_back("CD: \"" + main.IssueCode +
                                       "\" is no issue code (MMYY); the disc label is not recorded");
            }
          }
          const platform::CodePage code_page = strings::EditionCodePage(main.Edition);
          if (OnAnsiCodePage) OnAnsiCodePage(code_page);
          if (given_detector_ != nullptr) {
            files_.Detector = given_detector_;
          } else {
            own_detector_ = std::make_unique<installed::Detector>(platform_, files_.Folders, *files_.StoreIni,
                                                                  files_.DiscRoot, main.IssueCode, code_page);
            files_.Detector = own_detector_.get();
          }
          return files_.Detector;
        },
        catalog_);
  }

  SetTitle();
  look_.Edition = catalog_.Edition;
  look_.Language = look_.Edition;
  messages_.SetEdition(look_.Edition, files_.StringsIni.get());
  host_.SetDialogLook({look_.Language, look_.NightMode});
  // The character sets follow the edition, which is known only now.
  ChangeCharsets();

  if (catalog_.DebugMode) {
    controls_.DebugLabel1->visible = true;
    controls_.DebugLabel2->visible = true;
    for (const auto& note : catalog_.notes) {
      host_.ShowMessage(MessageKind::kPlain, look_.AppTitle, note, MessageButtons::kOk);
    }
  }

  look_.StartHour = host_.LocalHour();
  look_.NightMode = (look_.StartHour >= 20 || look_.StartHour <= 7) ? 1 : 0;
  host_.SetDialogLook({look_.Language, look_.NightMode});

  pages_->LoadPages();
  pages_->MainButtonClick(1);
  page_screens_->SetDemosPage();

  settings_page_->ApplyScreenRule();
  effects_->SwitchMode();
}

void MainForm::SetTitle() {
  const std::string& code = catalog_.IssueCode;
  auto chars = [&](std::size_t from, std::size_t count) {
    return from < code.size() ? code.substr(from, count) : std::string();
  };
  const std::string title =
      std::string(catalog_.IsDVD != 0 ? "Norva DVD " : "Norva CD ") + chars(0, 2) + "-20" + chars(2, 2);
  look_.Caption = title;
  window_.caption = look_.Caption;
  look_.AppTitle = catalog_.DebugMode ? title + " - DEBUG MODE" : title;
  controls_.CDNumberLabel->caption = chars(0, 4);
}

}  // namespace norva::menu
