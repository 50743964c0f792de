// Archives from the RAR 4 writer are read back with libarchive, an independent reader, and their headers are
// compared with archives made by WinRAR.
#include <archive.h>
#include <archive_entry.h>
#include <gtest/gtest.h>
#include <zlib.h>

#include <clocale>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "rar4_writer.h"
#include "support/temp_dir.h"

namespace norva::tools {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

struct ReadEntry {
  std::string name;
  bool folder = false;
  std::int64_t size = 0;
  std::string data;
  unsigned mode = 0;
  std::time_t mtime = 0;
};

struct ReadResult {
  std::vector<ReadEntry> entries;
  bool ok = true;  // every header and every byte of data read without a warning or error
  std::string error;
};

// Reads every entry of the volumes, in order, as one archive. `options` goes to archive_read_set_options.
ReadResult ReadBack(const std::vector<fs::path>& volumes, const char* options = nullptr) {
  ReadResult result;
  std::vector<std::string> names;
  for (const fs::path& p : volumes) names.push_back(p.string());
  std::vector<const char*> c_names;
  for (const std::string& n : names) c_names.push_back(n.c_str());
  c_names.push_back(nullptr);

  archive* a = archive_read_new();
  archive_read_support_format_rar(a);
  auto fail = [&](const char* where) {
    result.ok = false;
    result.error = std::string(where) + ": " + (archive_error_string(a) ? archive_error_string(a) : "?");
  };
  if (options && archive_read_set_options(a, options) != ARCHIVE_OK) fail("options");
  if (archive_read_open_filenames(a, c_names.data(), 10240) != ARCHIVE_OK) {
    fail("open");
    archive_read_free(a);
    return result;
  }
  archive_entry* entry = nullptr;
  for (;;) {
    const int r = archive_read_next_header(a, &entry);
    if (r == ARCHIVE_EOF) break;
    if (r != ARCHIVE_OK) {
      fail("header");
      if (r == ARCHIVE_FATAL) break;
    }
    ReadEntry e;
    e.name = archive_entry_pathname(entry) ? archive_entry_pathname(entry) : "";
    e.folder = archive_entry_filetype(entry) == AE_IFDIR;
    e.size = archive_entry_size(entry);
    e.mode = archive_entry_perm(entry);
    e.mtime = archive_entry_mtime(entry);
    char buffer[65536];
    la_ssize_t n = 0;
    while ((n = archive_read_data(a, buffer, sizeof buffer)) > 0)
      e.data.append(buffer, static_cast<std::size_t>(n));
    if (n < 0) fail("data");
    result.entries.push_back(std::move(e));
    if (!result.ok) break;
  }
  archive_read_free(a);
  return result;
}

std::string Pseudorandom(std::size_t size, std::uint32_t seed) {
  std::string bytes(size, '\0');
  for (char& c : bytes) {
    seed = seed * 1103515245u + 12345u;
    c = static_cast<char>(seed >> 23);
  }
  return bytes;
}

std::uint16_t Get16(const std::string& s, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(s[at]) | static_cast<unsigned char>(s[at + 1])
                                                                            << 8);
}
std::uint32_t Get32(const std::string& s, std::size_t at) {
  return Get16(s, at) | static_cast<std::uint32_t>(Get16(s, at + 2)) << 16;
}
std::uint32_t ZlibCrc(std::string_view bytes) {
  return static_cast<std::uint32_t>(
      crc32(0, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size())));
}

// WinRAR's own archives, copied into the repository from the shared corpus.
std::string CorpusFile(const char* name) {
  return TempDir::ReadFile(test::SourceDir() / "tests/data/rar" / name);
}

const std::uint32_t kTime = DosTime(2003, 11, 24, 17, 45, 38);

