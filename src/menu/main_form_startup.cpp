// Start-up and end of the program.
#include <string_view>

#include "menu/disc_location.h"
#include "menu/main_form.h"

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
}

MainForm::~MainForm() = default;

void MainForm::WireHandlers() {
  controls_.ExitButton->OnClick = [this] { ExitButtonClick(); };
  controls_.ExitSpot->OnClick = [this] { ExitSpotClick(); };
  controls_.DebugLabel1->OnClick = [this] { DebugLabel1Click(); };
  controls_.DebugLabel2->OnClick = [this] { DebugLabel2Click(); };
  controls_.StartTimer->OnTimer = [this] {
    controls_.StartTimer->SetEnabled(false);
    controls_.AnimationTimer->SetEnabled(true);
  };
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
  for (int i = 1; i <= 10; ++i) controls_.DemosLabel[i]->font.bold = false;
}

void MainForm::SetOff() {
  controls_.FirmLabel->caption.clear();
  controls_.NameLabel->caption.clear();
  controls_.DateLabel->caption.clear();
  // A disabled button shows no picture and ignores clicks; a flag that is off shows nothing. The CZ flag
  // belongs to the Czech interface only: elsewhere its place keeps the placeholder picture.
  for (auto* button : {controls_.PlayImage, controls_.StopImage, controls_.WebImage, controls_.ReadmeImage}) {
    button->tag = 0;
    button->image = -1;
  }
  for (auto* flag :
       {controls_.Flag_Playable, controls_.Flag_Unplayable, controls_.Flag_Net, controls_.Flag_3D}) {
    flag->image = -1;
  }
  if (Language == 1) controls_.Flag_CZ->image = -1;
  controls_.Label2->visible = false;
}

void MainForm::Fail(std::string_view text) {
  host_.ShowMessage(MessageKind::kError, AppTitle, text, MessageButtons::kOk);
  terminated_ = true;
  exit_code_ = 1;
  host_.Terminate(1);
}

void MainForm::ApplicationActivate() {
  // The music watch starts a full period again, so a paused tune resumes a while after the menu is back.
  controls_.MusicTimer->SetEnabled(false);
  controls_.MusicTimer->SetEnabled(true);
}

void MainForm::ApplicationDeActivate() {
  controls_.MusicTimer->SetEnabled(false);
}

const char* MainForm::MusicState() const {
  switch (Playback) {
    case MusicPlayback::kPlaying:
      return "playing";
    case MusicPlayback::kPaused:
      return "paused";
    case MusicPlayback::kStopped:
      break;
  }
  return "stopped";
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
  MusicReady = false;
  UnregisterFonts();
  controls_.DIBFormShaper1->active = false;
}

}  // namespace norva::menu
