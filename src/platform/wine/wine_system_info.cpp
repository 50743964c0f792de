#include "platform/wine/wine_system_info.h"

#include <algorithm>
#include <system_error>

namespace norva::platform::wine {
namespace fs = std::filesystem;

namespace {

constexpr std::string_view kProfileList = "Software\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList";
// Wine's fixed security identifier of its one local user.
constexpr std::string_view kUserSid = "S-1-5-21-0-0-0-1000";
constexpr std::string_view kSystemEnvironment =
    "System\\CurrentControlSet\\Control\\Session Manager\\Environment";

std::string UpperAscii(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

using Environment = std::vector<std::pair<std::string, std::string>>;

const std::string* Find(const Environment& env, std::string_view name) {
  const std::string wanted = UpperAscii(name);
  for (const auto& [key, value] : env) {
    if (UpperAscii(key) == wanted) return &value;
  }
  return nullptr;
}

void Set(Environment& env, std::string name, std::string value) {
  const std::string wanted = UpperAscii(name);
  for (auto& [key, old] : env) {
    if (UpperAscii(key) == wanted) {
      old = std::move(value);
      return;
    }
  }
  env.emplace_back(std::move(name), std::move(value));
}

// As ExpandEnvironmentStrings: %NAME% of a known variable is replaced, anything else stays as written.
std::string Expand(std::string_view text, const Environment& env) {
  std::string out;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t open = text.find('%', pos);
    if (open == std::string_view::npos) break;
    const std::size_t close = text.find('%', open + 1);
    if (close == std::string_view::npos) break;
    out.append(text.substr(pos, open - pos));
    const std::string* value = Find(env, text.substr(open + 1, close - open - 1));
    if (value != nullptr) {
      out += *value;
      pos = close + 1;
    } else {
      out += '%';
      pos = open + 1;  // the closing '%' may open the next reference
    }
  }
  out.append(text.substr(pos));
  return out;
}

bool IsSharedProfile(const std::string& name) {
  const std::string upper = UpperAscii(name);
  return upper == "PUBLIC" || upper == "DEFAULT" || upper == "ALL USERS" || upper == "DEFAULT USER" ||
         name.starts_with('.');
}

}  // namespace

WineSystemInfo::WineSystemInfo(fs::path prefix, Registry& registry, char disc_letter, std::string host_user)
    : prefix_(std::move(prefix)),
      registry_(registry),
      disc_letter_(disc_letter),
      host_user_(std::move(host_user)) {}

std::string WineSystemInfo::UserName() {
  // The profile folder Wine made for its user, preferring the host user's own.
  std::vector<std::string> candidates;
  std::error_code ec;
  for (fs::directory_iterator it(prefix_ / "drive_c" / "users", ec), end; !ec && it != end;
       it.increment(ec)) {
    std::error_code entry_ec;
    const std::string name = it->path().filename().string();
    if (it->is_directory(entry_ec) && !IsSharedProfile(name)) candidates.push_back(name);
  }
  std::ranges::sort(candidates);
  for (const std::string& name : candidates) {
    if (UpperAscii(name) == UpperAscii(host_user_)) return Utf8ToAnsi(name, code_page_);
  }
  if (!candidates.empty()) return Utf8ToAnsi(candidates.front(), code_page_);
  return Utf8ToAnsi(host_user_.empty() ? "user" : host_user_, code_page_);
}

std::string WineSystemInfo::ProfileDirectory(const Environment& base) {
  const std::string user_key = std::string(kProfileList) + "\\" + std::string(kUserSid);
  if (const auto image = registry_.ReadString(RegRoot::kLocalMachine, user_key, "ProfileImagePath")) {
    if (!image->empty()) return Expand(*image, base);
  }
  std::string profiles = "C:\\users";
  if (const auto directory =
          registry_.ReadString(RegRoot::kLocalMachine, kProfileList, "ProfilesDirectory")) {
    if (!directory->empty()) profiles = Expand(*directory, base);
  }
  return profiles + "\\" + UserName();
}

WineSystemInfo::Environment WineSystemInfo::BuildEnvironment() {
  Environment env;
  Set(env, "SystemDrive", "C:");
  Set(env, "SystemRoot", WindowsDirectory());
  Set(env, "windir", WindowsDirectory());
  Set(env, "ComSpec", SystemDirectory() + "\\cmd.exe");
  Set(env, "OS", "Windows_NT");
  Set(env, "ProgramFiles", "C:\\Program Files");
  Set(env, "CommonProgramFiles", "C:\\Program Files\\Common Files");
  Set(env, "USERNAME", UserName());
  const auto profile_value = [&](std::string_view name, std::string fallback) {
    const auto value = registry_.ReadString(RegRoot::kLocalMachine, kProfileList, name);
    return (value && !value->empty()) ? Expand(*value, env) : fallback;
  };
  Set(env, "ProgramData", profile_value("ProgramData", "C:\\ProgramData"));
  Set(env, "ALLUSERSPROFILE", *Find(env, "ProgramData"));
  Set(env, "PUBLIC", profile_value("Public", "C:\\users\\Public"));
  const std::string profile = ProfileDirectory(env);
  Set(env, "USERPROFILE", profile);
  Set(env, "APPDATA", profile + "\\AppData\\Roaming");
  Set(env, "LOCALAPPDATA", profile + "\\AppData\\Local");

  // The system's variables, then the user's, each expanded against what is known so far.
  for (const auto& [root, key] : {std::pair{RegRoot::kLocalMachine, kSystemEnvironment},
                                  std::pair{RegRoot::kCurrentUser, std::string_view("Environment")}}) {
    for (const std::string& name : registry_.ValueNames(root, key)) {
      if (name.empty()) continue;
      const std::optional<std::string> value = registry_.ReadString(root, key, name);
      if (value) Set(env, name, Expand(*value, env));
    }
  }
  for (const char* name : {"TEMP", "TMP"}) {
    if (Find(env, name) == nullptr) Set(env, name, WindowsDirectory() + "\\temp");
  }
  return env;
}

std::optional<std::string> WineSystemInfo::GetEnv(std::string_view name) {
  const Environment env = BuildEnvironment();
  const std::string* value = Find(env, name);
  if (value == nullptr) return std::nullopt;
  return *value;
}

std::string WineSystemInfo::ProgramPath() {
  if (disc_letter_ != 0) return std::string{disc_letter_, ':', '\\'} + "NORVA.EXE";
  return "C:\\NORVA\\NORVA.EXE";
}

}  // namespace norva::platform::wine
