// The background-music player on Qt Multimedia. The module file is only checked for being there and
// readable (the decoding is Qt's); a missing module or tune, an undecodable tune or no audio device make the
// operation answer false, and the menu stays silent.
#pragma once

#include <QMediaPlayer>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "components/player.h"

class QAudioOutput;

namespace norva::frontend::qt {

// The menu's player mode for the state of a Qt player that has a tune open (`open`).
int ModeOf(bool open, QMediaPlayer::PlaybackState state, QMediaPlayer::MediaStatus status);

class QtPlayer : public components::Player {
 public:
  QtPlayer();
  ~QtPlayer() override;

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

  // How far the open tune has played, in milliseconds (0 without one).
  std::int64_t PositionMs() const;

 private:
  void Close();

  std::string module_path_;
  bool module_loaded_ = false;
  std::string input_name_;
  bool input_open_ = false;
  bool output_open_ = false;
  // Made on first use, so that a run without music never starts the media backend.
  std::unique_ptr<QMediaPlayer> player_;
  std::unique_ptr<QAudioOutput> output_;
};

}  // namespace norva::frontend::qt
