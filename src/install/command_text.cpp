#include "install/command_text.h"

#include <algorithm>
#include <cstddef>

namespace norva::install {
namespace {

// 1-based position of `needle` in `text`, 0 when absent (the positions the command-line rules count in).
long Pos(std::string_view needle, std::string_view text) {
  const auto found = text.find(needle);
  return found == std::string_view::npos ? 0 : static_cast<long>(found) + 1;
}

// `count` characters from the 1-based position `start`, clamped to the text: a start before the text begins
// at its first character, a negative count or a start past the end gives the empty text.
std::string Copy(std::string_view text, long start, long count) {
  if (start < 1) start = 1;
  const long length = static_cast<long>(text.size());
  if (count <= 0 || start > length) return {};
  count = std::min(count, length - start + 1);
  return std::string(text.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(count)));
}

std::string TrimRight(std::string_view text) {
  const auto end = text.find_last_not_of(' ');
  return end == std::string_view::npos ? std::string() : std::string(text.substr(0, end + 1));
}

bool Contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

}  // namespace

std::string UpperAscii(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

std::string DirectoryPart(std::string_view path) {
  const auto slash = path.find_last_of('\\');
  return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

std::string StripQuotes(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  for (char c : text) {
    if (c != '"') result += c;
  }
  return result;
}

std::string StripArguments(std::string_view text) {
  if (!Contains(text, " ") || !Contains(text, ".")) return std::string(text);
  return Copy(text, 1, Pos(".", text) + 3);
}

std::string WorkingDirOf(std::string_view text, const FileExistsFn& file_exists) {
  if (text.empty()) return {};
  const std::string plain = StripQuotes(text);
  const std::string upper = UpperAscii(plain);
  const bool exe = Contains(upper, ".EXE");
  const bool bat = Contains(upper, ".BAT");
  const bool com = Contains(upper, ".COM");

  std::string result;
  if (!exe && !bat && (Contains(plain, "freeloader.com") || !com)) {
    result = plain;
  } else {
    // The program runs up to the end of its extension; the one character after it is the separating blank
    // (or nothing), which the file test ignores.
    const auto program = [&](std::string_view extension) {
      return Copy(plain, 1, Pos(extension, upper) + 4);
    };
    const auto exists = [&](const std::string& candidate) {
      const std::string name = TrimRight(candidate);
      return !name.empty() && file_exists(name);
    };
    if (exe) {
      const std::string candidate = program(".EXE");
      result = exists(candidate) ? DirectoryPart(candidate) : DirectoryPart(plain);
    }
    if (bat) {
      const std::string candidate = program(".BAT");
      if (exists(candidate)) result = DirectoryPart(candidate);
    }
    if (com) {
      const std::string candidate = program(".COM");
      if (exists(candidate)) result = DirectoryPart(candidate);
    }
  }
  if (result.empty()) result = "C:\\";
  if (Contains(result, "\\BIN\\WIN32")) result += "..\\..\\";
  return result;
}

std::string DirFromUninstallString(std::string_view cmd) {
  if (cmd.empty()) return {};
  long a = 0;
  if (const long f_quoted = Pos(" -f\"", cmd); f_quoted > 0) {
    a = f_quoted + 4;
  } else if (const long f = Pos(" -f", cmd); f > 0) {
    a = f + 3;
  }
  long b = 0;
  if (const long c_quoted = Pos(" -c\"", cmd); c_quoted > 0) {
    b = c_quoted - 4;
  } else {
    b = Pos(" -c", cmd) - 3;
  }
  if (const long data_file = Pos("UNINST0.000\" \"", cmd); data_file > 0) a = data_file + 14;
  if (a == 0) a = Pos("\"", cmd) + 1;
  if (a < 5) a = Pos(" ", cmd) + 1;
  if (b < a) b = static_cast<long>(cmd.size());
  return DirectoryPart(Copy(cmd, a, b - a));
}

}  // namespace norva::install
