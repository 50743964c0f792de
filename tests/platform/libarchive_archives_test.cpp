// Every RAR sample of tests/data/rar through the archive backend with the outcome its manifest gives, and
// hostile archives: nothing is ever written outside the target folder, damage and encryption are reported,
// missing volumes are errors and no archive hangs the walk.
#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/wine/libarchive_archives.h"
#include "platform/wine/rar_scan.h"
#include "platform/wine/wine_machine.h"
#include "rar4_writer.h"
#include "support/temp_dir.h"

namespace norva::platform::wine {
namespace {

namespace fs = std::filesystem;

struct Outcome {
  int open = -100;
  std::map<std::string, int> entries;         // name (ANSI, '\' separators) -> extraction result
  int end = -100;                             // the header read that ended the walk
  std::uint64_t streamed = 0;                 // bytes handed to the data callback
  std::string open_cause;                     // why the archive did not open
  std::map<std::string, std::string> causes;  // why an entry failed
};

bool Says(const std::string& cause, const char* part) {
  return cause.find(part) != std::string::npos;
}

class ArchivesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    machine_ = WineMachine::Open({dir_.path() / "prefix", std::nullopt}, &error);
    ASSERT_TRUE(machine_) << error;
    archives_ = std::make_unique<LibArchiveArchives>(machine_->files());
    fs::create_directories(Host("arc"));
    fs::create_directories(Host("out"));
    baseline_ = Files();
  }

  fs::path Host(const std::string& relative) const { return dir_.path() / "prefix" / "drive_c" / relative; }

  // Copies samples of tests/data/rar into C:\arc.
  void Copy(std::initializer_list<const char*> names) {
    for (const char* name : names)
      fs::copy_file(test::SourceDir() / "tests/data/rar" / name, Host("arc") / name);
  }
  void Put(const std::string& name, const std::string& bytes) {
    std::ofstream(Host("arc") / name, std::ios::binary) << bytes;
  }
  // Writes a stored RAR 4 archive made by the writer into C:\arc.
  void PutRar4(const std::string& name, const std::vector<std::pair<std::string, std::string>>& files) {
    tools::Rar4Writer writer;
    for (const auto& [entry, bytes] : files)
      writer.AddFile(entry, bytes, tools::DosTime(2004, 6, 1, 12, 0, 0));
    std::string error;
    auto volumes = writer.Build(&error);
    ASSERT_TRUE(volumes) << error;
    Put(name, volumes->front());
  }

  Outcome Unpack(const std::string& name) {
    Outcome outcome;
    platform::Error error;
    auto reader = archives_->Open("C:\\arc\\" + name, ArchiveMode::kExtract, &outcome.open, &error);
    outcome.open_cause = error.Description();
    if (!reader) return outcome;
    ArchiveHeader header;
    for (int guard = 0; guard < 1000; ++guard) {
      const int read = reader->ReadHeader(header);
      if (read != kArcSuccess) {
        outcome.end = read;
        return outcome;
      }
      error.Clear();
      outcome.entries[header.FileName] = reader->Extract(
          "C:\\out",
          [&](const char*, std::size_t size) {
            outcome.streamed += size;
            return true;
          },
          &error);
      if (error.IsSet()) outcome.causes[header.FileName] = error.Description();
    }
    ADD_FAILURE() << "the header walk does not end";
    return outcome;
  }

  std::string Crc(const std::string& relative) const {
    std::ifstream in(Host("out") / relative, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    char text[9];
    std::snprintf(text, sizeof text, "%08lX",
                  crc32_z(0, reinterpret_cast<const Bytef*>(bytes.data()), bytes.size()));
    return in ? text : "missing";
  }

  std::set<std::string> Files() const {
    std::set<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(dir_.path())) {
      const std::string path = entry.path().string();
      if (path.find("/drive_c/arc") == std::string::npos && path.find("/drive_c/out") == std::string::npos)
        files.insert(path);
    }
    return files;
  }
  // What appeared outside C:\arc and C:\out since the test began (what an escape would leave).
  std::vector<std::string> Strays() const {
    std::vector<std::string> strays;
    for (const auto& path : Files()) {
      if (!baseline_.count(path) && path.find("/elsewhere") == std::string::npos) strays.push_back(path);
    }
    return strays;
  }

