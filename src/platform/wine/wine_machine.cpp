#include "platform/wine/wine_machine.h"

#include <cstdlib>

#include "platform/wine/prefix.h"

namespace norva::platform::wine {
namespace fs = std::filesystem;

WineMachine::WineMachine(fs::path prefix, char disc_letter, std::string host_user)
    : prefix_(std::move(prefix)),
      disc_letter_(disc_letter),
      files_(prefix_),
      registry_(prefix_),
      drives_(prefix_, registry_, disc_letter_),
      system_(prefix_, registry_, disc_letter_, std::move(host_user)) {}

std::unique_ptr<WineMachine> WineMachine::Open(const WineMachineOptions& options, std::string* error) {
  std::string local_error;
  std::string* sink = error != nullptr ? error : &local_error;
  if (options.prefix.empty()) {
    *sink = "no folder given for the Windows machine";
    return nullptr;
  }
  std::error_code ec;
  const fs::path prefix = fs::absolute(options.prefix, ec);
  if (ec) {
    *sink = "cannot use " + options.prefix.string() + ": " + ec.message();
    return nullptr;
  }
  if (!EnsurePrefixLayout(prefix, sink)) return nullptr;
  char disc_letter = 0;
  if (options.disc) {
    disc_letter = MapDisc(prefix, *options.disc, sink);
    if (disc_letter == 0) return nullptr;
  }
  const char* user = std::getenv("USER");
  return std::unique_ptr<WineMachine>(new WineMachine(prefix, disc_letter, user != nullptr ? user : ""));
}

void WineMachine::SetAnsiCodePage(CodePage code_page) {
  files_.SetAnsiCodePage(code_page);
  registry_.SetAnsiCodePage(code_page);
  system_.SetAnsiCodePage(code_page);
}

}  // namespace norva::platform::wine
