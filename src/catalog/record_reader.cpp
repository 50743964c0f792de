#include "catalog/record_reader.h"

#include <charconv>
#include <cstdint>
#include <utility>

#include "catalog/text_prep.h"
#include "strings/ucase.h"

namespace norva::catalog {

using enum TextRule;

const DemosKind kShareKind{
    .label = "Shareware",
    .section_prefix = "Share",
    .install_dir_prefix = std::nullopt,
    .web = true,
};

const DemosKind kDriverKind{
    .label = "Drivers",
    .section_prefix = "Driver",
    .install_dir_prefix = "\\Drivers\\",
    .full_name = kUpper,
    .tech_info = kPreparedUpper,
    .game_name = kSkip,
    .date = true,
    .install_type = 0,
    .cd = 1,
    .not_installed = 1,
};

const DemosKind kExtraKind{
    .label = "Extra",
    .section_prefix = "Extra",
    .install_dir_prefix = "\\",
    .firm = kPreparedUpper,
    .tech_info = kPrepared,
    .game_name = kUpper,
    .web = true,
    .install_type = 5,
    .flags = 1,
    .cd = 1,
    .not_installed = 1,
};

const DemosKind kReaderKind{
    .label = "Readers",
    .section_prefix = "Reader",
    .install_dir_prefix = "\\Readers\\",
    .describe1_only = true,
    .firm = kPreparedUpper,
    .describe0 = kSkip,
    .reg_uninstall = true,
    .uninstall = true,
    .setup_name = true,
    .web = true,
    .install_type = 0,
    .dir_detect = 0,
    .param = ParamSet::kReader,
    .not_installed = 1,
};

const DemosKind kDemoKind{
    .label = "Demos",
    .section_prefix = "Demo",
    .install_dir_prefix = "\\DEMOS\\",
    .title = true,
    .firm = kPreparedUpper,
    .tech_info = kPrepared,
    .uninstall_name = true,
    .date = true,
    .reg_uninstall = true,
    .reg_key_name = true,
    .uninstall = true,
    .setup_name = true,
    .web = true,
    .install_type = 0,
    .dir_detect = 0,
    .flags = 0,
    .cd = 1,
    .param = ParamSet::kDemo,
};

// Extra2 items are demos of a second list: same keys, same disc folder.
const DemosKind kExtra2Kind = [] {
  DemosKind kind = kDemoKind;
  kind.label = "Extra2";
  kind.section_prefix = "Extra2";
  return kind;
}();

const DemosKind kFullKind = [] {
  DemosKind kind = kDemoKind;
  kind.label = "Fulls";
  kind.section_prefix = "Full";
  kind.install_dir_prefix = "\\";
  kind.date = false;
  kind.param = ParamSet::kFull;
  return kind;
}();

namespace {

std::string Apply(TextRule rule, std::string text) {
  switch (rule) {
    case kSkip:
      return {};
    case kRaw:
      return text;
    case kUpper:
      return strings::UCase(text);
    case kPrepared:
      return PrepareCaption(text);
    case kPreparedUpper:
      return strings::UCase(PrepareCaption(text));
  }
  return text;
}

class SectionReader {
 public:
  SectionReader(platform::IniFile& ini, std::string_view section) : ini_(ini), section_(section) {}

  std::string Text(std::string_view key, std::string_view default_value = {}) {
    return ini_.ReadString(section_, key, default_value);
  }
  std::string Text(std::string_view key, TextRule rule) {
    return rule == kSkip ? std::string{} : Apply(rule, Text(key));
  }
  std::int32_t Integer(std::string_view key, std::int32_t default_value) {
    return ini_.ReadInteger(section_, key, default_value);
  }

