// Machine facts and disc location at start-up, on fakes of the machine.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "installed/system_folders.h"
#include "menu/disc_location.h"

namespace norva::menu {
namespace {

using platform::RegRoot;

class FakeSystem : public platform::SystemInfo {
 public:
  int PlatformId() override { return platform_id; }
  std::string WindowsDirectory() override { return "C:\\WINDOWS"; }
  std::string SystemDirectory() override { return "C:\\WINDOWS\\system32"; }
  std::optional<std::string> GetEnv(std::string_view name) override {
    auto it = env.find(std::string(name));
    if (it == env.end()) return std::nullopt;
    return it->second;
  }
  bool IsAdmin() override { return true; }
  std::string ProgramPath() override { return "C:\\NORVA\\NORVA.EXE"; }

  int platform_id = 2;
  std::map<std::string, std::string> env;
};

class FakeRegistry : public platform::Registry {
 public:
  bool KeyExists(RegRoot, std::string_view) override { return true; }
  std::optional<std::string> ReadString(RegRoot root, std::string_view, std::string_view name) override {
    auto it = values.find({root, std::string(name)});
    if (it == values.end()) return std::nullopt;
    return it->second;
  }
  bool HasSubKeys(RegRoot, std::string_view) override { return false; }
  std::vector<std::string> SubKeyNames(RegRoot, std::string_view) override { return {}; }
  std::vector<std::string> ValueNames(RegRoot, std::string_view) override { return {}; }
  bool DeleteValue(RegRoot, std::string_view, std::string_view) override { return false; }
  bool DeleteKey(RegRoot, std::string_view) override { return false; }
  bool DeleteEmptyKey(RegRoot, std::string_view) override { return false; }

  std::map<std::pair<RegRoot, std::string>, std::string> values;
};

TEST(LoadSystemInfo, FoldersFromTheShellFoldersKeysWithTheirFallbacks) {
  FakeSystem system;
  FakeRegistry registry;
  registry.values[{RegRoot::kLocalMachine, "Desktop"}] = "C:\\Users\\Public\\Desktop";
  registry.values[{RegRoot::kLocalMachine, "Common Programs"}] = "C:\\ProgramData\\Start\\Programs\\";
  registry.values[{RegRoot::kLocalMachine, "Programs"}] = "C:\\Not\\This";
  registry.values[{RegRoot::kCurrentUser, "Desktop"}] = "C:\\users\\jan\\Desktop\\";
  const auto f = installed::LoadSystemInfo(system, registry);
  EXPECT_EQ(f.OSName, "Windows NT");
  EXPECT_EQ(f.WindowsDir, "C:\\WINDOWS\\");
  EXPECT_EQ(f.SystemDir, "C:\\WINDOWS\\system32\\");
  EXPECT_EQ(f.ProgramFilesDir, "C:\\Program Files\\");
  EXPECT_EQ(f.CommonDesktopDir, "C:\\Users\\Public\\Desktop\\")
      << "the Desktop value stands in for an empty one";
  EXPECT_EQ(f.CommonProgramsDir, "C:\\ProgramData\\Start\\Programs\\") << "no second backslash";
  EXPECT_EQ(f.UserDesktopDir, "C:\\users\\jan\\Desktop\\");
  EXPECT_EQ(f.UserProgramsDir, "C:\\WINDOWS\\\\Start Menu\\Programs\\")
      << "fallback under the Windows folder";
  EXPECT_EQ(f.TempDir, "") << "TMP unset gives no folder, not a lone backslash";
}

TEST(LoadSystemInfo, PlatformFamiliesAndTemp) {
  FakeSystem system;
  FakeRegistry registry;
  system.env["TMP"] = "C:\\TEMP";
  for (auto [id, name] : {std::pair{0, "Windows 3.1"}, {1, "Windows 95"}, {2, "Windows NT"}, {3, ""}}) {
    system.platform_id = id;
    const auto f = installed::LoadSystemInfo(system, registry);
    EXPECT_EQ(f.OSName, name);
    EXPECT_EQ(f.TempDir, "C:\\TEMP\\");
    EXPECT_EQ(f.UserDesktopDir, "C:\\WINDOWS\\\\Desktop\\");
    EXPECT_EQ(f.CommonDesktopDir, "");
  }
}

// Only the existence checks matter to the disc scan.
class FakeFiles : public platform::FileSystem {
 public:
  std::optional<std::string> HostPath(std::string_view) override { return std::nullopt; }
  bool FileExists(std::string_view path) override { return files.count(std::string(path)) > 0; }
  bool DirExists(std::string_view) override { return false; }
  std::optional<std::string> ReadFile(std::string_view) override { return std::nullopt; }
  bool WriteFileAtomic(std::string_view, std::string_view, platform::Error*) override { return false; }
  std::optional<std::vector<platform::DirEntry>> ListDir(std::string_view) override { return std::nullopt; }
  bool CreateDir(std::string_view, platform::Error*) override { return false; }
  bool RemoveFile(std::string_view, platform::Error*) override { return false; }
  bool RemoveDir(std::string_view, platform::Error*) override { return false; }
  bool SetReadOnly(std::string_view, bool) override { return false; }
  std::string CurrentDir() override { return "C:\\"; }
  bool SetCurrentDir(std::string_view) override { return true; }

  std::set<std::string> files;
};

TEST(LocateDisc, OnlyACopyOnCScansAndTakesTheFirstDriveWithBothFiles) {
  FakeFiles files;
  files.files = {"D:\\NORVA.EXE", "F:\\NORVA.EXE", "F:\\Norva\\NORVAXP.ini", "G:\\NORVA.EXE",
                 "G:\\Norva\\NORVAXP.ini"};
  EXPECT_EQ(LocateDisc("C:\\NORVA\\NORVA.EXE", files), "F:");
  EXPECT_EQ(LocateDisc("E:\\NORVA.EXE", files), "E:") << "any other drive is taken unchecked";
  EXPECT_EQ(LocateDisc("c:\\norva.exe", files), "c:") << "the comparison with C: is exact";
  files.files = {"Z:\\NORVA.EXE", "Z:\\Norva\\NORVAXP.ini"};
  EXPECT_EQ(LocateDisc("C:\\NORVA.EXE", files), "Z:");
  files.files.clear();
  EXPECT_EQ(LocateDisc("C:\\NORVA.EXE", files), std::nullopt);
}

}  // namespace
}  // namespace norva::menu
