// The player of the headless front end. It plays nothing aloud but pretends nothing either: loading the
// module and opening a tune really check that the files are there and readable, and a playing tune runs on
// the virtual clock for a length derived from its file:
//
//   length in ms = file size in bytes / 16   (a 128 kbit/s MP3 holds 16 bytes per millisecond; at least 1 ms)
//
// so a script can wait for a tune to end and see the next one start.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "components/clock.h"
#include "components/player.h"

namespace norva::headless {

class HeadlessPlayer : public components::Player {
 public:
  static constexpr std::int64_t kBytesPerMs = 16;

  // `clock` is not owned and must outlive the player.
  explicit HeadlessPlayer(const components::Clock& clock) : clock_(clock) {}

  bool SetModulePath(const std::string& host_path) override;
  bool LoadModule() override;
  bool UnloadModule() override;
  bool SetInputMode(components::PlayerInput mode) override;
  bool SetInputName(const std::string& host_path) override;
  bool SetOutputMode(components::PlayerOutput mode) override;
  bool OpenInput() override;
  bool OpenOutput() override;
  bool Play() override;
  bool Pause() override;
  bool Resume() override;
  bool Stop() override;
  std::optional<int> Mode() override;

  // The open tune's host path and length in ms (0 when none is open).
  const std::string& tune() const { return open_tune_; }
  std::int64_t tune_length() const { return length_ms_; }

 private:
  // Milliseconds of the tune played so far.
  std::int64_t Played() const;

  const components::Clock& clock_;
  std::string module_path_;
  bool module_loaded_ = false;
  std::string input_name_;
  std::string open_tune_;
  bool output_open_ = false;
  std::int64_t length_ms_ = 0;
  int mode_ = components::kPlayerClosed;
  std::int64_t played_before_ = 0;  // ms played up to the last pause
  std::int64_t resumed_at_ = 0;     // clock time when playing last began
};

}  // namespace norva::headless