  test::TempDir dir_;
  std::unique_ptr<WineMachine> machine_;
  std::unique_ptr<LibArchiveArchives> archives_;
  std::set<std::string> baseline_;
};

TEST_F(ArchivesTest, WellFormedSamplesUnpackWithTheirData) {
  struct Sample {
    const char* file;
    std::map<std::string, std::string> crcs;  // host path below C:\out -> CRC32
  };
  const std::vector<Sample> samples = {
      {"test_read_format_rar.rar", {{"test.txt", "BEC8A242"}, {"testdir/test.txt", "BEC8A242"}}},
      {"test_read_format_rar_windows.rar",
       {{"testshortcut.lnk", "5B5CD737"}, {"testdir/test.txt", "97D612F1"}}},
      {"test_read_format_rar_compress_normal.rar", {{"LibarchiveAddingTest.html", "5E05A663"}}},
      {"test_read_format_rar_subblock.rar", {{"test.txt", "BEC8A242"}}},
      {"test_read_format_rar_noeof.rar", {{"test.txt", "BEC8A242"}}},
      {"test_read_format_rar_sfx.exe", {{"testshortcut.lnk", "5B5CD737"}}},
      {"test_read_format_rar5_stored.rar", {{"helloworld.txt", "95A043B4"}}},
      {"test_read_format_rar5_solid.rar", {{"test.bin", "7CCA70CD"}, {"test6.bin", "36A448FF"}}},
      {"test_read_format_rar5_win32.rar", {{"test2.bin", "F166AFCB"}}},
      {"test_read_format_rar5_blake2.rar", {{"cebula.txt", "7E5EC49E"}}},
      {"test_read_format_rar5_sfx.exe", {{"test.txt.txt", "884863D2"}}},
      {"test_read_format_rar5_hardlink.rar", {{"hardlink.txt", "7D931721"}}},
      {"test_read_format_rar_unicode.rar",
       {{"\xE8\xA1\xA8\xE3\x81\xA0\xE3\x82\x88/"
         "\xE6\xBC\xA2\xE5\xAD\x97\xE9\x95\xB7\xE3\x81\x84\xE3\x83\x95\xE3"
         "\x82\xA1\xE3\x82\xA4\xE3\x83\xAB\xE5\x90\x8Dlong-filename-in-\xE6\xBC\xA2\xE5\xAD\x97.txt",
         "426F9DDC"}}},
  };
  for (const Sample& sample : samples) {
    SCOPED_TRACE(sample.file);
    fs::remove_all(Host("out"));
    fs::create_directories(Host("out"));
    Copy({sample.file});
    const Outcome outcome = Unpack(sample.file);
    EXPECT_EQ(outcome.open, kArcSuccess);
    EXPECT_EQ(outcome.end, kArcEndArchive);
    for (const auto& [entry, result] : outcome.entries) EXPECT_EQ(result, kArcSuccess) << entry;
    for (const auto& [path, crc] : sample.crcs) EXPECT_EQ(Crc(path), crc) << path;
    // Links inside the folder stay links; the read-only attribute comes along.
    if (std::string(sample.file) == "test_read_format_rar.rar") {
      EXPECT_TRUE(fs::is_symlink(Host("out/testlink")));
    }
    if (std::string(sample.file) == "test_read_format_rar5_win32.rar") {
      EXPECT_EQ(fs::status(Host("out/test2.bin")).permissions() & fs::perms::owner_write, fs::perms::none);
    }
  }
  EXPECT_TRUE(Strays().empty());
}

