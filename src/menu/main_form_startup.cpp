// Start-up and end of the program.
#include <string_view>

#include "menu/actions.h"
#include "menu/detail_panel.h"
#include "menu/disc_location.h"
#include "menu/font_files.h"
#include "menu/icon_column.h"
#include "menu/installed_page.h"
#include "menu/installer.h"
#include "menu/item_list.h"
#include "menu/key_focus.h"
#include "menu/launchers.h"
#include "menu/list_input.h"
#include "menu/main_form.h"
#include "menu/music.h"
#include "menu/page_icons.h"
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

}  // namespace

MainForm::MainForm(platform::Platform& platform, Host& host, components::Clock& clock,
                   catalog::InstalledDetector* detector)
    : platform_(platform),
      host_(host),
      clock_(clock),
      given_detector_(detector),
      window_("Form1", MainControls::kBorderWidth, MainControls::kBorderHeight, clock),
      controls_(window_) {
  files_.Detector = given_detector_;
  WireHandlers();
  Assemble();
}

void MainForm::Assemble() {
  const Services services{platform_, host_, messages_};
  const PageData data{catalog_, installed_rows_};
  launchers_ = std::make_unique<Launchers>(services, files_, look_);
  page_icons_ = std::make_unique<PageIcons>(controls_, selection_);
  effects_ = std::make_unique<WindowEffects>(services, controls_, window_, look_, selection_, settings_,
                                             *page_icons_);
  music_ = std::make_unique<Music>(services, controls_, settings_, files_);
  pictures_ = std::make_unique<Pictures>(services, controls_, look_, selection_, settings_, files_, data,
                                         picture_state_, *effects_);
  item_list_ = std::make_unique<ItemList>(services, controls_, look_, selection_, data, view_);
  settings_page_ = std::make_unique<SettingsPage>(
      services, controls_, look_, selection_, settings_, files_, picture_state_,
      SettingsPage::Parts{*music_, *item_list_, *pictures_, *effects_, *page_icons_, view_});
  panel_ = std::make_unique<DetailPanel>(
      services, controls_, window_, look_, selection_, files_, data, picture_state_,
      DetailPanel::Parts{*pictures_, *settings_page_, redetection_, view_});
  view_.Connect(*item_list_, *panel_);
  installed_page_ =
      std::make_unique<InstalledPage>(services, controls_, look_, selection_, files_, data, picture_state_,
                                      InstalledPage::Parts{*item_list_, *pictures_, view_});
  page_screens_ =
      std::make_unique<PageScreens>(services, controls_, look_, selection_, data, picture_state_,
                                    PageScreens::Parts{*item_list_, *panel_, *pictures_, redetection_, view_,
                                                       *settings_page_, *installed_page_});
  pages_ =
      std::make_unique<menu::Pages>(services, controls_, look_, selection_, settings_, data, picture_state_,
                                    menu::Pages::Parts{*page_icons_, *page_screens_, *item_list_, *panel_,
                                                       *pictures_, *effects_, *settings_page_});
  icon_column_ = std::make_unique<IconColumn>(controls_, look_, selection_, *effects_);
  key_focus_ = std::make_unique<KeyFocus>(controls_, window_, *pictures_, *settings_page_, *pages_);
  list_input_ = std::make_unique<ListInput>(services, window_, selection_, *item_list_, *pictures_,
                                            *icon_column_, *key_focus_, view_);
  installer_ =
      std::make_unique<Installer>(services, controls_, window_, look_, selection_, files_, data, activity_,
                                  Installer::Parts{*launchers_, redetection_, *item_list_, *pages_, view_});
  actions_ = std::make_unique<Actions>(
      services, controls_, look_, selection_, files_, data,
      Actions::Parts{*launchers_, *music_, *installer_, *settings_page_, redetection_, view_});
  uninstaller_ = std::make_unique<Uninstaller>(
      services, controls_, look_, selection_, files_, data, activity_,
      Uninstaller::Parts{*launchers_, *music_, redetection_, *installed_page_, view_});

  // The handlers, in the order the window design assigns them: the quick-run icons keep the settings rows'
  // hover pictures, so the settings page wires before the actions.
  effects_->Wire();
  settings_page_->Wire();
  music_->Wire();
  panel_->Wire();
  pictures_->Wire();
  pages_->Wire();
  item_list_->Wire();
  list_input_->Wire();
  icon_column_->Wire();
  actions_->Wire();
  installer_->Wire();
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
  picture_state_.PictureCount = 0;

  files_.Folders = installed::LoadSystemInfo(platform_.system, platform_.registry);
  if (files_.Folders.OSName == "Windows NT" && !platform_.system.IsAdmin()) {
    host_.ShowMessage(
        MessageKind::kWarning, look_.AppTitle,
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
  files_.StoreIni = platform_.ini.Open("norva.ini");
  files_.StoreIni->WriteInteger("Main", "Language", 1);

  auto disc = LocateDisc(platform_.system.ProgramPath(), platform_.files);
  if (!disc) {
    Fail("There is no NORVA CD/DVD in any drive...");
    return;
  }
  files_.DiscRoot = *disc;
  files_.NorvaDir = files_.DiscRoot + "\\NORVA\\";
  platform_.files.SetCurrentDir(files_.DiscRoot + "\\");
}

void MainForm::ReadSettings() {
  settings_.EnhancedSetting = files_.StoreIni->ReadInteger("Main", "Enhanced", 1);
  settings_.EffectsSetting = files_.StoreIni->ReadInteger("Main", "Slow", 0);
  settings_.MusicSetting = files_.StoreIni->ReadInteger("Main", "Music", 1);
}

void MainForm::RegisterFonts() {
  for (auto name : kFontFiles) {
    auto host_path = platform_.files.HostPath(files_.NorvaDir + std::string(name));
    if (host_path && host_.AddFontResource(*host_path)) registered_fonts_.push_back(*host_path);
  }
}

void MainForm::UnregisterFonts() {
  for (const auto& path : registered_fonts_) host_.RemoveFontResource(path);
  registered_fonts_.clear();
}

void MainForm::ChangeCharsets() {
  if (look_.Edition != 2) return;
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
  host_.ShowMessage(MessageKind::kError, look_.AppTitle, text, MessageButtons::kOk);
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
  platform_.shell.ShellExecute("OPEN", files_.NorvaDir + "NORVAXP.INI", "", "", platform::kShowNormal);
}

void MainForm::FormDestroy() {
  music_->FormDestroy();
  UnregisterFonts();
  controls_.DIBFormShaper1->active = false;
}

install::Launcher MainForm::launcher() {
  return launchers_->Make();
}

void MainForm::SetImageLoader(components::ImageLoader* loader) {
  pictures_->SetImageLoader(loader);
}

components::ImageLoader* MainForm::image_loader() const {
  return pictures_->image_loader();
}

}  // namespace norva::menu
