// The music player lives in a module of its own (Qt Multimedia and the decoders under it), loaded when the
// menu first sets up a tune, seconds after the window is on the screen: a start does not pay for linking the
// media stack. Until then, and on a machine where the module does not load, the player answers as one
// without music would.
#pragma once

#include <QString>
#include <memory>
#include <string>

#include "components/player.h"

namespace norva::frontend::qt {

// The name of the module's entry point: `components::Player* norva_make_player()`, a new player owned by the
// caller.
inline constexpr char kMakePlayerSymbol[] = "norva_make_player";

class ModulePlayer : public components::Player {
 public:
  // `module`: the module's file; empty to look beside the program (see MusicModulePath).
  explicit ModulePlayer(QString module = {});
  ~ModulePlayer() override;

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

  // Whether the module is loaded (for tests).
  bool loaded() const { return player_ != nullptr; }

 private:
  // The real player, loaded on first need; null when the module is missing (said once on the terminal).
  components::Player* Real();
  // The real player's answer, or false without one.
  template <class Operation>
  bool Forward(Operation operation) {
    components::Player* real = Real();
    return real != nullptr && operation(*real);
  }

  QString module_;
  bool tried_ = false;
  std::unique_ptr<components::Player> player_;
};

// Selects Qt Multimedia's FFmpeg backend unless the user named one in QT_MEDIA_BACKEND. Must run before the
// application object is made. The FFmpeg backend comes with Qt Multimedia itself and decodes MP3 through the
// libraries Qt already depends on; the GStreamer backend needs plugin packages that a bare machine lacks, and
// Qt 6.4 crashes while making a player without them.
void ChooseMediaBackend();

// Where the music module is: beside the program, in the helper folder of an installed program
// (NORVA_HELPER_DIR from the program's folder: <prefix>/libexec/norva), or where the build made it.
QString MusicModulePath();

}  // namespace norva::frontend::qt