TEST_F(ArchivesTest, VolumeSetsAreReadWholeAndAMissingVolumeIsAnError) {
  Copy({"test_rar_multivolume_single_file.part1.rar", "test_rar_multivolume_single_file.part2.rar",
        "test_rar_multivolume_single_file.part3.rar", "test_read_format_rar5_multiarchive_solid.part01.rar"});
  Outcome whole = Unpack("test_rar_multivolume_single_file.part1.rar");
  EXPECT_EQ(whole.entries["LibarchiveAddingTest.html"], kArcSuccess);
  EXPECT_EQ(Crc("LibarchiveAddingTest.html"), "5E05A663");
  EXPECT_EQ(whole.streamed, 20111u);

  // A RAR 5 set of four volumes with only the first: libarchive alone would write a wrong file and succeed.
  EXPECT_EQ(Unpack("test_read_format_rar5_multiarchive_solid.part01.rar").open, kArcOpen);
  fs::remove(Host("arc/test_rar_multivolume_single_file.part2.rar"));
  EXPECT_EQ(Unpack("test_rar_multivolume_single_file.part1.rar").open, kArcOpen);
  EXPECT_FALSE(NextVolumeName("game.exe"));
  EXPECT_EQ(*NextVolumeName("Game.part09.rar"), "Game.part10.rar");
  EXPECT_EQ(*NextVolumeName("GAME.RAR"), "GAME.R00");
  EXPECT_EQ(*NextVolumeName("game.r99"), "game.s00");
}

TEST_F(ArchivesTest, EncryptedEntriesFailAsDamagedAndWriteNothing) {
  Copy({"test_read_format_rar4_encrypted.rar", "test_read_format_rar5_encrypted.rar",
        "test_read_format_rar_encryption_partially.rar", "test_read_format_rar_encryption_header.rar",
        "test_read_format_rar5_encrypted_filenames.rar"});
  for (const char* file : {"test_read_format_rar4_encrypted.rar", "test_read_format_rar5_encrypted.rar"}) {
    SCOPED_TRACE(file);
    fs::remove_all(Host("out"));
    fs::create_directories(Host("out"));
    Outcome outcome = Unpack(file);
    EXPECT_EQ(outcome.entries["a.txt"], kArcSuccess);
    EXPECT_EQ(outcome.entries["b.txt"], kArcBadData);
    EXPECT_EQ(outcome.entries["c.txt"], kArcSuccess);
    EXPECT_EQ(outcome.entries["d.txt"], kArcBadData);
    EXPECT_EQ(Crc("c.txt"), "949A3D35");
    EXPECT_FALSE(fs::exists(Host("out/b.txt")));
    EXPECT_FALSE(fs::exists(Host("out/d.txt")));
    EXPECT_TRUE(Says(outcome.causes["b.txt"], "unpacking b.txt: the entry is encrypted"))
        << outcome.causes["b.txt"];
    EXPECT_EQ(outcome.causes.count("a.txt"), 0u);
  }
  Outcome partly = Unpack("test_read_format_rar_encryption_partially.rar");
  EXPECT_EQ(partly.entries["foo.txt"], kArcBadData);
  EXPECT_EQ(Crc("bar.txt"), "CD90E2BE");
  for (const char* file :
       {"test_read_format_rar_encryption_header.rar", "test_read_format_rar5_encrypted_filenames.rar"}) {
    Outcome hidden = Unpack(file);
    EXPECT_TRUE(hidden.entries.empty()) << file;
    EXPECT_EQ(hidden.end, kArcBadData) << file;
  }
}

