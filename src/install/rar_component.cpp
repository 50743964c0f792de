#include "install/rar_component.h"

#include <algorithm>

namespace norva::install {
namespace {

// The component that is running now; the archive interface's callbacks belong to it alone.
const TRAR* active = nullptr;

class ActiveScope {
 public:
  explicit ActiveScope(const TRAR* rar) : taken_(active == nullptr) {
    if (taken_) active = rar;
  }
  ~ActiveScope() {
    if (taken_) active = nullptr;
  }
  ActiveScope(const ActiveScope&) = delete;
  ActiveScope& operator=(const ActiveScope&) = delete;
  bool taken() const { return taken_; }

 private:
  bool taken_;
};

}  // namespace

std::string TRAR::ErrorText(int code) {
  switch (code) {
    case platform::kArcEndArchive:
      return "End of archive";
    case platform::kArcNoMemory:
      return "Not enough memory to initialize data structures";
    case platform::kArcBadData:
      return "CRC error, data damaged";
    case platform::kArcBadArchive:
      return "File is not valid RAR archive";
    case platform::kArcUnknownFormat:
      return "Unknown comment format";
    case platform::kArcOpen:
      return "File open error";
    case platform::kArcCreate:
      return "File create error";
    case platform::kArcClose:
      return "File close error";
    case platform::kArcRead:
      return "Read error";
    case platform::kArcWrite:
      return "Write error";
    case platform::kArcSmallBuffer:
      return "Buffer is too small for comment";
    default:
      return "Unknown error";
  }
}

void TRAR::Report(int code) {
  if (code == platform::kArcAborted) return;
  last_cause_ = error_.Description();
  error_.Clear();
  if (OnError) OnError(code);
}

void TRAR::ListArchive() {
  ActiveScope scope(this);
  if (!scope.taken()) return;
  error_.Clear();
  last_cause_.clear();
  int result = platform::kArcOpen;
  auto reader =
      archives_ ? archives_->Open(ArchiveName, platform::ArchiveMode::kList, &result, &error_) : nullptr;
  if (!reader) {
    Report(result);
    return;
  }
  RARHeaderData header;
  int read = platform::kArcSuccess;
  while ((read = reader->ReadHeader(header)) == platform::kArcSuccess) {
    if (OnListFile) OnListFile(header);
    if (Stop) {
      Stop = false;
      return;
    }
    if (const int skip = reader->Skip(); skip != platform::kArcSuccess) {
      Report(skip);
      return;
    }
  }
  // Any end but the normal one is reported: a listing cut short by damage must not look whole.
  if (read != platform::kArcEndArchive) Report(read);
}

bool TRAR::ExtractArchive() {
  ActiveScope scope(this);
  if (!scope.taken()) return false;
  error_.Clear();
  last_cause_.clear();
  if (ArchiveName.empty()) {
    Report(platform::kArcBadArchive);
    return false;
  }
  int result = platform::kArcOpen;
  auto reader =
      archives_ ? archives_->Open(ArchiveName, platform::ArchiveMode::kExtract, &result, &error_) : nullptr;
  if (!reader) {
    Report(result);
    return false;
  }
  const platform::ArchiveDataSink sink = [this](const char* data, std::size_t size) {
    position_ += size;
    return !OnProcessData || OnProcessData(data, size, position_) != 0;
  };
  bool ok = true;
  RARHeaderData header;
  int read = platform::kArcSuccess;
  while ((read = reader->ReadHeader(header)) == platform::kArcSuccess) {
    if (Stop) {
      Stop = false;
      return ok;
    }
    if (!FilesToExtract.empty() &&
        std::find(FilesToExtract.begin(), FilesToExtract.end(), header.FileName) == FilesToExtract.end()) {
      if (const int skip = reader->Skip(); skip != platform::kArcSuccess) {
        Report(skip);
        return false;
      }
      continue;
    }
    if (OnExtracting) OnExtracting(header);
    position_ = 0;
    error_.Clear();
    const int code = reader->Extract(TargetDir, sink, &error_);
    if (OnExtract) OnExtract(header, code == platform::kArcSuccess);
    if (code == platform::kArcSuccess) continue;
    ok = false;
    Report(code);
    if (code != platform::kArcCreate && code != platform::kArcBadData) return false;
  }
  if (read != platform::kArcEndArchive) {
    Report(read);
    return false;
  }
  return ok;
}

}  // namespace norva::install
