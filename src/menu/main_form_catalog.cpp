// The first show of the window: the catalog load.
#include "catalog/catalog_reader.h"
#include "menu/main_form.h"

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

  catalog::ReadCatalog(*CatalogIni, DiscRoot, detector_, catalog_);
  // A store that cannot be written keeps its old labels; the menu goes on without this one.
  if (!catalog_.DiscLabel.empty()) StoreIni->WriteString("Main", catalog_.IssueCode, catalog_.DiscLabel);

  SetTitle();
  Edition = catalog_.Edition;
  Language = Edition;
  messages_.SetEdition(Edition, StringsIni.get());
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

  if (host_.Screen().width <= 800) EnhancedSetting = 0;  // for this run only; the store keeps the setting
}

void MainForm::SetTitle() {
  const std::string& code = catalog_.IssueCode;
  auto chars = [&](std::size_t from, std::size_t count) {
    return from < code.size() ? code.substr(from, count) : std::string();
  };
  const std::string title =
      std::string(catalog_.IsDVD ? "Norva DVD " : "Norva CD ") + chars(0, 2) + "-20" + chars(2, 2);
  Caption = title;
  AppTitle = catalog_.DebugMode ? title + " - DEBUG MODE" : title;
  controls_.CDNumberLabel->caption = chars(0, 4);
}

}  // namespace norva::menu
