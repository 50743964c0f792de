// The archive component: lists or extracts one archive through the machine's archive interface and tells
// its owner about every entry, block and error through events. Only one operation of any component runs at
// a time (the events may run the front end's event loop, which must not start a second one).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/archive.h"

namespace norva::install {

// The header of one entry as the events get it.
using RARHeaderData = platform::ArchiveHeader;

class TRAR {
 public:
  // `archives` is borrowed; null means the machine cannot unpack (every archive then fails to open).
  explicit TRAR(platform::Archives* archives) : archives_(archives) {}

  std::string ArchiveName;                  // DOS path of the archive (its first volume)
  std::vector<std::string> FilesToExtract;  // entry names; empty: every entry
  std::string TargetDir;                    // DOS folder the entries go to; empty: the current folder
  bool Stop = false;                        // a stop request, honoured before the next entry

  // Every block written: the block and the bytes of the entry so far; a zero result stops the entry.
  std::function<int(const char* data, std::size_t block_size, std::uint64_t position)> OnProcessData;
  std::function<void(int error)> OnError;
  std::function<void(const RARHeaderData& file)> OnListFile;
  std::function<void(const RARHeaderData& file)> OnExtracting;
  std::function<void(const RARHeaderData& file, bool result)> OnExtract;

  // Walks every entry without extracting; failures go to OnError.
  void ListArchive();
  // Extracts the entries (all, or those of FilesToExtract) into TargetDir. True when no entry failed and the
  // archive was read to its end (a stop request keeps the result). Damaged and refused entries (12) and
  // entries that cannot be created (16) are reported and the walk goes on; other failures end it.
  bool ExtractArchive();

  // The text of a result code.
  static std::string ErrorText(int code);

  // Why the last failure reported to OnError happened, as the machine tells it ("unpacking a\b.txt: its
  // file cannot be written: No space left on device"); empty when it said nothing more than the code.
  const std::string& LastCause() const { return last_cause_; }

 private:
  // Reports a failure unless it is the data callback's own stop.
  void Report(int code);

  platform::Archives* archives_;
  std::uint64_t position_ = 0;
  // Filled by the archive calls; handed to last_cause_ with the failure it explains.
  platform::Error error_;
  std::string last_cause_;
};

}  // namespace norva::install
