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
  for (const QString& candidate : {program + QLatin1Char('/') + QLatin1String(kModuleName),
                                   program + QStringLiteral("/../lib/norva/") + QLatin1String(kModuleName)}) {
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
  auto* real = Real();
  return real && real->SetModulePath(host_path);
}

bool ModulePlayer::LoadModule() {
  auto* real = Real();
  return real && real->LoadModule();
}

bool ModulePlayer::UnloadModule() {
  // Nothing to release before the module was needed.
  return player_ ? player_->UnloadModule() : true;
}

bool ModulePlayer::SetInputMode(components::PlayerInput mode) {
  auto* real = Real();
  return real && real->SetInputMode(mode);
}

bool ModulePlayer::SetInputName(const std::string& host_path) {
  auto* real = Real();
  return real && real->SetInputName(host_path);
}

bool ModulePlayer::SetOutputMode(components::PlayerOutput mode) {
  auto* real = Real();
  return real && real->SetOutputMode(mode);
}

bool ModulePlayer::OpenInput() {
  auto* real = Real();
  return real && real->OpenInput();
}

bool ModulePlayer::OpenOutput() {
  auto* real = Real();
  return real && real->OpenOutput();
}

bool ModulePlayer::Play() {
  auto* real = Real();
  return real && real->Play();
}

bool ModulePlayer::Pause() {
  auto* real = Real();
  return real && real->Pause();
}

bool ModulePlayer::Resume() {
  auto* real = Real();
  return real && real->Resume();
}

bool ModulePlayer::Stop() {
  auto* real = Real();
  return real && real->Stop();
}

std::optional<int> ModulePlayer::Mode() {
  // Asked by the menu's timers before any tune: no tune is open until the module is there.
  if (!player_) return components::kPlayerClosed;
  return player_->Mode();
}

}  // namespace norva::frontend::qt
