#include "headless/state_dump.h"

#include <nlohmann/json.hpp>

#include "catalog/record_fields.h"
#include "components/fade_label.h"
#include "components/image_control.h"
#include "components/window.h"
#include "menu/music.h"
#include "platform/code_page.h"
#include "strings/edition_code_page.h"

namespace norva::headless {
namespace {

using Json = nlohmann::ordered_json;

class Dumper {
 public:
  explicit Dumper(const menu::MainForm& form) : code_page_(strings::EditionCodePage(form.look().Edition)) {}

  std::string Text(const std::string& ansi) const { return platform::AnsiToUtf8(ansi, code_page_); }

  template <typename R>
  Json Record(const R& record) const {
    Json fields = Json::object();
    catalog::VisitFields(record, [&](const char* name, const auto& value) {
      if constexpr (std::is_same_v<std::decay_t<decltype(value)>, std::string>) {
        fields[name] = Text(value);
      } else {
        fields[name] = value;
      }
    });
    return fields;
  }

  template <typename Array>
  Json Records(const Array& array, int count) const {
    Json list = Json::array();
    for (int i = 1; i <= count && i < static_cast<int>(array.size()); ++i) list.push_back(Record(array[i]));
    return list;
  }

  Json Dialog(const DialogRecord& dialog) const {
    Json d;
    d["kind"] = dialog.kind;
    d["caption"] = Text(dialog.caption);
    d["text"] = Text(dialog.text);
    d["buttons"] = dialog.buttons;
    d["answer"] = dialog.answer ? Json(*dialog.answer) : Json(nullptr);
    const Json result = dialog.result ? Json(Text(*dialog.result)) : Json(nullptr);
    if (dialog.kind == "chooser") {
      d["edit"] = Text(dialog.edit);
      d["result"] = result;
    } else if (dialog.kind == "unpack") {
      Json labels = Json::array();
      for (const auto& label : dialog.labels) labels.push_back(Text(label));
      d["labels"] = labels;
      d["percent"] = dialog.percent;
      d["result"] = result;
    }
    return d;
  }

  Json Launch(const platform::LaunchRecord& launch) const {
    Json l;
    if (launch.op == platform::LaunchRecord::Op::kShell) {
      l["op"] = "shell";
      l["verb"] = Text(launch.verb);
      l["file"] = Text(launch.file);
      l["params"] = Text(launch.params);
      l["dir"] = Text(launch.dir);
      l["show"] = launch.show;
    } else {
      l["op"] = "create";
      l["cmd"] = Text(launch.cmd);
      l["dir"] = Text(launch.dir);
      l["wait"] = launch.wait;
      l["started"] = launch.started;
      l["exit_code"] = launch.exit_code ? Json(*launch.exit_code) : Json(nullptr);
    }
    return l;
  }

  Json Control(const components::Control& control) const {
    Json c;
    c["visible"] = control.visible;
    c["left"] = control.rect.left;
    c["top"] = control.rect.top;
    c["width"] = control.rect.width;
    c["height"] = control.rect.height;
    if (auto* image = dynamic_cast<const components::ImageControl*>(&control)) {
      c["image"] = image->image;
      c["opacity"] = image->opacity;
      c["tag"] = image->tag;
    } else if (auto* label = dynamic_cast<const components::FadeLabel*>(&control)) {
      c["caption"] = Text(label->caption);
      c["color"] = label->color;
      c["hover_color"] = label->hover_color;
      c["opacity"] = label->opacity;
    }
    return c;
  }

