#include "platform/wine/wine_halves.h"

#include "platform/wine/windows_program.h"

#include <array>
#include <filesystem>
#include <fstream>

namespace norva::platform::wine {
namespace {

namespace fs = std::filesystem;

// The class byte of an ELF file: 1 for 32-bit, 2 for 64-bit processors; 0 for anything else.
int ElfClass(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::array<char, 5> ident{};
  if (!in.read(ident.data(), ident.size())) return 0;
  if (ident[0] != 0x7f || ident[1] != 'E' || ident[2] != 'L' || ident[3] != 'F') return 0;
  return ident[4];
}

bool IsElf32(const fs::path& file) {
  return ElfClass(file) == 1;
}

}  // namespace

bool IsWineRunner(const std::vector<std::string>& runner) {
  return !runner.empty() && fs::path(runner.front()).filename().string().starts_with("wine");
}

bool WineRuns32Bit(const std::vector<std::string>& runner) {
  if (runner.empty()) return false;
  std::error_code ec;
  const fs::path program = fs::weakly_canonical(runner.front(), ec);
  if (IsElf32(program)) return true;
  const fs::path bin = program.parent_path();
  for (const fs::path& loader : {bin / "wine", fs::path("/usr/lib/wine/wine"), bin / "../lib/wine/wine"}) {
    if (IsElf32(loader)) return true;
  }
  // A Wine that runs 32-bit programs inside its 64-bit process needs only their Windows libraries; one whose
  // 32-bit half is a process of its own (it has 32-bit Unix libraries too) needs the loader found above.
  for (const fs::path& dir :
       {fs::path("/usr/lib/i386-linux-gnu/wine"), fs::path("/usr/lib/wine"), fs::path("/usr/lib32/wine"),
        bin / "../lib/wine", bin / "../lib64/wine", bin / "../lib32/wine"}) {
    if (fs::is_regular_file(dir / "i386-windows" / "ntdll.dll", ec) && !fs::exists(dir / "i386-unix", ec))
      return true;
  }
  return false;
}

StartFailure WhyWineCannotStart(const std::vector<std::string>& runner, const fs::path& host_program,
                                std::optional<bool>& runs_32bit) {
  if (!IsWineRunner(runner)) return StartFailure::kNone;
  const ProgramKind kind = KindOfProgram(host_program);
  const bool needs_32bit = kind == ProgramKind::kWindows32 || kind == ProgramKind::kWindows16;
  if (needs_32bit && !runs_32bit) runs_32bit = WineRuns32Bit(runner);
  return WineCanRun(kind, runs_32bit.value_or(true));
}

std::vector<std::string> Wine64Loader(const std::vector<std::string>& wine) {
  if (!IsWineRunner(wine)) return wine;
  std::error_code ec;
  const fs::path program = fs::weakly_canonical(wine.front(), ec);
  if (ElfClass(program) == 2) return wine;
  const fs::path bin = program.parent_path();
  for (const fs::path& loader :
       {bin / "wine64", fs::path("/usr/lib/wine/wine64"), bin / "../lib/wine/wine64"}) {
    if (ElfClass(loader) == 2) {
      std::vector<std::string> words = wine;
      words.front() = fs::weakly_canonical(loader, ec).string();
      return words;
    }
  }
  return wine;
}

}  // namespace norva::platform::wine
