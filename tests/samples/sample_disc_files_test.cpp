// Everything the sample disc's catalog names is on the disc, and its archives unpack to what the catalog
// says they hold.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "samples/sample_disc.h"
#include "support/temp_dir.h"

namespace norva::test {
namespace {

using Json = nlohmann::ordered_json;

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

bool IsArchive(const Json& record) {
  return Lower(record.value("InstallName", "")).ends_with(".rar");
}

// The programs of a GameName: one file, or a list of alternatives ("a.exe:Label;b.exe:Label", "a.exe:b.exe").
std::vector<std::string> Programs(const std::string& game_name) {
  const char separator = game_name.find(',') != std::string::npos   ? ','
                         : game_name.find(';') != std::string::npos ? ';'
                                                                    : ':';
  std::vector<std::string> programs;
  std::size_t start = 0;
  while (start <= game_name.size() && !game_name.empty()) {
    const std::size_t end = std::min(game_name.find(separator, start), game_name.size());
    const std::string entry = game_name.substr(start, end - start);
    programs.push_back(entry.substr(0, entry.find(':')));
    start = end + 1;
  }
  return programs;
}

// The keys of the built catalog, by lower-case "section/key".
std::map<std::string, std::string> CatalogKeys() {
  std::map<std::string, std::string> keys;
  std::ifstream in(SampleDisc() / "Norva" / "NORVAXP.INI", std::ios::binary);
  std::string line, section;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.starts_with("[")) {
      section = Lower(line.substr(1, line.find(']') - 1));
    } else if (const auto eq = line.find('='); eq != std::string::npos && !line.starts_with(";")) {
      keys[section + "/" + Lower(line.substr(0, eq))] = line.substr(eq + 1);
    }
  }
  return keys;
}

// Setups made by an installer maker hold the program and readme they install: an NSIS setup (its data begins
// with NSIS's signature) and a Windows Installer package (a compound file).
bool IsInstallerPackage(const std::filesystem::path& file) {
  const std::string data = TempDir::ReadFile(file);
  return data.find("NullsoftInst") != std::string::npos ||
         data.starts_with("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1");
}

bool ArchiveHolds(const ArchiveListing& listing, std::string file) {
  std::replace(file.begin(), file.end(), '\\', '/');
  return std::any_of(listing.files.begin(), listing.files.end(),
                     [&](const std::string& entry) { return Lower(entry) == Lower(file); });
}

class SampleDiscFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    start_ = LoadSampleDisc(machine_.path());
    ASSERT_FALSE(start_.empty()) << "the menu does not start on " << SampleDisc();
  }
  const Json& Records(const char* kind) const { return start_["records"][kind]; }

  TempDir machine_;
  Json start_;
};

TEST_F(SampleDiscFiles, EveryFileTheCatalogNamesIsOnTheDisc) {
  auto expect_file = [](const std::string& path, const std::string& who) {
    EXPECT_TRUE(FindOnDisc(path)) << who << " names " << path << ", missing";
  };
  auto expect_picture = [&](const std::string& picture, const std::string& who) {
    if (picture.empty()) return;
    if (FindOnDisc("Norva\\" + picture + "01.jpg"))
      expect_file("Norva\\Small\\" + picture + "01.bmp", who);
    else
      expect_file("Norva\\Small\\" + picture + ".bmp", who);
  };

  for (const char* kind : {"demos", "fulls", "readers", "extra", "extra2", "drivers", "shareware"}) {
    for (const auto& record : Records(kind)) {
      const std::string who = std::string(kind) + " " + record["Name"].get<std::string>();
      // Shareware folders lie under \Software; the other kinds hold their full disc path.
      const std::string dir = std::string(kind) == "shareware"
                                  ? "Software\\" + record["InstallDir"].get<std::string>()
                                  : record["InstallDir"].get<std::string>();
      const std::string install = record["InstallName"];
      if (!install.empty()) expect_file(dir + "\\" + install, who);
      expect_picture(record["Picture"], who);
      // An archive's readme and programs come out of the archive; the others are in the disc folder.
      if (IsArchive(record)) {
        const auto first = FindOnDisc(dir + "\\" + install);
        if (!first) continue;
        const ArchiveListing listing = ListArchive(*first);
        if (!record["ReadmeName"].get<std::string>().empty()) {
          EXPECT_TRUE(ArchiveHolds(listing, record["ReadmeName"])) << who << ": readme";
        }
        for (const auto& program : Programs(record["GameName"]))
          EXPECT_TRUE(ArchiveHolds(listing, program)) << who << ": " << program;
        continue;
      }
      if (const auto setup = FindOnDisc(dir + "\\" + install);
          !install.empty() && setup && IsInstallerPackage(*setup))
        continue;
      // A setup (with its settings <setup>.ini beside it) copies the program and readme from its payload;
      // a driver's readme is read on the disc.
      const std::string stem = install.substr(0, install.rfind('.'));
      const bool payload = std::string(kind) != "drivers" && FindOnDisc(dir + "\\" + stem + ".ini");
      const std::string from = payload ? dir + "\\payload" : dir;
      if (!record["ReadmeName"].get<std::string>().empty())
        expect_file(from + "\\" + record["ReadmeName"].get<std::string>(), who);
      for (const auto& program : Programs(record["GameName"])) expect_file(from + "\\" + program, who);
    }
  }
  for (const auto& shot : Records("shots"))
    expect_picture(shot["Picture"], "shot " + shot["Name"].get<std::string>());
  for (const auto& movie : Records("movies")) {
    const std::string who = "movie " + movie["Name"].get<std::string>();
    expect_file(movie["InstallDir"].get<std::string>() + "\\" + movie["GameName"].get<std::string>(), who);
    expect_picture(movie["Picture"], who);
  }
  for (const auto& update : Records("updates")) {
    const std::string who = "update " + update["Name"].get<std::string>();
    const std::string file = update["FileName"].get<std::string>();
    expect_file("Updates\\" + file, who);
    // The readme lies beside the update's program.
    const std::string folder =
        file.find('\\') == std::string::npos ? "" : file.substr(0, file.rfind('\\') + 1);
    if (!update["ReadmeName"].get<std::string>().empty())
      expect_file("Updates\\" + folder + update["ReadmeName"].get<std::string>(), who);
  }
  // What the menu itself opens: its fonts, music, audio module, page illustrations and the diskmag.
  for (const char* file :
       {"NORVA.EXE", "Norva\\bb.jpg", "Norva\\bc.jpg", "Norva\\music1.mp3", "Norva\\music2.mp3",
        "Norva\\elamp.esp", "Norva\\Small\\QUILLON.bmp", "Quillon\\index.htm"})
    expect_file(file, "the menu");
  for (const char* page : {"iko01", "iko02", "iko04", "iko06", "iko08", "ikoUNI"}) {
    for (const char* scheme : {"_GR", "_IND"})
      expect_file(std::string("Norva\\Small\\") + page + scheme + ".bmp", "the page illustrations");
  }
}

