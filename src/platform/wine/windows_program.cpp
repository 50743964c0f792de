#include "platform/wine/windows_program.h"

#include <array>
#include <cstdint>
#include <fstream>

namespace norva::platform::wine {
namespace {

namespace fs = std::filesystem;

std::uint32_t Little(const unsigned char* bytes, int count) {
  std::uint32_t value = 0;
  for (int i = count - 1; i >= 0; --i) value = (value << 8) | bytes[i];
  return value;
}

std::string LowerExtension(const fs::path& path) {
  std::string ext = path.extension().string();
  for (char& c : ext) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return ext;
}

}  // namespace

ProgramKind KindOfProgram(const fs::path& host_file) {
  const std::string ext = LowerExtension(host_file);
  std::error_code ec;
  if (!fs::is_regular_file(host_file, ec)) return ProgramKind::kUnreadable;
  if (ext == ".bat" || ext == ".cmd") return ProgramKind::kScript;
  std::ifstream in(host_file, std::ios::binary);
  if (!in) return ProgramKind::kUnreadable;
  std::array<unsigned char, 64> dos{};
  in.read(reinterpret_cast<char*>(dos.data()), dos.size());
  const auto got = static_cast<std::size_t>(in.gcount());
  const bool mz = got >= 2 && dos[0] == 'M' && dos[1] == 'Z';
  if (!mz) return ext == ".com" && got > 0 ? ProgramKind::kDos : ProgramKind::kNotAProgram;
  if (got < dos.size()) return ProgramKind::kDos;
  const std::uint32_t header = Little(&dos[0x3c], 4);
  std::array<unsigned char, 26> windows{};
  in.clear();
  in.seekg(header);
  in.read(reinterpret_cast<char*>(windows.data()), windows.size());
  const auto header_bytes = static_cast<std::size_t>(in.gcount());
  if (header_bytes >= 2 && windows[0] == 'N' && windows[1] == 'E') return ProgramKind::kWindows16;
  if (header_bytes < windows.size() || windows[0] != 'P' || windows[1] != 'E' || windows[2] != 0 ||
      windows[3] != 0)
    return ProgramKind::kDos;
  const std::uint32_t machine = Little(&windows[4], 2);
  const std::uint32_t optional_magic = Little(&windows[24], 2);
  if (machine == 0x014c && optional_magic == 0x10b) return ProgramKind::kWindows32;
  if (machine == 0x8664 && optional_magic == 0x20b) return ProgramKind::kWindows64;
  return ProgramKind::kOtherPe;
}

StartFailure WineCanRun(ProgramKind kind, bool has_32bit) {
  switch (kind) {
    case ProgramKind::kWindows32:
    case ProgramKind::kWindows16:
      return has_32bit ? StartFailure::kNone : StartFailure::kNo32BitWine;
    case ProgramKind::kDos:
    case ProgramKind::kOtherPe:
      return StartFailure::kNotWindowsProgram;
    default:
      return StartFailure::kNone;
  }
}

}  // namespace norva::platform::wine