 private:
  platform::IniFile& ini_;
  std::string_view section_;
};

// The one extra value: first by InstallType, then overwritten by DirDetect where that names a key.
std::string ReadParam(SectionReader& in, ParamSet set, std::int32_t install_type, std::int32_t dir_detect) {
  std::string param;
  const bool test_name = install_type == 0 || install_type == 4 || install_type == 10;
  if (set == ParamSet::kDemo) {
    if (test_name) param = in.Text("TestName");
    if (install_type == 1) param = in.Text("AfterInstall");
    if (install_type == 2) param = in.Text("UnpackedSize", "0");
  } else if (set == ParamSet::kFull) {
    if (test_name) param = in.Text("TestName");
    if (install_type == 2) param = in.Text("FilesInArchive", "0");
  }
  if (install_type == 3) param = in.Text("ForcedDir");

  switch (dir_detect) {
    case 3:
      return in.Text("ShortCut");
    case 6:
    case 10:
      return in.Text("IniFile");
    case 7:
      return in.Text("DesktopShortCut");
    case 8:
      return in.Text("SearchFile");
    default:
      return param;
  }
}

std::string Prefixed(std::string_view disc_root, std::string_view prefix, const std::string& value) {
  std::string out;
  out.reserve(disc_root.size() + prefix.size() + value.size());
  out.append(disc_root).append(prefix).append(value);
  return out;
}

// Decimal with an optional sign and surrounding blanks; anything else is not a number.
std::optional<std::int32_t> ParseDecimal(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

void ReadDemosCaptions(platform::IniFile& ini, std::string_view section, const DemosKind& kind,
                       TDemos& item) {
  SectionReader in(ini, section);
  item.Name = in.Text("Name", kPreparedUpper);
  if (kind.title) item.Title = item.Name;
  item.FullName = in.Text("FullName", kind.full_name);
}

void ReadDemosDetails(platform::IniFile& ini, std::string_view section, const DemosKind& kind,
                      const ReadContext& context, TDemos& item) {
  SectionReader in(ini, section);
  item.Firm = in.Text("Firm", kind.firm);
  item.Describe =
      in.Text(kind.describe1_only ? std::string_view("Describe1") : context.describe_key, kPrepared);
  item.Describe0 = in.Text("Describe0", kind.describe0);
  item.TechInfo = in.Text("TechInfo", kind.tech_info);
  if (kind.uninstall_name) item.UnInstallName = in.Text("UnInstallName");
  item.GameName = in.Text("GameName", kind.game_name);
  if (kind.date) item.Date = in.Text("Date");
  if (kind.reg_uninstall) item.RegUninstall = in.Text("RegUninstall");
  if (kind.reg_key_name) {
    item.RegKey = in.Text("RegKey");
    item.RegName = in.Text("RegName");
  }
  if (kind.uninstall) item.Uninstall = in.Text("Uninstall");
  item.Picture = in.Text("Picture");
  item.InstallDir = in.Text("InstallDir");
  if (kind.install_dir_prefix) {
    item.InstallDir = Prefixed(context.disc_root, *kind.install_dir_prefix, item.InstallDir);
  }
  item.InstallName = in.Text("InstallName");
  if (kind.setup_name) item.SetupName = in.Text("SetupName");
  item.ReadmeName = in.Text("ReadmeName");
  if (kind.install_type) item.InstallType = in.Integer("InstallType", *kind.install_type);
  if (kind.dir_detect) item.DirDetect = in.Integer("DirDetect", *kind.dir_detect);
  if (kind.flags) item.Flags = in.Integer("Flags", *kind.flags);
  if (kind.web) item.Web = in.Text("Web");
  if (kind.cd) item.CD = static_cast<std::uint8_t>(in.Integer("CD", *kind.cd));
  if (kind.param != ParamSet::kNone) item.Param = ReadParam(in, kind.param, item.InstallType, item.DirDetect);
}

TShot ReadShot(platform::IniFile& ini, std::string_view section, const ReadContext& context) {
  SectionReader in(ini, section);
  TShot shot;
  shot.FullName = in.Text("FullName", kPreparedUpper);
  shot.Name = in.Text("Name", kPreparedUpper);
  shot.Firm = in.Text("Firm", kUpper);
  shot.Date = in.Text("Date");
  shot.Describe0 = in.Text("Describe0", kPrepared);
  shot.Describe = in.Text(context.describe_key, kPrepared);
  shot.DescribeAlt = shot.Describe;
  shot.Web = in.Text("Web");
  shot.Picture = in.Text("Picture");
  return shot;
}

TMovies ReadMovie(platform::IniFile& ini, std::string_view section, const ReadContext& context) {
  SectionReader in(ini, section);
  TMovies movie;
  movie.Name = in.Text("Name", kPreparedUpper);
  movie.Firm = in.Text("Firm", kUpper);
  movie.TechInfo = in.Text("TechInfo");
  movie.FullName = in.Text("FullName", kPreparedUpper);
  movie.Describe0 = in.Text("Describe0", kPrepared);
  movie.Describe = in.Text(context.describe_key, kPrepared);
  movie.InstallDir = Prefixed(context.disc_root, {}, in.Text("InstallDir"));
  movie.Date = in.Text("Date");
  movie.GameName = in.Text("GameName");
  movie.InstallName = in.Text("InstallName");
  movie.InstallType = static_cast<std::uint8_t>(in.Integer("InstallType", 0));
  movie.Picture = in.Text("Picture");
  return movie;
}

TUpdate ParseUpdate(std::string_view line, std::string* problem) {
  TUpdate update;
  std::vector<std::string> parts = SplitFields(line);
  if (parts.empty()) {
    if (problem) *problem = "empty or missing";
    return update;
  }
  update.Name = strings::UCase(PrepareCaption(parts[0]));
  if (parts.size() >= 2) update.Suffix = std::move(parts[1]);
  if (parts.size() >= 3) update.FileName = std::move(parts[2]);
  if (parts.size() >= 4) update.ReadmeName = std::move(parts[3]);
  if (parts.size() >= 5) {
    if (const auto no_run = ParseDecimal(parts[4])) {
      update.NoRun = static_cast<std::uint8_t>(*no_run);
    } else if (problem) {
      *problem = "fifth part \"" + parts[4] + "\" is not a number";
    }
  }
  return update;
}

}  // namespace norva::catalog