TEST_F(ArchivesTest, DamagedDataIsReportedAndNeverHangs) {
  Copy({"test_read_format_rar_invalid1.rar", "test_read_format_rar5_dirdata.rar", "test_read_format_rar.rar",
        "test_read_format_rar5_stored.rar", "test_read_format_rar5_multiple_files.rar"});
  EXPECT_EQ(Unpack("test_read_format_rar_invalid1.rar").entries["test"], kArcBadData);
  const Outcome fuzzed = Unpack("test_read_format_rar5_dirdata.rar");
  EXPECT_TRUE(fuzzed.open != kArcSuccess || fuzzed.end == kArcBadData);

  // Stored entries with one byte changed: libarchive does not check their CRC, the backend does.
  for (const auto& [file, text] : {std::pair{"test_read_format_rar.rar", "test text document"},
                                   std::pair{"test_read_format_rar5_stored.rar", "hello libarchive"}}) {
    std::string bytes = test::TempDir::ReadFile(Host("arc") / file);
    bytes[bytes.find(text)] ^= 0x20;
    Put(std::string("bad_") + file, bytes);
    const Outcome outcome = Unpack(std::string("bad_") + file);
    EXPECT_TRUE(std::any_of(outcome.entries.begin(), outcome.entries.end(), [](const auto& entry) {
      return entry.second == kArcBadData;
    })) << file;
    EXPECT_TRUE(std::any_of(outcome.causes.begin(), outcome.causes.end(), [](const auto& entry) {
      return Says(entry.second, "does not match its checksum");
    })) << file;
  }

  // Truncated copies end in an error, never in a success that leaves short data, and never hang.
  const std::string whole = test::TempDir::ReadFile(Host("arc/test_read_format_rar5_multiple_files.rar"));
  for (std::size_t cut : {std::size_t{20}, whole.size() / 3, whole.size() / 2, whole.size() - 10}) {
    Put("cut.rar", whole.substr(0, cut));
    const Outcome outcome = Unpack("cut.rar");
    const bool failed = outcome.open != kArcSuccess || outcome.end != kArcEndArchive ||
                        std::any_of(outcome.entries.begin(), outcome.entries.end(),
                                    [](const auto& entry) { return entry.second != kArcSuccess; });
    EXPECT_TRUE(failed) << "cut at " << cut;
  }
  Put("notes.rar", "just some text, no archive");
  const Outcome notes = Unpack("notes.rar");
  EXPECT_EQ(notes.open, kArcBadArchive);
  EXPECT_TRUE(Says(notes.open_cause, "opening the archive C:\\arc\\notes.rar: not a RAR archive"))
      << notes.open_cause;
  const Outcome missing = Unpack("missing.rar");
  EXPECT_EQ(missing.open, kArcOpen);
  EXPECT_TRUE(Says(missing.open_cause, "no such file")) << missing.open_cause;
}

TEST_F(ArchivesTest, NothingIsWrittenOutsideTheTargetFolder) {
  PutRar4("hostile.rar", {{"..\\up.txt", "x"},
                          {"sub\\..\\..\\up2.txt", "x"},
                          {"C:evil.txt", "x"},
                          {"CON", "x"},
                          {"sub\\nul.txt", "x"},
                          {"com1.log", "x"},
                          {"file.txt:stream", "x"},
                          {"good\\ok.txt", "fine"}});
  Outcome outcome = Unpack("hostile.rar");
  EXPECT_EQ(outcome.end, kArcEndArchive);
  for (const auto& [name, result] : outcome.entries) {
    EXPECT_EQ(result, name == "good\\ok.txt" ? kArcSuccess : kArcBadData) << name;
  }
  EXPECT_TRUE(Says(outcome.causes["..\\up.txt"], "leads outside the folder")) << outcome.causes["..\\up.txt"];
  EXPECT_EQ(test::TempDir::ReadFile(Host("out/good/ok.txt")), "fine");

  // A link whose target leads out is refused; a folder reached through a link is never written into.
  std::string linked = test::TempDir::ReadFile(test::SourceDir() / "tests/data/rar/test_read_format_rar.rar");
  linked.replace(linked.find("test.txt", 100), 8, "../x.txt");  // the link's target, in its data
  Put("linkout.rar", linked);
  EXPECT_EQ(Unpack("linkout.rar").entries["testlink"], kArcBadData);
  fs::create_directories(dir_.path() / "elsewhere");
  fs::create_directory_symlink(dir_.path() / "elsewhere", Host("out/trap"));
  PutRar4("through.rar", {{"trap\\planted.txt", "x"}});
  EXPECT_EQ(Unpack("through.rar").entries["trap\\planted.txt"], kArcBadData);
  // An existing link in the file's place is replaced, not written through.
  fs::create_symlink(dir_.path() / "elsewhere" / "victim.txt", Host("out/victim.txt"));
  PutRar4("victim.rar", {{"VICTIM.TXT", "new"}});
  EXPECT_EQ(Unpack("victim.rar").entries["VICTIM.TXT"], kArcSuccess);
  EXPECT_FALSE(fs::exists(dir_.path() / "elsewhere" / "victim.txt"));
  EXPECT_TRUE(Strays().empty());
}

}  // namespace
}  // namespace norva::platform::wine
