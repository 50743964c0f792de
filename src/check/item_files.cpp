#include "check/item_files.h"

#include <cstdlib>
#include <string>

#include "catalog/text_prep.h"
#include "check/archive_check.h"
#include "check/catalog_keys.h"
#include "check/picture_check.h"
#include "menu/font_files.h"

namespace norva::check {
namespace {

bool IsArchiveType(std::int32_t type) {
  return type == 2 || type == 3;
}

// The program of GameName when it names one file (entries "a.exe:Caption;b.exe:Caption" name several).
std::string SingleProgram(const std::string& game_name) {
  const auto parts = catalog::SplitFields(game_name);
  if (parts.empty()) return {};
  std::string first = parts.front();
  if (game_name.find(';') != std::string::npos) first = first.substr(0, first.find(':'));
  return first;
}

void CheckArchiveItem(CheckRun& run, const std::string& section, const catalog::TDemos& item,
                      const KindInfo& kind, const std::string& archive) {
  const auto facts = CheckArchive(run, section, "InstallName", archive);
  if (!facts) return;
  const bool full = kind.demos == &catalog::kFullKind;
  if (item.InstallType == 2 && !item.Param.empty() &&
      (item.DirDetect < 3 || item.DirDetect == 4 || item.DirDetect == 5 || item.DirDetect == 9)) {
    const std::int64_t stated = std::atoll(item.Param.c_str());
    const std::int64_t actual = full ? facts->entries : static_cast<std::int64_t>(facts->unpacked);
    if (stated != 0 && stated != actual) {
      run.out.Warning(section, full ? "FilesInArchive" : "UnpackedSize",
                      std::to_string(stated) + " but the archive holds " + std::to_string(actual) +
                          (full ? " entries" : " bytes"));
    }
  }
  const std::pair<std::string_view, const std::string*> inside[] = {{"SetupName", &item.SetupName},
                                                                    {"ReadmeName", &item.ReadmeName}};
  for (const auto& [key, name] : inside) {
    if (!name->empty() && !ArchiveHolds(*facts, *name)) {
      run.out.Error(section, key, run.Shown(*name) + " is not in the archive " + run.Shown(item.InstallName));
    }
  }
  const std::string program = SingleProgram(item.GameName);
  if (!program.empty() && !ArchiveHolds(*facts, program)) {
    run.out.Warning(section, "GameName",
                    run.Shown(program) + " is not in the archive " + run.Shown(item.InstallName) +
                        " (fine when the item's own setup makes it)");
  }
}

void CheckProgramItem(CheckRun& run, const std::string& section, const catalog::TDemos& item,
                      const KindInfo& kind) {
  const bool share = kind.demos == &catalog::kShareKind;
  const std::string folder = share ? run.in.disc_root + "\\Software\\" + item.InstallDir : item.InstallDir;
  const bool uses_folder = !item.InstallName.empty() || !item.ReadmeName.empty() || item.InstallType == 0;
  if (!uses_folder) return;
  if (run.NeedFolder(section, "InstallDir", folder, "the item's folder").state != EntryState::kFolder) return;
  if (!item.InstallName.empty()) {
    const std::string file = folder + "\\" + item.InstallName;
    const auto found =
        run.NeedFile(section, "InstallName", file,
                     IsArchiveType(item.InstallType) && !share ? "the archive" : "the installer");
    if (found.state == EntryState::kFile && IsArchiveType(item.InstallType) && !share) {
      CheckArchiveItem(run, section, item, kind, found.path);
    }
  }
  // Readmes and type 0 programs are read from the disc; other items' readmes come with the installed files.
  const bool from_disc = share || kind.demos == &catalog::kExtraKind || kind.demos == &catalog::kDriverKind ||
                         item.InstallType == 0;
  if (from_disc && !item.ReadmeName.empty()) {
    run.NeedFile(section, "ReadmeName", folder + "\\" + item.ReadmeName, "the readme");
  }
  if (item.InstallType == 0 && !share && kind.demos != &catalog::kDriverKind &&
      kind.demos != &catalog::kExtraKind) {
    if (!item.SetupName.empty())
      run.NeedFile(section, "SetupName", folder + "\\" + item.SetupName, "the setup");
    const std::string program = SingleProgram(item.GameName);
    if (!program.empty() && program.find(':') == std::string::npos) {
      run.NeedFile(section, "GameName", folder + "\\" + program, "the program");
    }
  }
}

template <typename Records>
void ForEachItem(const KindInfo& kind, const catalog::Catalog& catalog, const Records& records,
                 std::int32_t count, auto&& check) {
  (void)catalog;
  for (std::int32_t n = 1; n <= count; ++n)
    check(std::string(kind.section_prefix) + std::to_string(n), records[n]);
}

}  // namespace

void CheckItemFiles(CheckRun& run, const catalog::Catalog& catalog) {
  for (const KindInfo& kind : SectionKinds()) {
    auto program = [&](const std::string& section, const catalog::TDemos& item) {
      CheckProgramItem(run, section, item, kind);
      if (kind.demos != &catalog::kShareKind && kind.demos != &catalog::kReaderKind) {
        CheckPictures(run, section, item.Picture);
      }
    };
    const auto* d = kind.demos;
    if (d == &catalog::kDemoKind) ForEachItem(kind, catalog, catalog.Demo, catalog.DemoCount, program);
    if (d == &catalog::kShareKind) ForEachItem(kind, catalog, catalog.Share, catalog.ShareCount, program);
    if (d == &catalog::kReaderKind) ForEachItem(kind, catalog, catalog.Reader, catalog.ReaderCount, program);
    if (d == &catalog::kFullKind) ForEachItem(kind, catalog, catalog.Full, catalog.FullCount, program);
    if (d == &catalog::kDriverKind) ForEachItem(kind, catalog, catalog.Driver, catalog.DriverCount, program);
    if (d == &catalog::kExtraKind) ForEachItem(kind, catalog, catalog.Extra, catalog.ExtraCount, program);
    if (d == &catalog::kExtra2Kind) ForEachItem(kind, catalog, catalog.Extra2, catalog.Extra2Count, program);
    if (kind.type == RecordType::kShot) {
      ForEachItem(kind, catalog, catalog.Shot, catalog.ShotCount,
                  [&](const std::string& section, const catalog::TShot& shot) {
                    CheckPictures(run, section, shot.Picture);
                  });
    }
    if (kind.type == RecordType::kMovie) {
      ForEachItem(kind, catalog, catalog.Movie, catalog.MovieCount,
                  [&](const std::string& section, const catalog::TMovies& film) {
                    if (!film.GameName.empty()) {
                      run.NeedFile(section, "GameName", film.InstallDir + "\\" + film.GameName, "the film");
                    }
                    if (film.Picture != "NUL") CheckPictures(run, section, film.Picture);
                  });
    }
  }
  for (std::int32_t n = 1; n <= catalog.UpdateCount; ++n) {
    const catalog::TUpdate& update = catalog.Update[n];
    const std::string key = "Update" + std::to_string(n);
    const std::string updates = run.in.disc_root + "\\Updates\\";
    if (!update.FileName.empty() && update.NoRun == 0) {
      run.NeedFile("Updates", key, updates + update.FileName, "the update");
    }
    if (!update.ReadmeName.empty()) {
      const std::size_t slash = update.FileName.find_last_of('\\');
      const std::string folder = slash == std::string::npos ? "" : update.FileName.substr(0, slash) + "\\";
      run.NeedFile("Updates", key, updates + folder + update.ReadmeName, "the readme");
    }
  }
  // The menu's own files: without them the window falls back to another font, or plays no music.
  for (const std::string_view font : menu::kFontFiles) {
    run.NeedFile("", "", run.norva_dir + std::string(font), "the font file", Severity::kWarning);
  }
  for (const char* tune : {"music1.mp3", "music2.mp3"}) {
    run.NeedFile("", "", run.norva_dir + tune, "the music", Severity::kNote);
  }
}

}  // namespace norva::check
