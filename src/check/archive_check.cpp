#include "check/archive_check.h"

#include <algorithm>

#include "install/rar_component.h"
#include "platform/archive_names.h"
#include "strings/ucase.h"

namespace norva::check {
namespace {

std::string Normalised(std::string_view name) {
  std::string out = strings::UCase(name);
  std::replace(out.begin(), out.end(), '/', '\\');
  while (out.starts_with(".\\")) out.erase(0, 2);
  return out;
}

}  // namespace

std::optional<ArchiveFacts> CheckArchive(CheckRun& run, std::string_view section, std::string_view key,
                                         const std::string& dos_path) {
  if (run.in.archives == nullptr) return std::nullopt;
  int result = platform::kArcSuccess;
  auto reader = run.in.archives->Open(dos_path, platform::ArchiveMode::kList, &result);
  const std::string shown = run.Shown(dos_path);
  if (!reader) {
    run.out.Error(section, key,
                  "the unpack window cannot open " + shown + ": " + install::TRAR::ErrorText(result));
    return std::nullopt;
  }
  ArchiveFacts facts;
  platform::ArchiveHeader header;
  while ((result = reader->ReadHeader(header)) == platform::kArcSuccess) {
    const std::string name = run.Shown(header.FileName);
    if ((header.Flags & platform::kArcFlagEncrypted) != 0) {
      run.out.Error(section, key, shown + ": " + name + " is encrypted; the unpack window refuses it");
    }
    if (!platform::SafeEntryPath(header.FileName)) {
      run.out.Error(section, key,
                    shown + ": the entry name " + name + " would leave the target folder; it is refused");
    }
    facts.unpacked += header.UnpSize;
    ++facts.entries;
    facts.names.push_back(Normalised(header.FileName));
    result = reader->Skip();
    if (result != platform::kArcSuccess) break;
  }
  if (result != platform::kArcEndArchive) {
    run.out.Error(section, key, shown + " is damaged or incomplete: " + install::TRAR::ErrorText(result));
    return std::nullopt;
  }
  return facts;
}

bool ArchiveHolds(const ArchiveFacts& facts, std::string_view name) {
  const std::string wanted = Normalised(name);
  return std::find(facts.names.begin(), facts.names.end(), wanted) != facts.names.end();
}

}  // namespace norva::check
