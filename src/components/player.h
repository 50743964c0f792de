// The audio player: one player of the menu's background music, driven through an external player module.
// Every operation answers false when it failed; the menu then stays silent. Files are host paths (the menu
// resolves its DOS paths before handing them over). Called from the user-interface thread only; the player
// plays on by itself between calls.
#pragma once

#include <optional>
#include <string>

namespace norva::components {

// The player's modes as Mode() reports them. The menu acts on kStopped (play again), kFinished (the tune
// has ended) and kPaused (resume); the others it leaves alone.
enum PlayerMode : int {
  kPlayerClosed = 0,    // no tune open
  kPlayerPlaying = 1,   // playing
  kPlayerStopped = 2,   // a tune is open and not playing
  kPlayerFinished = 3,  // the tune has played to its end
  kPlayerPaused = 5,    // paused in the middle of the tune
};

enum class PlayerInput { kFile };
enum class PlayerOutput { kDirectSound };

class Player {
 public:
  virtual ~Player() = default;

  // The module file that decodes and plays; loading checks that it is there and usable.
  virtual bool SetModulePath(const std::string& host_path) = 0;
  virtual bool LoadModule() = 0;
  // Closes any open tune and releases the module.
  virtual bool UnloadModule() = 0;

  virtual bool SetInputMode(PlayerInput mode) = 0;
  virtual bool SetInputName(const std::string& host_path) = 0;
  virtual bool SetOutputMode(PlayerOutput mode) = 0;
  // Opens the named tune (closing the one open before); the module must be loaded.
  virtual bool OpenInput() = 0;
  // Opens the output for the open tune; the tune is then stopped at its start.
  virtual bool OpenOutput() = 0;

  // Plays the open tune from its start.
  virtual bool Play() = 0;
  // Pauses a playing tune; on a tune that is not playing it changes nothing.
  virtual bool Pause() = 0;
  // Goes on with a paused tune; on a tune that is not paused it changes nothing.
  virtual bool Resume() = 0;
  // Stops and rewinds the open tune.
  virtual bool Stop() = 0;

  // The present mode (a PlayerMode value, or another small number of the module's own); nothing when the
  // player cannot tell.
  virtual std::optional<int> Mode() = 0;
};

}  // namespace norva::components
