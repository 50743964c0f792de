// The archive component over a scripted archive: which failures end the walk, what is reported, stop
// requests, the entry filter, the data callback's byte count and its own stop.
#include "install/rar_component.h"

#include <gtest/gtest.h>

#include <deque>

namespace norva::install {
namespace {

// An archive whose entries extract with the given codes, ending with `end`.
struct Script {
  std::vector<std::pair<std::string, int>> entries;
  int end = platform::kArcEndArchive;
  int open = platform::kArcSuccess;
};

class ScriptedReader : public platform::ArchiveReader {
 public:
  explicit ScriptedReader(const Script& script) : script_(script) {}
  int ReadHeader(platform::ArchiveHeader& header) override {
    if (next_ >= script_.entries.size()) return script_.end;
    header = {};
    header.FileName = script_.entries[next_++].first;
    return platform::kArcSuccess;
  }
  int Skip() override { return platform::kArcSuccess; }
  int Extract(std::string_view, const platform::ArchiveDataSink& sink, platform::Error* error) override {
    // Two blocks of 10 bytes each.
    for (int i = 0; i < 2; ++i) {
      if (!sink("0123456789", 10)) return platform::kArcAborted;
    }
    const auto& [name, result] = script_.entries[next_ - 1];
    if (result != platform::kArcSuccess) platform::Error::Set(error, "unpacking " + name + ": disk full");
    return result;
  }

 private:
  const Script& script_;
  std::size_t next_ = 0;
};

class ScriptedArchives : public platform::Archives {
 public:
  std::unique_ptr<platform::ArchiveReader> Open(std::string_view, platform::ArchiveMode, int* result,
                                                platform::Error* error) override {
    *result = script.open;
    if (script.open != platform::kArcSuccess) platform::Error::Set(error, "opening: no such file");
    return script.open == platform::kArcSuccess ? std::make_unique<ScriptedReader>(script) : nullptr;
  }
  Script script;
};

class RarComponentTest : public ::testing::Test {
 protected:
  RarComponentTest() : rar_(&archives_) {
    rar_.ArchiveName = "D:\\x.rar";
    rar_.OnError = [this](int code) { log_.push_back("error " + std::to_string(code)); };
    rar_.OnExtract = [this](const RARHeaderData& file, bool ok) {
      log_.push_back(file.FileName + (ok ? " ok" : " failed"));
    };
    rar_.OnProcessData = [this](const char*, std::size_t, std::uint64_t position) {
      positions_.push_back(position);
      return 1;
    };
  }
  ScriptedArchives archives_;
  TRAR rar_;
  std::vector<std::string> log_;
  std::vector<std::uint64_t> positions_;
};

TEST_F(RarComponentTest, DamagedAndUncreatableEntriesAreReportedAndTheWalkGoesOn) {
  archives_.script.entries = {{"a", 0}, {"b", 12}, {"c", 16}, {"d", 0}};
  EXPECT_FALSE(rar_.ExtractArchive());
  EXPECT_EQ(log_, (std::vector<std::string>{"a ok", "b failed", "error 12", "c failed", "error 16", "d ok"}));
  // The last failure keeps the machine's cause.
  EXPECT_EQ(rar_.LastCause(), "unpacking c: disk full");
  // The byte count starts again with every entry.
  EXPECT_EQ(positions_, (std::vector<std::uint64_t>{10, 20, 10, 20, 10, 20, 10, 20}));
}

TEST_F(RarComponentTest, OtherFailuresEndTheWalkAndABrokenEndIsNoSuccess) {
  archives_.script.entries = {{"a", 0}, {"b", 19}, {"c", 0}};
  EXPECT_FALSE(rar_.ExtractArchive());
  EXPECT_EQ(log_, (std::vector<std::string>{"a ok", "b failed", "error 19"}));

  log_.clear();
  archives_.script = {{{"a", 0}}, platform::kArcRead};
  EXPECT_FALSE(rar_.ExtractArchive()) << "a walk cut short by a read error";
  EXPECT_EQ(log_, (std::vector<std::string>{"a ok", "error 18"}));

  log_.clear();
  archives_.script.open = platform::kArcOpen;
  EXPECT_FALSE(rar_.ExtractArchive());
  rar_.ArchiveName.clear();
  EXPECT_FALSE(rar_.ExtractArchive());
  EXPECT_EQ(log_, (std::vector<std::string>{"error 15", "error 13"}));
  EXPECT_EQ(TRAR::ErrorText(13), "File is not valid RAR archive");
  EXPECT_EQ(TRAR::ErrorText(99), "Unknown error");
}

TEST_F(RarComponentTest, StopsFiltersAndTheDataCallbacksOwnStop) {
  archives_.script.entries = {{"a", 0}, {"b", 0}, {"c", 0}};
  rar_.OnExtracting = [this](const RARHeaderData& file) {
    if (file.FileName == "a") rar_.Stop = true;
  };
  EXPECT_TRUE(rar_.ExtractArchive()) << "a stop keeps the result";
  EXPECT_EQ(log_, (std::vector<std::string>{"a ok"}));
  EXPECT_FALSE(rar_.Stop);

  log_.clear();
  rar_.OnExtracting = nullptr;
  rar_.FilesToExtract = {"b"};
  EXPECT_TRUE(rar_.ExtractArchive());
  EXPECT_EQ(log_, (std::vector<std::string>{"b ok"}));

  // The data callback that says stop ends the walk without an error box.
  log_.clear();
  rar_.FilesToExtract.clear();
  rar_.OnProcessData = [](const char*, std::size_t, std::uint64_t) { return 0; };
  EXPECT_FALSE(rar_.ExtractArchive());
  EXPECT_EQ(log_, (std::vector<std::string>{"a failed"}));

  // One operation at a time: a second one started from inside the first does nothing.
  log_.clear();
  int listed = 0;
  rar_.OnProcessData = nullptr;
  rar_.OnListFile = [&](const RARHeaderData&) {
    ++listed;
    EXPECT_FALSE(rar_.ExtractArchive());
  };
  rar_.ListArchive();
  EXPECT_EQ(listed, 3);
  EXPECT_TRUE(log_.empty());
}

}  // namespace
}  // namespace norva::install