TEST(Rar4WriterTest, TreeReadsBackWithNamesSizesContentsAndAttributes) {
  const std::string big = Pseudorandom(1 << 20, 7);
  Rar4Writer writer;
  writer.AddFolder("GAME", kTime);
  writer.AddFile("GAME\\README.TXT", "Run SETUP.EXE\r\n", kTime);
  writer.AddFolder("GAME\\DATA", kTime);
  writer.AddFile("GAME\\DATA\\BIG.BIN", big, kTime, kAttrArchive | kAttrReadOnly);
  writer.AddFile("GAME\\EMPTY.CFG", "", kTime);
  writer.AddFolder("GAME\\SAVE", kTime);
  writer.AddFile("ROOT.TXT", "x", DosTime(1999, 12, 31, 23, 59, 58));

  TempDir dir;
  std::string error;
  const auto written = writer.Write(dir.path() / "game.rar", &error);
  ASSERT_TRUE(written) << error;
  ASSERT_EQ(*written, std::vector<fs::path>{dir.path() / "game.rar"});

  const ReadResult read = ReadBack(*written);
  ASSERT_TRUE(read.ok) << read.error;
  ASSERT_EQ(read.entries.size(), 7u);
  struct Expected {
    const char* name;
    bool folder;
    std::string data;
  };
  const std::vector<Expected> expected = {{"GAME", true, ""},
                                          {"GAME/README.TXT", false, "Run SETUP.EXE\r\n"},
                                          {"GAME/DATA", true, ""},
                                          {"GAME/DATA/BIG.BIN", false, big},
                                          {"GAME/EMPTY.CFG", false, ""},
                                          {"GAME/SAVE", true, ""},
                                          {"ROOT.TXT", false, "x"}};
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(expected[i].name);
    EXPECT_EQ(read.entries[i].name, expected[i].name);
    EXPECT_EQ(read.entries[i].folder, expected[i].folder);
    EXPECT_EQ(read.entries[i].size, static_cast<std::int64_t>(expected[i].data.size()));
    EXPECT_TRUE(read.entries[i].data == expected[i].data);
  }
  // FTIME is a local time; both ends of its range of fields must survive.
  for (auto [index, y, mo, d, h, mi, s] :
       {std::tuple{1, 2003, 11, 24, 17, 45, 38}, {6, 1999, 12, 31, 23, 59, 58}}) {
    std::tm tm{};
    const std::time_t t = read.entries[index].mtime;
    localtime_r(&t, &tm);
    EXPECT_EQ(std::tuple(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec),
              std::tuple(y, mo, d, h, mi, s));
  }
}

TEST(Rar4WriterTest, HeaderBytesMatchWinRarArchives) {
  // The Windows sample stores test.txt (16 bytes, archive attribute) like this, plus an extended-time
  // record we do not write: everything from PACK_SIZE to the end of the name must match.
  const std::string windows = CorpusFile("test_read_format_rar_windows.rar");
  ASSERT_EQ(windows.size(), 814u);
  const std::size_t corpus_header = 0x67;  // second file header
  ASSERT_EQ(windows.substr(corpus_header + 32, 8), "test.txt");
  const std::uint32_t corpus_time = Get32(windows, corpus_header + 7 + 13);

  Rar4Writer writer;
  writer.AddFile("test.txt", "test text file\r\n", corpus_time, kAttrArchive);
  std::string error;
  const auto built = writer.Build(&error);
  ASSERT_TRUE(built) << error;
  const std::string& ours = built->front();

  EXPECT_EQ(ours.substr(0, 20), windows.substr(0, 20)) << "marker and archive header";
  EXPECT_EQ(ours.substr(ours.size() - 7), windows.substr(windows.size() - 7)) << "end block";
  const std::size_t header = 20;
  EXPECT_EQ(ours[header + 2], windows[corpus_header + 2]) << "HEAD_TYPE";
  EXPECT_EQ(Get16(ours, header + 3), Get16(windows, corpus_header + 3) & ~0x1000)
      << "HEAD_FLAGS without EXTTIME";
  EXPECT_EQ(Get16(ours, header + 5), 40);
  EXPECT_EQ(ours.substr(header + 7, 33), windows.substr(corpus_header + 7, 33));
  EXPECT_EQ(Get16(ours, header), ZlibCrc(ours.substr(header + 2, 38)) & 0xFFFF) << "HEAD_CRC";
  EXPECT_EQ(ours.substr(header + 40, 16), "test text file\r\n");

  // A folder header: all dictionary bits set, the directory attribute, no data.
  Rar4Writer folder;
  folder.AddFolder("testdir", corpus_time);
  const std::string f = folder.Build(&error)->front();
  EXPECT_EQ(Get16(f, header + 3), 0x80E0);
  EXPECT_EQ(Get32(f, header + 7), 0u);
  EXPECT_EQ(Get32(f, header + 28), kAttrDirectory);

  // libarchive maps every Win32 file to mode 0644, so attributes are checked in the header itself.
  Rar4Writer attributes;
  attributes.AddFile("RO.TXT", "x", corpus_time, kAttrArchive | kAttrReadOnly | kAttrDirectory);
  attributes.AddFolder("DIR", corpus_time, kAttrHidden);
  const std::string a = attributes.Build(&error)->front();
  EXPECT_EQ(Get32(a, header + 28), kAttrArchive | kAttrReadOnly) << "a file never claims to be a folder";
  const std::size_t second = header + 32 + 6 + 1;
  EXPECT_EQ(a.substr(second + 32, 3), "DIR");
  EXPECT_EQ(Get32(a, second + 28), kAttrHidden | kAttrDirectory);
}

