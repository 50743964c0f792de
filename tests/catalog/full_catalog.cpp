#include "catalog/full_catalog.h"

#include <array>
#include <string_view>

namespace norva::test {

namespace {

struct KindCapacity {
  std::string_view section;
  int capacity;
};

constexpr std::array<KindCapacity, 8> kDemosKinds{{{"Demo", 30},
                                                   {"Full", 15},
                                                   {"Share", 25},
                                                   {"Reader", 40},
                                                   {"Driver", 20},
                                                   {"Extra", 15},
                                                   {"Extra2", 15},
                                                   {"Movie", 30}}};

// "Příliš žluťoučký kůň úpěl ďábelské ódy" in Windows-1250.
constexpr std::string_view kCzech =
    "P\xf8\xedli\x9a \x9elu\x9dou\xe8k\xfd k\xf9\xf2 \xfap\xecl \xef\xe1\x62\x65lsk\xe9 \xf3\x64y";

class Writer {
 public:
  void Section(std::string_view name, int n = 0) {
    text_ += '[';
    text_ += name;
    if (n > 0) text_ += std::to_string(n);
    text_ += "]\r\n";
  }
  void Key(std::string_view key, std::string_view value) {
    text_ += key;
    text_ += '=';
    text_ += value;
    text_ += "\r\n";
  }
  void Key(std::string_view key, int value) { Key(key, std::to_string(value)); }
  std::string Take() { return std::move(text_); }

 private:
  std::string text_;
};

std::string Description(std::string_view kind, int n) {
  std::string text = std::string(kind) + " " + std::to_string(n) + ": ";
  for (int i = 0; i < 6; ++i) {
    text += kCzech;
    text += " & ";
  }
  text += "~pozn\xe1mka redakce";
  return text;
}

void ProgramItem(Writer& w, std::string_view section, int n) {
  const std::string id = std::string(section) + std::to_string(n);
  const int install_type = std::array{0, 1, 2, 3, 4, 5, 10}[n % 7];
  const int dir_detect = std::array{0, 3, 6, 7, 8, 10}[n % 6];
  w.Section(section, n);
  w.Key("Name", id + " Tom & Jerry~pozn\xe1mka");
  w.Key("FullName", id + " - " + std::string(kCzech));
  w.Key("Firm", "Bohemia Interactive & Co.");
  w.Key("Describe0", Description("Describe0", n));
  w.Key("Describe1", Description(id, n));
  w.Key("Describe4", Description("Describe4", n));
  w.Key("TechInfo", "Pentium III 800 MHz, 256 MB RAM, 3D karta 64 MB, DirectX 9.0c");
  w.Key("UnInstallName", "?Iuninst.exe");
  w.Key("GameName", id + ".exe:Hra;" + id + "3d.exe:Hra 3D");
  w.Key("Date", "15.1.2006");
  w.Key("RegUninstall", id + " Uninstall");
  w.Key("RegKey", "Bohemia\\" + id);
  w.Key("RegName", "InstallPath");
  w.Key("Uninstall", "D" + id + ",FC:\\windows\\" + id + ".ini");
  w.Key("Picture", id + ".jpg");
  w.Key("InstallDir", id);
  w.Key("InstallName", "setup.exe");
  w.Key("SetupName", "setup.exe");
  w.Key("ReadmeName", "readme.txt");
  w.Key("InstallType", install_type);
  w.Key("DirDetect", dir_detect);
  w.Key("Flags", n % 32);
  w.Key("Web", "http://www.example.cz/" + id);
  w.Key("CD", 1 + n % 2);
  w.Key("TestName", "C:\\Program Files\\" + id + "\\" + id + ".exe");
  w.Key("AfterInstall", id + ".txt");
  w.Key("UnpackedSize", "734003200");
  w.Key("FilesInArchive", "1200");
  w.Key("ForcedDir", "C:\\Games\\" + id);
  w.Key("ShortCut", id + "\\" + id + ".lnk");
  w.Key("DesktopShortCut", id + ".lnk");
  w.Key("IniFile", id + ".ini,Setup,Path");
  w.Key("SearchFile", id + ".exe,3,C:\\Games\\" + id);
}

}  // namespace

std::string FullCatalogText() {
  Writer w;
  w.Section("Main");
  w.Key("Demos", 30);
  w.Key("Shareware", 25);
  w.Key("Updates", 50);
  w.Key("Shots", 35);
  w.Key("Movies", 30);
  w.Key("Readers", 40);
  w.Key("Fulls", 15);
  w.Key("Drivers", 20);
  w.Key("Extra", 15);
  w.Key("Extra2", 15);
  w.Key("DVD", 1);
  w.Key("CD", "0206");
  w.Key("CDLabel", "");
  w.Key("Debug", 0);
  w.Key("Version", 1);
  w.Key("AcrobatReader", "Software\\Acrobat\\AdbeRdr70_csy.exe");

  for (const KindCapacity& kind : kDemosKinds) {
    for (int n = 1; n <= kind.capacity; ++n) ProgramItem(w, kind.section, n);
  }
  for (int n = 1; n <= 35; ++n) {
    const std::string id = "Shot" + std::to_string(n);
    w.Section("Shot", n);
    w.Key("Name", id + " Mafia & Co.~pozn\xe1mka");
    w.Key("FullName", id + " - " + std::string(kCzech));
    w.Key("Firm", "Illusion Softworks");
    w.Key("Date", "1.2.2006");
    w.Key("Describe0", Description("Describe0", n));
    w.Key("Describe1", Description(id, n));
    w.Key("Web", "http://www.example.cz/" + id);
    w.Key("Picture", id + ".jpg");
  }
  w.Section("Updates");
  for (int n = 1; n <= 50; ++n) {
    const std::string id = std::to_string(n);
    w.Key("Update" + id, "Patch " + id + " pro hru " + std::string(kCzech) + ",1." + id + ",patch" + id +
                             ".exe,patch" + id + ".txt," + std::to_string(n % 2));
  }
  return w.Take();
}

}  // namespace norva::test
