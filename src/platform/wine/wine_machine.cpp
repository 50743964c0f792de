#include "platform/wine/wine_machine.h"

#include <cstdlib>
#include <string_view>

#include "platform/unicode_text.h"
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
  std::unique_ptr<WineMachine> machine(new WineMachine(prefix, disc_letter, user != nullptr ? user : ""));
  if (disc_letter != 0) machine->RegisterDiscDrive(disc_letter);
  for (const fs::path& disc : options.mounted_discs) {
    // A mounted disc that gets no letter is only not found by the scan; the start goes on.
    std::string ignored;
    if (const char letter = MapDisc(prefix, disc, &ignored); letter != 0) machine->RegisterDiscDrive(letter);
  }
  return machine;
}

void WineMachine::RegisterDiscDrive(char letter) {
  // Windows programs learn a drive's type from Wine's drive table, read when a wineserver starts; without an
  // entry, a letter that shows a folder is a fixed disk, and setups looking for their CD fail.
  constexpr std::string_view kDrives = "Software\\Wine\\Drives";
  const std::string name{static_cast<char>(letter - 'A' + 'a'), ':'};
  const std::optional<std::string> type = registry_.ReadString(RegRoot::kLocalMachine, kDrives, name);
  if (type && FoldCase(*type) == "CDROM") return;
  // A type that the prefix's owner gave a link of theirs stays.
  if (type && !DriveLinkMadeByMenu(prefix_, letter)) return;
  // A prefix that Wine has not set up yet gets its machine file now, so that the disc is a CD drive from the
  // first Windows program on; only when Wine is there to use it, with the architecture Wine would choose.
  std::optional<std::string_view> arch;
  if (!DefaultWineCommand().empty()) {
    const char* wanted = std::getenv("WINEARCH");
    arch = (wanted != nullptr && std::string_view(wanted) == "win32") ? "win32" : "win64";
  }
  // Without Wine (no file to make), or with a damaged machine file, the disc stays what the folder is.
  registry_.WriteString(RegRoot::kLocalMachine, kDrives, name, "cdrom", arch);
}

void WineMachine::SetAnsiCodePage(CodePage code_page) {
  files_.SetAnsiCodePage(code_page);
  registry_.SetAnsiCodePage(code_page);
  system_.SetAnsiCodePage(code_page);
}

}  // namespace norva::platform::wine