TEST(Rar4WriterTest, VolumeHeadersMatchWinRarVolumes) {
  const std::string part1 = CorpusFile("test_rar_multivolume_single_file.part1.rar");
  const std::string part2 = CorpusFile("test_rar_multivolume_single_file.part2.rar");
  const std::string part3 = CorpusFile("test_rar_multivolume_single_file.part3.rar");
  ASSERT_EQ(part1.size(), 7000u);

  Rar4Writer writer;
  writer.AddFile("LibarchiveAddingTest.html", Pseudorandom(20111, 3), kTime);
  writer.SetVolumeSize(7000);
  std::string error;
  const auto volumes = writer.Build(&error);
  ASSERT_TRUE(volumes) << error;
  ASSERT_EQ(volumes->size(), 3u);
  EXPECT_EQ((*volumes)[0].substr(0, 20), part1.substr(0, 20)) << "first volume's archive header";
  EXPECT_EQ((*volumes)[1].substr(0, 20), part2.substr(0, 20)) << "later volumes' archive header";
  EXPECT_EQ((*volumes)[2].substr(0, 20), part3.substr(0, 20));
  EXPECT_EQ((*volumes)[0].size(), 7000u) << "a split file fills its volume";

  // End blocks: flags and layout as WinRAR's, and the CRC of every byte of the volume before the block.
  const std::vector<const std::string*> corpus = {&part1, &part2, &part3};
  for (std::size_t i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    const std::string& v = (*volumes)[i];
    const std::string& c = *corpus[i];
    const std::size_t end = v.size() - 20;
    EXPECT_EQ(v.substr(end + 2, 5), c.substr(c.size() - 18, 5));
    EXPECT_EQ(Get32(v, end + 7), ZlibCrc(std::string_view(v).substr(0, end)));
    EXPECT_EQ(v.substr(end + 11), c.substr(c.size() - 9)) << "volume number and reserved bytes";
    EXPECT_EQ(Get16(v, end), ZlibCrc(std::string_view(v).substr(end + 2, 18)) & 0xFFFF);
    // Split flags: after in the first, both in the middle, before in the last, like the corpus headers.
    EXPECT_EQ(Get16(v, 20 + 3) & 0x3, Get16(c, 20 + 3) & 0x3);
  }
}

