// A player for tests: records every call, answers the mode it is told, and fails the operation it is told.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "components/player.h"

namespace norva::test {

class FakePlayer : public components::Player {
 public:
  bool SetModulePath(const std::string& host_path) override { return Call("SetModulePath " + host_path); }
  bool LoadModule() override { return Call("LoadModule"); }
  bool UnloadModule() override { return Call("UnloadModule"); }
  bool SetInputMode(components::PlayerInput) override { return Call("SetInputMode"); }
  bool SetInputName(const std::string& host_path) override { return Call("SetInputName " + host_path); }
  bool SetOutputMode(components::PlayerOutput) override { return Call("SetOutputMode"); }
  bool OpenInput() override { return Call("OpenInput"); }
  bool OpenOutput() override { return Call("OpenOutput"); }
  bool Play() override { return Call("Play"); }
  bool Pause() override { return Call("Pause"); }
  bool Resume() override { return Call("Resume"); }
  bool Stop() override { return Call("Stop"); }
  std::optional<int> Mode() override { return mode; }

  std::vector<std::string> calls;
  std::optional<int> mode = components::kPlayerStopped;
  std::string fail;  // the operation (first word of its call) that answers false

 private:
  bool Call(const std::string& call) {
    calls.push_back(call);
    return call.substr(0, call.find(' ')) != fail;
  }
};

}  // namespace norva::test
