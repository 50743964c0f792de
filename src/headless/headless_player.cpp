#include "headless/headless_player.h"

#include <algorithm>

#include "platform/wine/host_file.h"

namespace norva::headless {
namespace {

using components::kPlayerClosed;
using components::kPlayerFinished;
using components::kPlayerPaused;
using components::kPlayerPlaying;
using components::kPlayerStopped;

// The size of a regular file that can be opened for reading, or nothing. Only a regular file is opened, and
// without blocking: a FIFO named as a tune would otherwise hang the menu in open().
std::optional<std::uintmax_t> ReadableSize(const std::string& host_path) {
  if (host_path.empty()) return std::nullopt;
  const auto stamp = platform::wine::ProbeHostFile(host_path);
  if (!stamp) return std::nullopt;
  return stamp->size;
}

}  // namespace

bool HeadlessPlayer::SetModulePath(const std::string& host_path) {
  module_path_ = host_path;
  return true;
}

bool HeadlessPlayer::LoadModule() {
  module_loaded_ = ReadableSize(module_path_).has_value();
  return module_loaded_;
}

bool HeadlessPlayer::UnloadModule() {
  module_loaded_ = false;
  open_tune_.clear();
  output_open_ = false;
  length_ms_ = 0;
  mode_ = kPlayerClosed;
  return true;
}

bool HeadlessPlayer::SetInputMode(components::PlayerInput) {
  return module_loaded_;
}

bool HeadlessPlayer::SetInputName(const std::string& host_path) {
  input_name_ = host_path;
  return module_loaded_;
}

bool HeadlessPlayer::SetOutputMode(components::PlayerOutput) {
  return module_loaded_;
}

bool HeadlessPlayer::OpenInput() {
  // Opening a tune closes the one before, whether or not the new one opens.
  open_tune_.clear();
  output_open_ = false;
  length_ms_ = 0;
  mode_ = kPlayerClosed;
  if (!module_loaded_) return false;
  const auto size = ReadableSize(input_name_);
  if (!size) return false;
  open_tune_ = input_name_;
  length_ms_ = std::max<std::int64_t>(1, static_cast<std::int64_t>(*size) / kBytesPerMs);
  return true;
}

bool HeadlessPlayer::OpenOutput() {
  if (open_tune_.empty()) return false;
  output_open_ = true;
  mode_ = kPlayerStopped;
  played_before_ = 0;
  return true;
}

bool HeadlessPlayer::Play() {
  if (!output_open_) return false;
  mode_ = kPlayerPlaying;
  played_before_ = 0;
  resumed_at_ = clock_.Now();
  return true;
}

bool HeadlessPlayer::Pause() {
  if (!output_open_) return false;
  if (Mode() == kPlayerPlaying) {
    played_before_ = Played();
    mode_ = kPlayerPaused;
  }
  return true;
}

bool HeadlessPlayer::Resume() {
  if (!output_open_) return false;
  if (mode_ == kPlayerPaused) {
    mode_ = kPlayerPlaying;
    resumed_at_ = clock_.Now();
  }
  return true;
}

bool HeadlessPlayer::Stop() {
  if (!output_open_) return false;
  mode_ = kPlayerStopped;
  played_before_ = 0;
  return true;
}

std::optional<int> HeadlessPlayer::Mode() {
  // A playing tune ends by itself once the clock has run past its length.
  if (mode_ == kPlayerPlaying && Played() >= length_ms_) {
    mode_ = kPlayerFinished;
    played_before_ = length_ms_;
  }
  return mode_;
}

std::int64_t HeadlessPlayer::Played() const {
  if (mode_ != kPlayerPlaying) return played_before_;
  return played_before_ + (clock_.Now() - resumed_at_);
}

}  // namespace norva::headless