TEST(Rar4WriterTest, VolumeSetReadsBackWholeAndFirstVolumeAloneFails) {
  const std::string big = Pseudorandom(1 << 20, 11);
  Rar4Writer writer;
  writer.AddFolder("DEMO", kTime);
  writer.AddFile("DEMO\\A.TXT", "first", kTime);
  writer.AddFile("DEMO\\BIG.BIN", big, kTime);
  writer.AddFile("DEMO\\Z.TXT", "last", kTime);
  writer.SetVolumeSize(100000);

  TempDir dir;
  std::string error;
  const auto written = writer.Write(dir.path() / "demo.rar", &error);
  ASSERT_TRUE(written) << error;
  ASSERT_EQ(written->size(), 11u);
  EXPECT_EQ(written->front(), dir.path() / "demo.part01.rar");
  EXPECT_EQ(written->back(), dir.path() / "demo.part11.rar");
  EXPECT_FALSE(fs::exists(dir.path() / "demo.rar"));
  for (const fs::path& p : *written) EXPECT_LE(fs::file_size(p), 100000u) << p;

  const ReadResult read = ReadBack(*written);
  ASSERT_TRUE(read.ok) << read.error;
  ASSERT_EQ(read.entries.size(), 4u);
  EXPECT_EQ(read.entries[0].name, "DEMO");
  EXPECT_EQ(read.entries[1].data, "first");
  EXPECT_EQ(read.entries[2].name, "DEMO/BIG.BIN");
  EXPECT_EQ(read.entries[2].size, 1 << 20);
  EXPECT_TRUE(read.entries[2].data == big);
  EXPECT_EQ(read.entries[3].data, "last");

  // Without the later volumes the split file must not come back as complete.
  const ReadResult partial = ReadBack({written->front()});
  const bool whole = partial.ok && partial.entries.size() >= 3 && partial.entries[2].data == big;
  EXPECT_FALSE(whole);
  EXPECT_FALSE(partial.ok);
}

TEST(Rar4WriterTest, EveryVolumeSizeNearTheMinimumGivesAReadableSet) {
  // Small sizes put headers, pieces and end blocks at every possible boundary, and force volumes to close
  // early inside a file when a folder or an empty file would otherwise start the next one.
  struct File {
    std::string name;
    bool folder;
    std::string bytes;
  };
  const std::vector<File> files = {{"E", false, Pseudorandom(37, 5)},
                                   {"C", true, ""},
                                   {"C\\D", false, "hello"},
                                   {"A", false, ""},
                                   {"B", false, "1"},
                                   {"F", false, Pseudorandom(300, 6)}};
  TempDir dir;
  for (std::uint64_t size = 76; size <= 400; ++size) {
    SCOPED_TRACE(size);
    Rar4Writer writer;
    for (const File& f : files) {
      if (f.folder)
        writer.AddFolder(f.name, kTime);
      else
        writer.AddFile(f.name, f.bytes, kTime);
    }
    writer.SetVolumeSize(size);
    std::string error;
    const auto written = writer.Write(dir.path() / ("v" + std::to_string(size) + ".rar"), &error);
    // Below some size a folder header cannot follow the last piece of a split file in the same volume.
    if (size < 177 && !written) {
      EXPECT_NE(error.find("too small"), std::string::npos) << error;
      continue;
    }
    ASSERT_TRUE(written) << error;
    for (const fs::path& p : *written) ASSERT_LE(fs::file_size(p), size);
    const ReadResult read = ReadBack(*written);
    ASSERT_TRUE(read.ok) << read.error;
    ASSERT_EQ(read.entries.size(), files.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
      EXPECT_EQ(read.entries[i].folder, files[i].folder);
      EXPECT_EQ(read.entries[i].data, files[i].bytes);
    }
  }
}

TEST(Rar4WriterTest, RefusesWhatItCannotWrite) {
  std::string error;
  for (const char* bad : {"", "A/B.TXT", "\\A.TXT", "A\\\\B", "A\\"}) {
    Rar4Writer writer;
    writer.AddFile(bad, "x", kTime);
    EXPECT_FALSE(writer.Build(&error)) << bad;
    EXPECT_FALSE(error.empty());
  }
  // 20 bytes of start, 20 of end block, 33 of header: one data byte needs 74.
  TempDir dir;
  Rar4Writer writer;
  writer.AddFile("A", "xy", kTime);
  writer.SetVolumeSize(73);
  error.clear();
  EXPECT_FALSE(writer.Write(dir.path() / "small.rar", &error));
  EXPECT_NE(error.find("volume size"), std::string::npos);
  EXPECT_TRUE(fs::is_empty(dir.path())) << "nothing written";
  writer.SetVolumeSize(74);
  const auto written = writer.Write(dir.path() / "small.rar", &error);
  ASSERT_TRUE(written) << error;
  EXPECT_EQ(written->size(), 2u);
}

