#include "menu/music.h"

#include <optional>
#include <string>

namespace norva::menu {
namespace {

using components::PlayerInput;
using components::PlayerOutput;

}  // namespace

void Music::Wire() {
  auto& c = controls_;
  c.StartTimer->OnTimer = [this] { StartTimerTimer(); };
  c.MusicTimer->OnTimer = [this] { MusicTimerTimer(); };
}

void Music::LoadMusic() {
  LoadTune(1);
}

void Music::LoadMusic2() {
  LoadTune(2);
}

void Music::LoadTune(int tune) {
  if (settings_.MusicSetting == 0) return;
  MusicReady = true;
  // Whatever goes wrong, the menu carries on without music and says nothing.
  if (!SetUpTune(tune)) MusicReady = false;
}

bool Music::SetUpTune(int tune) {
  if (player_ == nullptr) return false;
  auto& files = services_.platform.files;
  // NorvaDir already ends in a backslash; the doubled one is harmless to the machine's paths.
  const auto module = files.HostPath(files_.NorvaDir + "\\elamp.esp");
  const auto music = files.HostPath(files_.NorvaDir + (tune == 1 ? "\\music1.mp3" : "\\music2.mp3"));
  if (!module || !music) return false;
  if (!player_->SetModulePath(*module) || !player_->LoadModule()) return false;
  if (!player_->SetInputMode(PlayerInput::kFile) || !player_->SetInputName(*music)) return false;
  if (!player_->SetOutputMode(PlayerOutput::kDirectSound)) return false;
  if (!player_->OpenInput() || !player_->OpenOutput()) return false;
  CurrentTune = tune;
  return true;
}

void Music::PlayMusic() {
  if (settings_.MusicSetting == 0 || !MusicReady) return;
  if (!player_->Play()) MusicReady = false;
}

void Music::StopMusic() {
  if (!MusicReady) return;
  if (!player_->Pause()) MusicReady = false;
}

void Music::StartTimerTimer() {
  auto& c = controls_;
  c.AnimationTimer->SetEnabled(true);
  c.StartTimer->SetEnabled(false);
  if (settings_.MusicSetting == 1) {
    LoadMusic();
    PlayMusic();
  }
}

void Music::MusicTimerTimer() {
  if (!MusicReady || settings_.MusicSetting != 1) return;
  const std::optional<int> mode = player_->Mode();
  if (!mode) {
    MusicReady = false;
    return;
  }
  switch (*mode) {
    case components::kPlayerStopped:
      if (!player_->Play()) MusicReady = false;
      break;
    case components::kPlayerFinished:
      if (CurrentTune == 1) {
        LoadMusic2();
      } else {
        LoadMusic();
      }
      PlayMusic();
      break;
    case components::kPlayerPaused:
      if (!player_->Resume()) MusicReady = false;
      break;
    default:
      break;
  }
}

void Music::ApplicationActivate() {
  // The background image needs no repaint in the control model. The music watch starts a full period again,
  // so a paused tune resumes a while after the menu is back.
  auto* timer = controls_.MusicTimer;
  timer->SetEnabled(false);
  timer->SetEnabled(true);
}

void Music::ApplicationDeActivate() {
  // A playing tune goes on; a finished or paused one waits for the menu to be active again.
  controls_.MusicTimer->SetEnabled(false);
}

void Music::FormDestroy() {
  // A player that fails to stop keeps its module; either way nothing may reach the player after this.
  if (MusicReady && player_->Stop()) player_->UnloadModule();
  MusicReady = false;
}

const char* Music::State() const {
  if (player_ == nullptr) return "stopped";
  const auto mode = player_->Mode();
  if (mode == components::kPlayerPlaying) return "playing";
  if (mode == components::kPlayerPaused) return "paused";
  return "stopped";
}

}  // namespace norva::menu
