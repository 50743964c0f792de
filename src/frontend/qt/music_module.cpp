#include "frontend/qt/music_module.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>

namespace norva::frontend::qt {
namespace {

constexpr char kModuleName[] = "norva-music.so";

}  // namespace

void ChooseMediaBackend() {
  if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND")) qputenv("QT_MEDIA_BACKEND", "ffmpeg");
}

QString MusicModulePath() {
  const QString program = QCoreApplication::applicationDirPath();
  for (const QString& candidate :
       {program + QLatin1Char('/') + QLatin1String(kModuleName),
        program + QStringLiteral("/" NORVA_HELPER_DIR "/") + QLatin1String(kModuleName)}) {
    if (QFileInfo(candidate).isFile()) return candidate;
  }
#ifdef NORVA_MUSIC_MODULE
  return QStringLiteral(NORVA_MUSIC_MODULE);
#else
  return program + QLatin1Char('/') + QLatin1String(kModuleName);
#endif
}

ModulePlayer::ModulePlayer(QString module) : module_(std::move(module)) {}

// The module stays loaded to the end of the process: its threads and Qt's own plugins may outlive the player.
ModulePlayer::~ModulePlayer() = default;

components::Player* ModulePlayer::Real() {
  if (tried_) return player_.get();
  tried_ = true;
  QLibrary library(module_.isEmpty() ? MusicModulePath() : module_);
  using MakePlayer = components::Player* (*)();
  const auto make = reinterpret_cast<MakePlayer>(library.resolve(kMakePlayerSymbol));
  if (make == nullptr) {
    qWarning("norva: no music: %s", qPrintable(library.errorString()));
    return nullptr;
  }
  player_.reset(make());
  return player_.get();
}

bool ModulePlayer::SetModulePath(const std::string& host_path) {
  return Forward([&](components::Player& real) { return real.SetModulePath(host_path); });
}

bool ModulePlayer::LoadModule() {
  return Forward([&](components::Player& real) { return real.LoadModule(); });
}

bool ModulePlayer::UnloadModule() {
  // Nothing to release before the module was needed.
  return player_ ? player_->UnloadModule() : true;
}

bool ModulePlayer::SetInputMode(components::PlayerInput mode) {
  return Forward([&](components::Player& real) { return real.SetInputMode(mode); });
}

bool ModulePlayer::SetInputName(const std::string& host_path) {
  return Forward([&](components::Player& real) { return real.SetInputName(host_path); });
}

bool ModulePlayer::SetOutputMode(components::PlayerOutput mode) {
  return Forward([&](components::Player& real) { return real.SetOutputMode(mode); });
}

bool ModulePlayer::OpenInput() {
  return Forward([&](components::Player& real) { return real.OpenInput(); });
}

bool ModulePlayer::OpenOutput() {
  return Forward([&](components::Player& real) { return real.OpenOutput(); });
}

bool ModulePlayer::Play() {
  return Forward([&](components::Player& real) { return real.Play(); });
}

bool ModulePlayer::Pause() {
  return Forward([&](components::Player& real) { return real.Pause(); });
}

bool ModulePlayer::Resume() {
  return Forward([&](components::Player& real) { return real.Resume(); });
}

bool ModulePlayer::Stop() {
  return Forward([&](components::Player& real) { return real.Stop(); });
}

std::optional<int> ModulePlayer::Mode() {
  // Asked by the menu's timers before any tune: no tune is open until the module is there.
  if (!player_) return components::kPlayerClosed;
  return player_->Mode();
}

}  // namespace norva::frontend::qt