// Every real Windows program of the disc is a 32-bit one (PE32 for the i386), as on a disc of the time.
TEST_F(SampleDiscFiles, ProgramsAre32Bit) {
  std::size_t programs = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(SampleDisc())) {
    if (Lower(entry.path().extension().string()) != ".exe") continue;
    const std::string data = TempDir::ReadFile(entry.path());
    if (data.starts_with("MZ\r\nSample disc placeholder")) continue;
    ASSERT_GT(data.size(), 0x40u) << entry.path();
    std::uint32_t pe = 0;
    for (int i = 3; i >= 0; --i) pe = pe << 8 | static_cast<unsigned char>(data[0x3C + i]);
    ASSERT_LT(pe + 26, data.size()) << entry.path();
    EXPECT_EQ(data.substr(pe, 6), std::string("PE\0\0\x4C\x01", 6)) << entry.path() << ": not for the i386";
    EXPECT_EQ(data.substr(pe + 24, 2), "\x0B\x01") << entry.path() << ": not PE32";
    ++programs;
  }
  if (programs == 0)
    GTEST_SKIP() << "the disc was built without i686 mingw-w64: its programs are placeholders";
  EXPECT_GE(programs, 20u);
}

TEST_F(SampleDiscFiles, ArchivesUnpackToTheSizesTheCatalogGives) {
  const auto keys = CatalogKeys();
  ASSERT_FALSE(keys.empty());
  const std::map<std::string, std::string> sections = {
      {"demos", "demo"}, {"fulls", "full"}, {"readers", "reader"}, {"extra2", "extra2"}};
  std::size_t archives = 0, sets = 0;
  for (const auto& [kind, section_prefix] : sections) {
    const Json& records = Records(kind.c_str());
    for (std::size_t i = 0; i < records.size(); ++i) {
      const Json& record = records[i];
      if (!IsArchive(record)) continue;
      const std::string who = kind + " " + record["Name"].get<std::string>();
      const auto first = FindOnDisc(record["InstallDir"].get<std::string>() + "\\" +
                                    record["InstallName"].get<std::string>());
      ASSERT_TRUE(first) << who;
      const ArchiveListing listing = ListArchive(*first);
      ++archives;
      if (listing.volumes > 1) ++sets;
      EXPECT_EQ(listing.error, "") << who;
      EXPECT_GT(listing.bytes, 0u) << who;

      const std::string section = section_prefix + std::to_string(i + 1);
      const auto unpacked = keys.find(section + "/unpackedsize");
      if (unpacked != keys.end()) {
        EXPECT_EQ(unpacked->second, std::to_string(listing.bytes)) << who;
      }
      // The parameter the unpacking reads: the byte total for demos, the entry count for full versions.
      if (record["InstallType"] == 2 && (kind == "demos" || kind == "extra2")) {
        EXPECT_EQ(record["Param"], std::to_string(listing.bytes)) << who;
      } else if (record["InstallType"] == 2 && kind == "fulls") {
        EXPECT_EQ(record["Param"], std::to_string(listing.entries)) << who;
      }
    }
  }
  EXPECT_GE(archives, 5u);
  EXPECT_GE(sets, 1u) << "one item ships as a multi-volume set";
}

}  // namespace
}  // namespace norva::test
