#include "frontend/qt/qt_player.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QFileInfo>
#include <QMediaDevices>
#include <QUrl>

namespace norva::frontend::qt {
namespace {

bool ReadableFile(const std::string& host_path) {
  const QFileInfo info(QString::fromStdString(host_path));
  return !host_path.empty() && info.isFile() && info.isReadable();
}

}  // namespace

int ModeOf(bool open, QMediaPlayer::PlaybackState state, QMediaPlayer::MediaStatus status) {
  if (!open) return components::kPlayerClosed;
  switch (state) {
    case QMediaPlayer::PlayingState:
      return components::kPlayerPlaying;
    case QMediaPlayer::PausedState:
      return components::kPlayerPaused;
    case QMediaPlayer::StoppedState:
      return status == QMediaPlayer::EndOfMedia ? components::kPlayerFinished : components::kPlayerStopped;
  }
  return components::kPlayerStopped;
}

QtPlayer::QtPlayer() = default;

QtPlayer::~QtPlayer() {
  Close();
  // The player's decoding and audio threads still use the output: detach and end the player first, then the
  // output, so that no sound-server stream is torn down under a running thread.
  if (player_) player_->setAudioOutput(nullptr);
  player_.reset();
  output_.reset();
}

void QtPlayer::Close() {
  if (player_) {
    player_->stop();
    player_->setSource(QUrl());
  }
  input_open_ = false;
  output_open_ = false;
}

bool QtPlayer::SetModulePath(const std::string& host_path) {
  module_path_ = host_path;
  return true;
}

bool QtPlayer::LoadModule() {
  module_loaded_ = ReadableFile(module_path_);
  return module_loaded_;
}

bool QtPlayer::UnloadModule() {
  Close();
  module_loaded_ = false;
  return true;
}

bool QtPlayer::SetInputMode(components::PlayerInput) {
  return true;
}

bool QtPlayer::SetInputName(const std::string& host_path) {
  input_name_ = host_path;
  return true;
}

bool QtPlayer::SetOutputMode(components::PlayerOutput) {
  return true;
}

bool QtPlayer::OpenInput() {
  Close();
  if (!module_loaded_ || !ReadableFile(input_name_)) return false;
  if (!player_) player_ = std::make_unique<QMediaPlayer>();
  // A media backend that could not set itself up makes a player without a service: no music.
  if (!player_->isAvailable()) return false;
  player_->setSource(QUrl::fromLocalFile(QString::fromStdString(input_name_)));
  // A file the decoder cannot read is refused at once; a later play() would clear the error and report a
  // silent "playing".
  if (player_->mediaStatus() == QMediaPlayer::InvalidMedia || player_->error() != QMediaPlayer::NoError) {
    player_->setSource(QUrl());
    return false;
  }
  input_open_ = true;
  return true;
}

bool QtPlayer::OpenOutput() {
  if (!input_open_) return false;
  const QAudioDevice device = QMediaDevices::defaultAudioOutput();
  if (device.isNull()) return false;
  if (!output_) output_ = std::make_unique<QAudioOutput>(device);
  player_->setAudioOutput(output_.get());
  output_open_ = true;
  return true;
}

bool QtPlayer::Play() {
  if (!output_open_ || player_->mediaStatus() == QMediaPlayer::InvalidMedia) return false;
  player_->setPosition(0);
  player_->play();
  return player_->error() == QMediaPlayer::NoError;
}

bool QtPlayer::Pause() {
  if (!output_open_) return false;
  if (player_->playbackState() == QMediaPlayer::PlayingState) player_->pause();
  return true;
}

bool QtPlayer::Resume() {
  if (!output_open_) return false;
  if (player_->playbackState() == QMediaPlayer::PausedState) player_->play();
  return true;
}

bool QtPlayer::Stop() {
  if (!output_open_) return false;
  player_->stop();
  player_->setPosition(0);
  return true;
}

std::int64_t QtPlayer::PositionMs() const {
  return player_ ? player_->position() : 0;
}

std::optional<int> QtPlayer::Mode() {
  if (!player_ || !input_open_) return components::kPlayerClosed;
  if (player_->error() != QMediaPlayer::NoError) return std::nullopt;
  return ModeOf(input_open_, player_->playbackState(), player_->mediaStatus());
}

}  // namespace norva::frontend::qt
