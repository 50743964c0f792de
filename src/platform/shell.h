// Starting documents, addresses and programs by shell verb, and the log of every launch of the run.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/start_failure.h"

namespace norva::platform {

// ShowWindow values the menu passes.
inline constexpr int kShowNormal = 1;

// One launch as the state dump shows it.
struct LaunchRecord {
  enum class Op { kShell, kCreate };
  Op op = Op::kShell;
  // kShell
  std::string verb;
  std::string file;
  std::string params;
  std::string dir;
  int show = kShowNormal;
  // kCreate
  std::string cmd;
  bool wait = false;
  bool started = false;
  std::optional<int> exit_code;
};

class Shell {
 public:
  virtual ~Shell() = default;
  // As ShellExecute: "OPEN", "INSTALL" or "PLAY" of a document, program or http:// address. Returns a value
  // above 32 when the launch was handed over, else an error value (2 file not found, 31 no program for it).
  virtual int ShellExecute(std::string_view verb, std::string_view file, std::string_view params,
                           std::string_view dir, int show) = 0;
  // Why the last ShellExecute that was not handed over failed, when the machine is the cause; kNone
  // otherwise.
  virtual StartFailure LastStartFailure() const { return StartFailure::kNone; }
  // Whether the machine has a program for PDF documents (the menu otherwise installs the disc's reader).
  virtual bool PdfProgramRegistered() = 0;
  // Every launch since start, in order.
  virtual const std::vector<LaunchRecord>& Launches() const = 0;
};

}  // namespace norva::platform
