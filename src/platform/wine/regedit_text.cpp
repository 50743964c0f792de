#include "platform/wine/regedit_text.h"

#include <cstdio>

#include "platform/unicode_text.h"
#include "platform/wine/reg_text.h"

namespace norva::platform::wine {
namespace {

constexpr std::string_view kExportHeader = "Windows Registry Editor Version 5.00";

void AppendUtf16Le(std::string& out, char32_t unit) {
  out += static_cast<char>(unit & 0xFF);
  out += static_cast<char>((unit >> 8) & 0xFF);
}

std::string Utf8ToUtf16Le(std::string_view text) {
  std::string out;
  out.reserve(text.size() * 2 + 2);
  AppendUtf16Le(out, 0xFEFF);
  for (std::size_t pos = 0; pos < text.size();) {
    char32_t code = NextUtf8(text, pos);
    if (code == kInvalidUtf8) code = 0xFFFD;
    if (code >= 0x10000) {
      code -= 0x10000;
      AppendUtf16Le(out, 0xD800 + (code >> 10));
      AppendUtf16Le(out, 0xDC00 + (code & 0x3FF));
    } else {
      AppendUtf16Le(out, code);
    }
  }
  return out;
}

// A name or text between the quotes of a regedit file.
std::string QuoteForRegedit(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '\\' || c == '"') {
      out += '\\';
      out += c;
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else {
      out += c;
    }
  }
  return out + "\"";
}

// The key line's path as regedit files write it: the root, then the components, '\' between them.
std::string KeyLine(std::string_view root_name, std::string_view path, bool deletion) {
  std::string line = deletion ? "[-" : "[";
  line += root_name;
  if (!path.empty()) line += "\\" + std::string(path);
  return line + "]\r\n";
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualNoCase(text.substr(0, prefix.size()), prefix);
}

}  // namespace

std::string EscapeRegText(std::string_view utf8) {
  std::string out;
  for (std::size_t pos = 0; pos < utf8.size();) {
    const char32_t code = NextUtf8(utf8, pos);
    char escape[16];
    switch (code) {
      case '\\':
        out += "\\\\";
        continue;
      case '"':
        out += "\\\"";
        continue;
      case '[':
        out += "\\[";
        continue;
      case ']':
        out += "\\]";
        continue;
      case '\n':
        out += "\\n";
        continue;
      case '\r':
        out += "\\r";
        continue;
      case '\t':
        out += "\\t";
        continue;
      default:
        break;
    }
    if (code >= 0x20 && code < 0x7F) {
      out += static_cast<char>(code);
    } else if (code < 0x20) {
      std::snprintf(escape, sizeof escape, "\\%03o", static_cast<unsigned>(code));
      out += escape;
    } else {
      const char32_t value = code == kInvalidUtf8 ? 0xFFFD : code;
      if (value >= 0x10000) {
        std::snprintf(escape, sizeof escape, "\\x%04x\\x%04x",
                      static_cast<unsigned>(0xD800 + ((value - 0x10000) >> 10)),
                      static_cast<unsigned>(0xDC00 + ((value - 0x10000) & 0x3FF)));
      } else {
        std::snprintf(escape, sizeof escape, "\\x%04x", static_cast<unsigned>(value));
      }
      out += escape;
    }
  }
  return out;
}

std::optional<std::string> WineTextFromExport(std::string_view bytes, std::string_view root_name) {
  if (bytes.size() < 2 || static_cast<unsigned char>(bytes[0]) != 0xFF ||
      static_cast<unsigned char>(bytes[1]) != 0xFE)
    return std::nullopt;
  const std::string text = Utf16LeToUtf8(bytes.substr(2));
  std::string out = "WINE REGISTRY Version 2\n";
  std::size_t start = 0;
  bool first = true;
  bool keep = false;  // inside a key of the wanted root
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    end = end == std::string::npos ? text.size() : end + 1;
    std::string_view line = std::string_view(text).substr(start, end - start);
    start = end;
    std::string_view content = line;
    while (!content.empty() && (content.back() == '\n' || content.back() == '\r')) content.remove_suffix(1);
    if (first) {
      if (content != kExportHeader) return std::nullopt;
      first = false;
      continue;
    }
    if (content.starts_with('[')) {
      const std::size_t close = content.rfind(']');
      std::string_view path =
          content.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1);
      keep = StartsWithNoCase(path, root_name) &&
             (path.size() == root_name.size() || path[root_name.size()] == '\\');
      if (!keep) continue;
      path.remove_prefix(std::min(path.size(), root_name.size() + 1));
      out += "[" + EscapeRegText(path) + "]\n";
      continue;
    }
    if (keep) out += line;
  }
  if (first) return std::nullopt;
  return out;
}

void RegeditScript::DeleteKey(std::string_view root_name, std::string_view path) {
  text_ += "\r\n" + KeyLine(root_name, path, true);
}

void RegeditScript::DeleteValue(std::string_view root_name, std::string_view path, std::string_view name) {
  text_ += "\r\n" + KeyLine(root_name, path, false) + (name.empty() ? "@" : QuoteForRegedit(name)) + "=-\r\n";
}

void RegeditScript::SetString(std::string_view root_name, std::string_view path, std::string_view name,
                              std::string_view value) {
  text_ += "\r\n" + KeyLine(root_name, path, false) + (name.empty() ? "@" : QuoteForRegedit(name)) + "=" +
           QuoteForRegedit(value) + "\r\n";
}

std::string RegeditScript::Bytes() const {
  return Utf8ToUtf16Le(std::string(kExportHeader) + "\r\n" + text_);
}

}  // namespace norva::platform::wine
