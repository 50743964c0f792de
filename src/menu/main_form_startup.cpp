// Start-up and end of the program.
#include <string_view>

#include "menu/actions.h"
#include "menu/detail_panel.h"
#include "menu/disc_location.h"
#include "menu/icon_column.h"
#include "menu/installed_page.h"
#include "menu/installer.h"
#include "menu/item_list.h"
#include "menu/key_focus.h"
#include "menu/list_input.h"
#include "menu/main_form.h"
#include "menu/music.h"
#include "menu/page_screens.h"
#include "menu/pages.h"
#include "menu/pictures.h"
#include "menu/settings_page.h"
#include "menu/start_failure_text.h"
#include "menu/uninstaller.h"
#include "menu/window_effects.h"

namespace norva::menu {
namespace {

// Red 47, green 50, blue 43.
constexpr std::uint32_t kHelpTextColor = 0x002B322F;
constexpr std::string_view kFontFiles[] = {"bb.jpg", "bc.jpg"};

}  // namespace

MainForm::MainForm(platform::Platform& platform, Host& host, components::Clock& clock,
                   catalog::InstalledDetector* detector)
    : platform_(platform),
      host_(host),
      clock_(clock),
      detector_(detector),
      window_("Form1", MainControls::kBorderWidth, MainControls::kBorderHeight, clock),
      controls_(window_) {
  WireHandlers();
  effects_ = std::make_unique<WindowEffects>(*this);
  effects_->Wire();
  settings_ = std::make_unique<SettingsPage>(*this);
  settings_->Wire();
  music_ = std::make_unique<Music>(*this);
  music_->Wire();
  panel_ = std::make_unique<DetailPanel>(*this);
  panel_->Wire();
  pictures_ = std::make_unique<Pictures>(*this);
  pictures_->Wire();
  pages_ = std::make_unique<menu::Pages>(*this);
  pages_->Wire();
  page_screens_ = std::make_unique<PageScreens>(*this);
  item_list_ = std::make_unique<ItemList>(*this);
  item_list_->Wire();
  list_input_ = std::make_unique<ListInput>(*this);
  list_input_->Wire();
  key_focus_ = std::make_unique<KeyFocus>(*this);
  icon_column_ = std::make_unique<IconColumn>(*this);
  icon_column_->Wire();
  installed_page_ = std::make_unique<InstalledPage>(*this);
  // After the settings page: the quick-run icons keep the settings rows' hover pictures.
  actions_ = std::make_unique<Actions>(*this);
  actions_->Wire();
  installer_ = std::make_unique<Installer>(*this);
  installer_->Wire();
  uninstaller_ = std::make_unique<Uninstaller>(*this);
  uninstaller_->Wire();
}

MainForm::~MainForm() = default;

void MainForm::WireHandlers() {
  controls_.ExitButton->OnClick = [this] { ExitButtonClick(); };
  controls_.ExitSpot->OnClick = [this] { ExitSpotClick(); };
  controls_.DebugLabel1->OnClick = [this] { DebugLabel1Click(); };
  controls_.DebugLabel2->OnClick = [this] { DebugLabel2Click(); };
}

void MainForm::FormCreate() {
  controls_.HelpLabel->color = kHelpTextColor;
  controls_.HelpLabel2->color = kHelpTextColor;
  controls_.PositionLabel->color = kHelpTextColor;
  for (int i = 1; i <= 10; ++i) controls_.Animate[i]->opaque = true;
  Unbold();
  PictureCount = 0;

  Folders = installed::LoadSystemInfo(platform_.system, platform_.registry);
  if (Folders.OSName == "Windows NT" && !platform_.system.IsAdmin()) {
    host_.ShowMessage(
        MessageKind::kWarning, AppTitle,
        "Nem\xE1te administr\xE1torsk\xE1 pr\xE1va - v\xEDt\x9Aina dem nep\xF9jde nainstalovat!",
        MessageButtons::kOk);
  }
  LoadData();
  if (terminated_) return;
  RegisterFonts();
  ChangeCharsets();
  ReadSettings();
}

void MainForm::LoadData() {
  // The store may be read-only, missing or locked: its writes then fail and the run goes on without them.
  StoreIni = platform_.ini.Open("norva.ini");
  StoreIni->WriteInteger("Main", "Language", 1);

  auto disc = LocateDisc(platform_.system.ProgramPath(), platform_.files);
  if (!disc) {
    Fail("There is no NORVA CD/DVD in any drive...");
    return;
  }
  DiscRoot = *disc;
  NorvaDir = DiscRoot + "\\NORVA\\";
  platform_.files.SetCurrentDir(DiscRoot + "\\");
}

void MainForm::ReadSettings() {
  EnhancedSetting = StoreIni->ReadInteger("Main", "Enhanced", 1);
  EffectsSetting = StoreIni->ReadInteger("Main", "Slow", 0);
  MusicSetting = StoreIni->ReadInteger("Main", "Music", 1);
}

void MainForm::RegisterFonts() {
  for (auto name : kFontFiles) {
    auto host_path = platform_.files.HostPath(NorvaDir + std::string(name));
    if (host_path && host_.AddFontResource(*host_path)) registered_fonts_.push_back(*host_path);
  }
}

void MainForm::UnregisterFonts() {
  for (const auto& path : registered_fonts_) host_.RemoveFontResource(path);
  registered_fonts_.clear();
}

void MainForm::ChangeCharsets() {
  if (Edition != 2) return;
  constexpr int kTurkishCharset = 162;
  for (int i = 1; i <= 11; ++i) controls_.IconLabel[i]->font.charset = kTurkishCharset;
  for (int i = 1; i <= 10; ++i) controls_.DemosLabel[i]->font.charset = kTurkishCharset;
  for (auto* label : {controls_.Label2, controls_.TextLabel, controls_.NameLabel, controls_.FirmLabel,
                      controls_.HelpLabel, controls_.DateLabel}) {
    label->font.charset = kTurkishCharset;
  }
}

void MainForm::Unbold() {
  item_list_->Unbold();
}

void MainForm::SetOff() {
  panel_->SetOff();
}

void MainForm::Fail(std::string_view text) {
  host_.ShowMessage(MessageKind::kError, AppTitle, text, MessageButtons::kOk);
  terminated_ = true;
  exit_code_ = 1;
  host_.Terminate(1);
}

void MainForm::ApplicationActivate() {
  music_->ApplicationActivate();
}

void MainForm::ApplicationDeActivate() {
  music_->ApplicationDeActivate();
}

void MainForm::ExitButtonClick() {
  terminated_ = true;
  host_.Terminate(0);
}

void MainForm::ExitSpotClick() {
  ExitButtonClick();
}

void MainForm::DebugLabel1Click() {
  FormShow();
}

void MainForm::DebugLabel2Click() {
  // What the editor's associated program does with the catalog is no business of the menu's.
  platform_.shell.ShellExecute("OPEN", NorvaDir + "NORVAXP.INI", "", "", platform::kShowNormal);
}

void MainForm::FormDestroy() {
  music_->FormDestroy();
  UnregisterFonts();
  controls_.DIBFormShaper1->active = false;
}

install::Launcher MainForm::launcher() {
  return install::Launcher(platform_, host_, DiscRoot, CatalogIni.get(),
                           [this](platform::StartFailure failure, std::string_view program) {
                             host_.ShowMessage(MessageKind::kError, AppTitle,
                                               StartFailureText(messages_, Language, failure, program),
                                               MessageButtons::kOk);
                           });
}

}  // namespace norva::menu
