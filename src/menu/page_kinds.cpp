#include "menu/page_kinds.h"

#include <cstddef>
#include <type_traits>

#include "menu/detail_panel.h"
#include "menu/page_screens.h"
#include "menu/picture_index.h"

namespace norva::menu {
namespace {

constexpr const char* kFullGames = "PLN\xC9 HRY";
constexpr const char* kReadersCaption = "OD \xC8TEN\xC1\xD8U";

// Message numbers of the directory chooser.
constexpr int kInstallDemoIn = 14;
constexpr int kDirectorySelection = 16;
constexpr int kInstallProgramTo = 31;
constexpr int kWhereToInstall = 32;

template <typename Array>
auto* At(Array& records, int index) {
  return index >= 1 && static_cast<std::size_t>(index) < records.size()
             ? &records[static_cast<std::size_t>(index)]
             : nullptr;
}

// The rows of one array of records: `Records` gives the array, `Count` its count.
template <auto Records, auto Count>
constexpr PageRows RowsOf() {
  using Array = std::remove_cvref_t<decltype(Records(std::declval<const PageData&>()))>;
  using Record = typename Array::value_type;
  PageRows rows;
  rows.count = [](const PageData& data) { return Count(data); };
  rows.name = [](const PageData& data, int index) -> const std::string* {
    auto* record = At(Records(data), index);
    return record ? &record->Name : nullptr;
  };
  if constexpr (std::is_same_v<Record, catalog::TDemos>) {
    rows.program = [](const PageData& data, int index) -> catalog::TDemos* {
      return At(Records(data), index);
    };
  }
  if constexpr (requires(Record record) { record.Picture; }) {
    rows.picture = [](const PageData& data, int index) -> const std::string* {
      auto* record = At(Records(data), index);
      return record ? &record->Picture : nullptr;
    };
  }
  return rows;
}

#define NORVA_CATALOG_ROWS(array, count)       \
  RowsOf < [](const PageData& data) -> auto& { \
    return data.catalog.array;                 \
  }                                            \
  , [](const PageData& data) { return static_cast<int>(data.catalog.count); } > ()

PageKindInfo Page(int kind, PageRows rows) {
  PageKindInfo page;
  page.kind = kind;
  page.rows = rows;
  return page;
}

ArchiveRules Archive(const char* section, int caption, int question, int suggestion_from,
                     const char* suggestion) {
  ArchiveRules rules;
  rules.catalog_section = section;
  rules.chooser_caption = caption;
  rules.chooser_question = question;
  rules.suggestion_from = suggestion_from;
  rules.suggestion = suggestion;
  return rules;
}

PageRows FixedRows(int (*count)(const PageData&)) {
  PageRows rows;
  rows.count = count;
  return rows;
}

PageKindInfo Demos() {
  PageKindInfo page = Page(kPageDemos, NORVA_CATALOG_ROWS(Demo, DemoCount));
  page.icon_message = 2;
  page.icon_picture = picture::kDemosIcon;
  page.screen = &PageScreens::SetDemosPage;
  page.panel = &DetailPanel::SetDemos;
  page.play = PlayAction::kInstallOrRun;
  page.readme = ReadmeAction::kInstalledFolder;
  page.web = WebAction::kItem;
  page.play_help = PlayHelpRule::kRunOnceInstalled;
  page.quick_run_rows = 10;
  page.item_pictures = true;
  page.uninstall = true;
  page.install_poll = true;
  page.archive = Archive("Demo", kDirectorySelection, kInstallDemoIn, 10, nullptr);
  page.archive.forced_folder = true;
  page.archive.by_bytes = true;
  page.archive.esc_asks_to_quit = true;
  return page;
}

PageKindInfo Extra() {
  PageKindInfo page = Page(kPageExtra, NORVA_CATALOG_ROWS(Extra, ExtraCount));
  page.icon_message = 4;
  page.icon_picture = picture::kExtraIcon;
  page.screen = &PageScreens::SetExtraPage;
  page.panel = &DetailPanel::SetExtra;
  page.play = PlayAction::kInstallOrRun;
  page.readme = ReadmeAction::kDiscFolder;
  page.web = WebAction::kItem;
  page.play_help = PlayHelpRule::kRunWhenRunnable;
  page.item_pictures = true;
  page.uninstall = true;
  page.archive = Archive("Extra", kWhereToInstall, kInstallProgramTo, 0, "BERUSKY");
  return page;
}

PageKindInfo Shareware() {
  PageKindInfo page = Page(kPageShareware, NORVA_CATALOG_ROWS(Share, ShareCount));
  page.icon_message = 3;
  page.icon_picture = picture::kSoftwareIcon;
  page.page_picture = "iko04";
  page.screen = &PageScreens::SetSharewarePage;
  page.panel = &DetailPanel::SetShare;
  page.disc_folder = "Software";
  page.play = PlayAction::kSetupFromSoftware;
  page.readme = ReadmeAction::kSoftwareFolder;
  page.web = WebAction::kItem;
  page.play_help = PlayHelpRule::kRunWhenRunnable;
  return page;
}

PageKindInfo Drivers() {
  PageKindInfo page = Page(kPageDrivers, NORVA_CATALOG_ROWS(Driver, DriverCount));
  page.icon_message = 6;
  page.icon_picture = picture::kDriversIcon;
  page.page_picture = "iko01";
  page.screen = &PageScreens::SetDriversPage;
  page.panel = &DetailPanel::SetDrivers;
  page.play = PlayAction::kInstall;
  page.readme = ReadmeAction::kDiscFolder;
  page.web = WebAction::kItem;
  page.play_help = PlayHelpRule::kInstall;
  page.item_pictures = true;
  return page;
}

PageKindInfo Updates() {
  PageKindInfo page = Page(kPageUpdates, NORVA_CATALOG_ROWS(Update, UpdateCount));
  page.icon_message = 5;
  page.icon_picture = picture::kUpdatesIcon;
  page.page_picture = "iko02";
  page.screen = &PageScreens::SetUpdatesPage;
  page.panel = &DetailPanel::SetUpdates;
  page.disc_folder = "Updates";
  page.play = PlayAction::kRunUpdate;
  page.readme = ReadmeAction::kUpdatesFolder;
  page.play_help = PlayHelpRule::kInstall;
  return page;
}

PageKindInfo Readers() {
  PageKindInfo page = Page(kPageReaders, NORVA_CATALOG_ROWS(Reader, ReaderCount));
  page.icon_caption = kReadersCaption;
  page.icon_picture = picture::kReadersIcon;
  page.page_picture = "iko06";
  page.screen = &PageScreens::SetReadersPage;
  page.panel = &DetailPanel::SetReaders;
  page.play = PlayAction::kInstallOrRun;
  page.readme = ReadmeAction::kInstalledFolder;
  page.web = WebAction::kItem;
  page.play_help = PlayHelpRule::kRunWhenRunnable;
  page.quick_run_rows = 10;
  page.uninstall = true;
  page.install_poll = true;
  page.cz_flag = true;
  page.archive = Archive("Reader", kWhereToInstall, kInstallProgramTo, 12, nullptr);
  page.archive.forced_folder = true;
  page.archive.documents = true;
  return page;
}

PageKindInfo Shots() {
  PageKindInfo page = Page(kPageShots, NORVA_CATALOG_ROWS(Shot, ShotCount));
  page.icon_message = 7;
  page.icon_picture = picture::kShotsIcon;
  page.screen = &PageScreens::SetHotShotsPage;
  page.panel = &DetailPanel::SetShots;
  page.web = WebAction::kShot;
  page.item_pictures = true;
  return page;
}

PageKindInfo Films() {
  PageKindInfo page = Page(kPageFilms, NORVA_CATALOG_ROWS(Movie, MovieCount));
  page.icon_message = 8;
  page.icon_picture = picture::kTrailersIcon;
  page.screen = &PageScreens::SetFilmsPage;
  page.panel = &DetailPanel::SetFilms;
  page.play = PlayAction::kOpenFilm;
  page.play_help = PlayHelpRule::kRun;
  page.item_pictures = true;
  return page;
}

PageKindInfo Fulls() {
  PageKindInfo page = Page(kPageFulls, NORVA_CATALOG_ROWS(Full, FullCount));
  // Message 79 is empty in every language: a CD's full games go by the DVD's name for them.
  page.icon_message = 79;
  page.icon_caption = kFullGames;
  page.icon_caption_on_dvd = true;
  page.icon_picture = picture::kSoftwareIcon;
  page.screen = &PageScreens::SetFullsPage;
  page.panel = &DetailPanel::SetFulls;
  page.play = PlayAction::kInstallOrRun;
  page.readme = ReadmeAction::kInstalledFolder;
  page.web = WebAction::kItem;
  page.play_help = PlayHelpRule::kRunOnceInstalled;
  // A full version's icons stop at row 6: the rows below were never given one.
  page.quick_run_rows = 6;
  page.item_pictures = true;
  page.uninstall = true;
  page.install_poll = true;
  page.archive = Archive("Full", kWhereToInstall, kInstallProgramTo, 4, nullptr);
  return page;
}

PageKindInfo Extra2() {
  PageKindInfo page = Page(kPageExtra2, NORVA_CATALOG_ROWS(Extra2, Extra2Count));
  page.icon_message = 9;
  page.icon_picture = picture::kShotsIcon;
  page.screen = &PageScreens::SetExtra2Page;
  page.panel = &DetailPanel::SetExtra2;
  page.play = PlayAction::kInstallOrRun;
  page.readme = ReadmeAction::kInstalledFolder;
  page.web = WebAction::kItem;
  page.play_help = PlayHelpRule::kRunWhenRunnable;
  page.item_pictures = true;
  page.uninstall = true;
  page.install_poll = true;
  return page;
}

PageKindInfo Quillon() {
  PageKindInfo page = Page(kPageQuillon, FixedRows([](const PageData&) { return 1; }));
  page.icon_caption = "QUILLON";
  page.icon_picture = picture::kQuillonIcon;
  page.screen = &PageScreens::SetQuillonPage;
  page.disc_folder = "Quillon";
  page.play = PlayAction::kOpenDiskmag;
  page.play_help = PlayHelpRule::kRun;
  page.fixed_rows = true;
  page.cz_flag = true;
  page.scheme_play = true;
  return page;
}

PageKindInfo Installed() {
  PageKindInfo page =
      Page(kPageInstalled, RowsOf<[](const PageData& data) -> auto& { return data.installed.InstalledList; },
                                  [](const PageData& data) { return data.installed.InstalledCount; }>());
  page.icon_message = 1;
  page.icon_picture = picture::kInstalledIcon;
  page.page_picture = "iko08";
  page.screen = &PageScreens::SetInstalledPage;
  page.panel = &DetailPanel::SetInstalled;
  page.play = PlayAction::kRun;
  page.play_help = PlayHelpRule::kRun;
  page.uninstall = true;
  return page;
}

PageKindInfo Settings() {
  PageKindInfo page = Page(kPageSettings, FixedRows([](const PageData&) { return 3; }));
  page.page_picture = "ikoUNI";
  page.screen = &PageScreens::SetSettingsPage;
  page.panel = &DetailPanel::SetSettings;
  page.fixed_rows = true;
  page.settings_switches = true;
  return page;
}

#undef NORVA_CATALOG_ROWS

struct Table {
  PageKindInfo pages[13] = {Demos(), Extra(), Shareware(), Drivers(), Updates(),   Readers(), Shots(),
                            Films(), Fulls(), Extra2(),    Quillon(), Installed(), Settings()};
};

const Table& Kinds() {
  static const Table table;
  return table;
}

}  // namespace

const PageKindInfo* PageKindOf(int kind) {
  for (const auto& page : Kinds().pages) {
    if (page.kind == kind) return &page;
  }
  return nullptr;
}

const ArchiveRules& PageArchiveRules(int kind) {
  static const ArchiveRules none;
  const PageKindInfo* page = PageKindOf(kind);
  return page != nullptr ? page->archive : none;
}

std::string PageDiscFolder(const std::string& disc_root, int kind) {
  const PageKindInfo* page = PageKindOf(kind);
  const std::string folder = page != nullptr ? page->disc_folder : "";
  return disc_root + "\\" + (folder.empty() ? "" : folder + "\\");
}

std::uint8_t PageItemCount(const PageData& data, int kind) {
  const PageKindInfo* page = PageKindOf(kind);
  const int count = page != nullptr && page->rows.count ? page->rows.count(data) : 0;
  return static_cast<std::uint8_t>(count & 0xFF);
}

std::optional<std::string_view> PageItemName(const PageData& data, int kind, int index) {
  const PageKindInfo* page = PageKindOf(kind);
  if (page == nullptr || page->rows.name == nullptr) return std::nullopt;
  const std::string* name = page->rows.name(data, index);
  return name ? std::string_view(*name) : std::string_view();
}

catalog::TDemos* PageProgram(const PageData& data, int kind, int index) {
  const PageKindInfo* page = PageKindOf(kind);
  return page != nullptr && page->rows.program ? page->rows.program(data, index) : nullptr;
}

catalog::TDemos* PageProgramRow(const PageData& data, int kind, int index) {
  const PageKindInfo* page = PageKindOf(kind);
  if (page == nullptr || page->rows.program == nullptr || index > page->rows.count(data)) return nullptr;
  return page->rows.program(data, index);
}

std::string PageItemPicture(const PageData& data, int kind, int index) {
  const PageKindInfo* page = PageKindOf(kind);
  if (page == nullptr || !page->item_pictures || page->rows.picture == nullptr) return {};
  const std::string* picture = page->rows.picture(data, index);
  return picture ? *picture : std::string();
}

}  // namespace norva::menu
