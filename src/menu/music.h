// The background music: two tunes from the disc played alternately through the audio player, started a while
// after start-up, paused before the menu launches something, resumed while the menu is the active
// application. Any player error silences the music for the rest of the run, unless the music is switched on
// again on the Settings page.
#pragma once

#include "components/player.h"
#include "menu/main_controls.h"
#include "menu/menu_services.h"
#include "menu/menu_state.h"

namespace norva::menu {

class Music {
 public:
  // All are the form's and outlive this object. There is no player until SetPlayer: the music is then
  // silent.
  Music(Services services, MainControls& controls, const Settings& settings, const MenuFiles& files)
      : services_(services), controls_(controls), settings_(settings), files_(files) {}

  // Assigns the start timer and the music watch timer.
  void Wire();
  // `player` is not owned and must outlive the form's use of it; null means no audio.
  void SetPlayer(components::Player* player) { player_ = player; }
  components::Player* player() const { return player_; }

  // Set the player up for tune 1 (music1.mp3) or tune 2 (music2.mp3) on the disc; only while the music is on.
  void LoadMusic();
  void LoadMusic2();
  // Starts the tune that is set up.
  void PlayMusic();
  // Pauses the music (before launches and when the music is switched off).
  void StopMusic();

  // Five seconds after the catalog load: the border animations and the music begin.
  void StartTimerTimer();
  // Every five seconds while the menu is active: a finished tune is followed by the other, a paused one goes
  // on.
  void MusicTimerTimer();

  void ApplicationActivate();
  void ApplicationDeActivate();
  // At the end of the program: stops the music and releases the player's module.
  void FormDestroy();

  // "playing", "paused" or "stopped", as the player tells.
  const char* State() const;

  // A tune is set up and the player has not failed since.
  bool MusicReady = false;
  int CurrentTune = 0;  // 1 or 2 once a tune was set up

 private:
  void LoadTune(int tune);
  bool SetUpTune(int tune);

  Services services_;
  MainControls& controls_;
  const Settings& settings_;
  const MenuFiles& files_;
  components::Player* player_ = nullptr;
};

}  // namespace norva::menu