// Central European names are stored as OEM (CP852) bytes, which is what WinRAR writes without the Unicode
// flag. libarchive hands the raw bytes back unless told the header charset.
TEST(Rar4WriterTest, CzechNamesAreOemBytes) {
  const std::string oem_name = "\x50\xFD\xA1\x6C\x69\xE7\\\x9F\x74\x69.txt";  // "Příliš\čti.txt" in CP852
  Rar4Writer writer;
  writer.AddFolder("\x50\xFD\xA1\x6C\x69\xE7", kTime);
  writer.AddFile(oem_name, "obsah", kTime);
  TempDir dir;
  std::string error;
  const auto written = writer.Write(dir.path() / "czech.rar", &error);
  ASSERT_TRUE(written) << error;

  const char* old_locale = std::setlocale(LC_ALL, nullptr);
  const std::string saved = old_locale ? old_locale : "C";
  ASSERT_TRUE(std::setlocale(LC_ALL, "C.UTF-8"));
  const ReadResult utf8 = ReadBack(*written, "rar:hdrcharset=CP852");
  std::setlocale(LC_ALL, saved.c_str());
  ASSERT_TRUE(utf8.ok) << utf8.error;
  ASSERT_EQ(utf8.entries.size(), 2u);
  EXPECT_EQ(utf8.entries[0].name, "Příliš");
  EXPECT_EQ(utf8.entries[1].name, "Příliš/čti.txt");
  EXPECT_EQ(utf8.entries[1].data, "obsah");
}

// The command-line tool: a deterministic archive of a host tree with UTF-8 names.
TEST(Rar4WriterTest, MakeRar4ArchivesATreeTheSameWayEveryTime) {
  TempDir dir;
  dir.Write("tree/Hra/čti mě.txt", "ahoj\r\n");
  dir.Write("tree/Hra/Data/level.dat", Pseudorandom(5000, 9));
  dir.Write("tree/a.txt", "");
  fs::create_directories(dir.path() / "tree/Hra/Prázdná");
  const std::string tree = (dir.path() / "tree").string();
  auto run = [&](const std::string& out, const std::string& extra) {
    const std::string command = std::string(NORVA_MAKE_RAR4) + " '" + (dir.path() / out).string() + "' '" +
                                tree + "' " + extra + " > /dev/null 2>&1";
    return std::system(command.c_str());
  };
  ASSERT_EQ(run("one.rar", ""), 0);
  ASSERT_EQ(run("two.rar", ""), 0);
  EXPECT_EQ(dir.Read("one.rar"), dir.Read("two.rar"));
  ASSERT_EQ(run("vol.rar", "--volume-size 2000"), 0);
  EXPECT_TRUE(fs::exists(dir.path() / "vol.part1.rar"));
  EXPECT_TRUE(fs::exists(dir.path() / "vol.part3.rar"));
  EXPECT_NE(run("bad.rar", "--volume-size x"), 0);

  const char* old_locale = std::setlocale(LC_ALL, nullptr);
  const std::string saved = old_locale ? old_locale : "C";
  ASSERT_TRUE(std::setlocale(LC_ALL, "C.UTF-8"));
  const ReadResult read = ReadBack({dir.path() / "one.rar"}, "rar:hdrcharset=CP852");
  std::setlocale(LC_ALL, saved.c_str());
  ASSERT_TRUE(read.ok) << read.error;
  std::vector<std::pair<std::string, bool>> names;
  for (const ReadEntry& e : read.entries) names.emplace_back(e.name, e.folder);
  const std::vector<std::pair<std::string, bool>> expected = {
      {"Hra", true},         {"Hra/Data", true},        {"Hra/Data/level.dat", false},
      {"Hra/Prázdná", true}, {"Hra/čti mě.txt", false}, {"a.txt", false}};
  EXPECT_EQ(names, expected);
  EXPECT_EQ(read.entries[2].data, Pseudorandom(5000, 9));
  std::tm tm{};
  localtime_r(&read.entries[0].mtime, &tm);
  EXPECT_EQ(tm.tm_year + 1900, 2004) << "fixed time unless --keep-times";
}

}  // namespace
}  // namespace norva::tools
