// A main window over a scratch Wine machine and a small English disc made by the test, started and shown as
// the program does, with a recording front end, a recording player and a fixed random source.
#pragma once

#include <deque>
#include <memory>
#include <string>

#include "components/clock.h"
#include "menu/fake_player.h"
#include "menu/main_form.h"
#include "menu/random_source.h"
#include "platform/wine/wine_platform.h"
#include "support/recording_host.h"
#include "support/temp_dir.h"

namespace norva::test {

// Answers the queued numbers, then 14 (no animation) for ever; keeps every bound asked for.
class QueuedRandom : public menu::RandomSource {
 public:
  int Below(int bound) override {
    bounds.push_back(bound);
    if (answers.empty()) return bound - 1;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
  }
  std::deque<int> answers;
  std::vector<int> bounds;
};

class ScreenTestForm {
 public:
  // The disc gets NORVA.EXE, a catalog with two demos, the player module and both tunes.
  ScreenTestForm();

  // Writes the store's [Main] section before the start (e.g. "Music=0\r\n").
  void SeedStore(const std::string& main_section) { store_seed_ = main_section; }
  // Opens the machine, creates the window and loads the catalog; the player and random source are in place.
  void Start(int hour = 12);

  menu::MainForm& form() { return *form_; }
  RecordingHost& host() { return host_; }
  FakePlayer& player() { return player_; }
  QueuedRandom& random() { return *random_; }
  components::Clock& clock() { return clock_; }
  // The store's integer value as a fresh reader of the file sees it; -1 when the key is missing.
  int StoreValue(const std::string& key);
  // The host path of a file on the disc.
  std::string DiscFile(const std::string& relative) const { return (disc_.path() / relative).string(); }

  // A left click at a window point, or at the centre of a control.
  void Click(int x, int y);
  void Click(const components::Control& control);
  void MoveTo(const components::Control& control);

 private:
  TempDir disc_;
  TempDir machine_dir_;
  std::string store_seed_;
  std::unique_ptr<platform::wine::WinePlatform> machine_;
  components::Clock clock_;
  RecordingHost host_;
  FakePlayer player_;
  QueuedRandom* random_ = nullptr;
  std::unique_ptr<menu::MainForm> form_;
};

}  // namespace norva::test
