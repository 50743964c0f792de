// Reading one catalog record from its section (or, for updates, its line). Used by the catalog reader; the
// caller owns the order of kinds, the counts and the state bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "catalog/records.h"
#include "platform/ini_file.h"

namespace norva::catalog {

// How a key's text is stored: as read, upper-cased, prepared (PrepareCaption), or both.
enum class TextRule : std::uint8_t { kSkip, kRaw, kUpper, kPrepared, kPreparedUpper };

// Which keys can fill Param.
enum class ParamSet : std::uint8_t { kNone, kReader, kDemo, kFull };

// What one TDemos kind reads from its sections. Name is always prepared and upper-cased, Describe prepared,
// Picture, InstallName and ReadmeName stored as read, InstallDir always read.
struct DemosKind {
  std::string_view label;           // count key of [Main] and name in notes, e.g. "Demos"
  std::string_view section_prefix;  // "Demo" for [Demo1], [Demo2], ...
  std::optional<std::string_view> install_dir_prefix =
      std::nullopt;             // put after the disc root; none: stored as read
  bool title = false;           // Name also goes to Title
  bool describe1_only = false;  // Describe comes from Describe1 whatever the edition
  TextRule full_name = TextRule::kPreparedUpper;
  TextRule firm = TextRule::kSkip;
  TextRule describe0 = TextRule::kPrepared;
  TextRule tech_info = TextRule::kSkip;
  TextRule game_name = TextRule::kRaw;
  bool uninstall_name = false;
  bool date = false;
  bool reg_uninstall = false;
  bool reg_key_name = false;  // RegKey and RegName
  bool uninstall = false;
  bool setup_name = false;
  bool web = false;
  // Defaults of the integer keys; none: the key is not read and the field stays 0.
  std::optional<std::int32_t> install_type = std::nullopt;
  std::optional<std::int32_t> dir_detect = std::nullopt;
  std::optional<std::int32_t> flags = std::nullopt;
  std::optional<std::int32_t> cd = std::nullopt;
  ParamSet param = ParamSet::kNone;
  std::uint8_t not_installed = 0;  // NotInstalled before reading and detection
};

extern const DemosKind kShareKind;
extern const DemosKind kDriverKind;
extern const DemosKind kExtraKind;
extern const DemosKind kReaderKind;
extern const DemosKind kDemoKind;
extern const DemosKind kExtra2Kind;
extern const DemosKind kFullKind;

// What every record of one load shares.
struct ReadContext {
  std::string_view disc_root;  // e.g. "D:", no trailing backslash
  std::string describe_key;    // "Describe" + the edition, e.g. "Describe1"
};

// Name (and Title) and FullName: enough to decide whether a driver is kept.
void ReadDemosCaptions(platform::IniFile& ini, std::string_view section, const DemosKind& kind, TDemos& item);
// Every other key of the kind, Param included; leaves DescribeAlt alone.
void ReadDemosDetails(platform::IniFile& ini, std::string_view section, const DemosKind& kind,
                      const ReadContext& context, TDemos& item);

TShot ReadShot(platform::IniFile& ini, std::string_view section, const ReadContext& context);
TMovies ReadMovie(platform::IniFile& ini, std::string_view section, const ReadContext& context);

// An [Updates] line cut by SplitFields. `problem` is set to a short remark when the line is empty or its
// fifth part is not a decimal number (NoRun is then 0); otherwise it is left alone.
TUpdate ParseUpdate(std::string_view line, std::string* problem);

}  // namespace norva::catalog