 private:
  platform::CodePage code_page_;
};

}  // namespace

std::string DumpState(const menu::MainForm& form, const HeadlessHost& host, const components::Clock& clock) {
  (void)clock;
  const Dumper d(form);
  const auto& catalog = form.catalog();
  const auto& window = form.window();
  Json j;
  j["app_title"] = d.Text(form.look().AppTitle);
  j["caption"] = d.Text(form.look().Caption);
  j["disc_root"] = d.Text(form.files().DiscRoot);
  j["norva_dir"] = d.Text(form.files().NorvaDir);
  j["issue_code"] = d.Text(catalog.IssueCode);
  j["is_dvd"] = catalog.IsDVD != 0;
  j["debug_mode"] = catalog.DebugMode;
  j["edition"] = form.look().Edition;
  j["language"] = form.look().Language;
  j["night_mode"] = form.look().NightMode;
  j["os_name"] = form.files().Folders.OSName;
  const auto& f = form.files().Folders;
  j["folders"] = Json{{"WindowsDir", d.Text(f.WindowsDir)},
                      {"SystemDir", d.Text(f.SystemDir)},
                      {"TempDir", d.Text(f.TempDir)},
                      {"ProgramFilesDir", d.Text(f.ProgramFilesDir)},
                      {"CommonDesktopDir", d.Text(f.CommonDesktopDir)},
                      {"CommonProgramsDir", d.Text(f.CommonProgramsDir)},
                      {"UserDesktopDir", d.Text(f.UserDesktopDir)},
                      {"UserProgramsDir", d.Text(f.UserProgramsDir)}};

  j["page_kind"] = form.selection().PageKind;
  j["top_index"] = form.selection().TopIndex;
  j["item_index"] = form.selection().ItemIndex;
  j["selected_icon"] = form.selection().SelectedIcon;
  j["hover_icon"] = form.selection().HoverIcon;
  j["page_icon_count"] = form.selection().PageIconCount;
  Json pages = Json::array();
  for (int i = 1; i <= form.selection().PageIconCount && i < static_cast<int>(form.selection().Pages.size());
       ++i) {
    pages.push_back(
        {{"caption", d.Text(form.selection().Pages[i].Caption)}, {"kind", form.selection().Pages[i].Kind}});
  }
  j["pages"] = pages;
  j["gallery_index"] = form.picture_state().GalleryIndex;
  j["small_picture_loaded"] = form.picture_state().SmallPictureLoaded;
  j["picture_count"] = form.picture_state().PictureCount;

  j["settings"] = {{"enhanced", form.settings().EnhancedSetting},
                   {"effects", form.settings().EffectsSetting},
                   {"music", form.settings().MusicSetting}};
  j["music"] = {{"ready", form.music().MusicReady},
                {"tune", form.music().CurrentTune},
                {"state", form.music().State()}};

  j["window"] = {{"left", window.left},
                 {"top", window.top},
                 {"width", window.width},
                 {"height", window.height},
                 {"shaped", window.shaper() != nullptr && window.shaper()->active}};
  j["screen"] = {{"width", host.screen().width}, {"height", host.screen().height}};

  Json timers = Json::object();
  for (const auto& timer : window.timers()) {
    timers[timer->name()] = {{"enabled", timer->enabled()}, {"interval", timer->interval()}};
  }
  j["timers"] = timers;

  Json controls = Json::object();
  window.Visit([&](components::Control& control) { controls[control.name()] = d.Control(control); });
  j["controls"] = controls;

  Json records;
  records["demos"] = d.Records(catalog.Demo, catalog.DemoCount);
  records["fulls"] = d.Records(catalog.Full, catalog.FullCount);
  records["updates"] = d.Records(catalog.Update, catalog.UpdateCount);
  records["shareware"] = d.Records(catalog.Share, catalog.ShareCount);
  records["shots"] = d.Records(catalog.Shot, catalog.ShotCount);
  records["readers"] = d.Records(catalog.Reader, catalog.ReaderCount);
  records["movies"] = d.Records(catalog.Movie, catalog.MovieCount);
  records["drivers"] = d.Records(catalog.Driver, catalog.DriverCount);
  records["extra"] = d.Records(catalog.Extra, catalog.ExtraCount);
  records["extra2"] = d.Records(catalog.Extra2, catalog.Extra2Count);
  records["installed"] = d.Records(form.installed_rows().InstalledList, form.installed_rows().InstalledCount);
  j["records"] = records;

  j["modal"] = host.modal() ? d.Dialog(*host.modal()) : Json(nullptr);
  Json dialogs = Json::array();
  for (const auto& dialog : host.dialogs()) dialogs.push_back(d.Dialog(dialog));
  j["dialogs"] = dialogs;
  Json launches = Json::array();
  for (const auto& launch : form.platform().shell.Launches()) launches.push_back(d.Launch(launch));
  j["launches"] = launches;
  return j.dump(-1, ' ', false, Json::error_handler_t::replace);
}

}  // namespace norva::headless
