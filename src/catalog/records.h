// The catalog records: one item of a content kind, as the catalog describes it. All texts are single-byte
// strings in the edition's ANSI code page, owned by the record. A default-constructed record is the empty
// record that fills unused array slots.
#pragma once

#include <cstdint>
#include <string>

namespace norva::catalog {

// A program-like item: demo, full version, shareware, reader's program, driver, extra.
// How an item is installed: the catalog's InstallType. The record keeps the number as the catalog wrote it,
// so that values without a name here keep their meaning ("no program is started").
enum InstallType : std::int32_t {
  kInstallFromDisc = 0,      // its setup runs from the disc folder; the item runs from the disc
  kInstallNothing = 1,       // no program is started
  kInstallUnpack = 2,        // its archive is unpacked into a folder the user chooses
  kInstallUnpackForced = 3,  // as kInstallUnpack, into the catalog's ForcedDir
  kInstallPolled = 4,        // its setup is started, and the menu polls until the item shows up
  kInstallSetup = 5,         // 5 to 9: its setup runs and the menu waits for it
  kInstallSierraSetup = 6,   // a setup that uninstalls itself in its own uninstall mode
  kInstallSetupLast = 9,
  kInstallSetupWait = 10,       // its setup runs and the menu waits for it
  kInstallReaderDocument = 11,  // a reader's document: nothing is installed
  kInstallDiscOnly = 12,        // 12 and above: nothing is installed, the item is used from the disc
  kInstallPlayedFromDisc = 20,  // a file the system's player plays from the disc
};

struct TDemos {
  std::string Name;      // list caption, prepared and upper-cased
  std::string FullName;  // full title of the detail panel
  std::string Title;     // Demo, Extra2 and Full items: the same text as Name; empty for the other kinds
  std::string Firm;
  std::string Describe0;    // description for interface language 0
  std::string Describe;     // description in the edition's language
  std::string DescribeAlt;  // description for interface language 4; a copy of Describe after loading
  std::string TechInfo;
  std::string UnInstallName;
  std::string
      InstalledDir;      // where detection found the item, without trailing backslash; empty after loading
  std::string GameName;  // program to run, relative to the installed or disc folder
  std::string Date;      // release date as the catalog writes it
  std::string RegUninstall;
  std::string RegKey;
  std::string RegName;
  std::string Uninstall;
  std::string Picture;
  std::string InstallDir;  // the item's folder on the disc, with the prefix of its kind
  std::string InstallName;
  std::string SetupName;
  std::string ReadmeName;
  std::string Param;  // the one extra value chosen by InstallType and DirDetect
  std::int32_t InstallType = 0;
  std::int32_t DirDetect = 0;
  std::int32_t Flags = 0;  // bit set of the detail panel's flag icons
  std::uint8_t NotInstalled = 0;
  std::uint8_t Runnable = 0;
  std::uint8_t Installed = 0;
  std::string Web;
  std::uint8_t CD = 0;  // number of the disc that holds the item's files
};

// One line of the catalog's [Updates] section.
struct TUpdate {
  std::string Name;  // prepared and upper-cased
  std::string Suffix;
  std::string FileName;  // program below the disc's \Updates\ folder
  std::string ReadmeName;
  std::uint8_t NoRun = 0;  // non-zero: the Play button does nothing
};

// One entry of the picture gallery.
struct TShot {
  std::string FullName;
  std::string Name;
  std::string Firm;
  std::string Date;
  std::string Describe0;
  std::string Describe;
  std::string DescribeAlt;
  std::string Web;
  std::string Picture;
};

// One film trailer.
struct TMovies {
  std::string Name;
  std::string Firm;
  std::string TechInfo;
  std::string FullName;
  std::string Describe0;
  std::string Describe;
  std::string InstallDir;  // disc root + the catalog's value, nothing inserted between
  std::string Date;
  std::string GameName;  // the film file
  std::string InstallName;
  std::uint8_t InstallType = 0;
  std::string Picture;
};

}  // namespace norva::catalog
