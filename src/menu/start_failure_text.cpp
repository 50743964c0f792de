#include "menu/start_failure_text.h"

namespace norva::menu {
namespace {

// "Windows programs cannot start on this computer: Wine is not installed..."
constexpr int kNoWine = 52;
// "%1 is a 32-bit Windows program, but the 32-bit part of Wine is not installed..."
constexpr int kNo32BitWine = 53;
// "%1 is not a Windows program that Wine can run..."
constexpr int kNotWindowsProgram = 54;

}  // namespace

std::string StartFailureText(const strings::Messages& messages, int language, platform::StartFailure failure,
                             std::string_view program) {
  int message = 0;
  switch (failure) {
    case platform::StartFailure::kNone:
      return {};
    case platform::StartFailure::kNoWine:
      message = kNoWine;
      break;
    case platform::StartFailure::kNo32BitWine:
      message = kNo32BitWine;
      break;
    case platform::StartFailure::kNotWindowsProgram:
      message = kNotWindowsProgram;
      break;
  }
  return messages.LoadSpecial(language * 100 + message, program);
}

}  // namespace norva::menu
