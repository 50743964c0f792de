// The kinds of page the menu shows (`PageKind`, `TPage::Kind`), and the one table that says, for each kind,
// which records its list shows, its icon, its page picture, its screen and panel, and what its buttons do.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "catalog/catalog.h"
#include "catalog/records.h"

namespace norva::menu {

class PageScreens;
class DetailPanel;

inline constexpr int kPageDemos = 1;
inline constexpr int kPageExtra = 2;
inline constexpr int kPageShareware = 3;
inline constexpr int kPageDrivers = 4;
inline constexpr int kPageUpdates = 5;
inline constexpr int kPageReaders = 6;
inline constexpr int kPageShots = 7;
inline constexpr int kPageFilms = 8;
inline constexpr int kPageFulls = 10;
inline constexpr int kPageExtra2 = 11;
inline constexpr int kPageQuillon = 12;
inline constexpr int kPageInstalled = 20;
inline constexpr int kPageSettings = 21;

// The Installed page's rows: every program recorded in the store by any issue.
struct InstalledRows {
  catalog::Slots<catalog::TDemos, 50> InstalledList{};
  int InstalledCount = 0;
};

// The records behind the pages' lists.
struct PageData {
  catalog::Catalog& catalog;
  InstalledRows& installed;
};

// The list of a page kind: its count and its records. Every function takes a 1-based index and answers
// nothing (null) outside the array.
struct PageRows {
  // The count the catalog or the store gives (not cut to the array).
  int (*count)(const PageData& data) = nullptr;
  // The list caption of a record.
  const std::string* (*name)(const PageData& data, int index) = nullptr;
  // The record of a page of program records (`TDemos`); null for the other kinds.
  catalog::TDemos* (*program)(const PageData& data, int index) = nullptr;
  // The record's Picture; null where the record has none.
  const std::string* (*picture)(const PageData& data, int index) = nullptr;
};

// What Play does on a page.
enum class PlayAction {
  kNone,
  kInstallOrRun,       // runs the selected item when it is runnable, else installs it
  kSetupFromSoftware,  // the item's setup (or its INF file) from the disc's Software folder
  kInstall,
  kRunUpdate,  // the update's program from the disc's Updates folder
  kOpenFilm,
  kOpenDiskmag,
  kRun,
};

// Where Readme finds the selected item's readme.
enum class ReadmeAction {
  kNone,
  kInstalledFolder,  // the folder the item was installed to (or runs from)
  kDiscFolder,       // the item's folder on the disc
  kSoftwareFolder,   // the item's folder below the disc's Software folder
  kUpdatesFolder,    // beside the update's program below the disc's Updates folder
};

enum class WebAction { kNone, kItem, kShot };

// The Play button's hover help.
enum class PlayHelpRule {
  kNone,
  kRunOnceInstalled,  // "install" while the item is not installed, else "run"
  kRunWhenRunnable,   // "run" while the item is runnable, else "install"
  kInstall,
  kRun,
};

// Install by archive: the directory chooser's suggestion, caption and question, and the catalog section of
// the item's unpacked size.
struct ArchiveRules {
  const char* catalog_section = nullptr;  // null: the page has no archive items
  int chooser_caption = 0;                // message numbers
  int chooser_question = 0;
  // The suggested folder name: the item's disc folder from this character on (1-based, at most 50), or the
  // fixed name when there is one.
  int suggestion_from = 0;
  const char* suggestion = nullptr;
  // An item of InstallType 3 goes into the catalog's ForcedDir.
  bool forced_folder = false;
  // An item of InstallType 11 is a document: no folder name is suggested.
  bool documents = false;
  // The unpack window counts bytes against the unpacked size, which the item's Param gives (but for a
  // forced folder) and which the first whole unpacking measures; elsewhere it counts entries.
  bool by_bytes = false;
  // Esc in the unpack window asks whether to quit.
  bool esc_asks_to_quit = false;
};

struct PageKindInfo {
  int kind = 0;
  PageRows rows;
  // The icon of the page column: the caption is message `icon_message` (a message that is empty, or one
  // for CDs only on a DVD, gives `icon_caption`); `icon_picture` is the icon's first picture, -1 for none.
  int icon_message = 0;
  const char* icon_caption = nullptr;
  bool icon_caption_on_dvd = false;
  int icon_picture = -1;
  // The folder of the disc that the page's files lie below ("" when its records name their folders in full).
  const char* disc_folder = "";
  // What a switch of the colour scheme shows again: the page illustration in the small picture, the CZ flag,
  // the Play button, the settings rows' switches.
  const char* page_picture = nullptr;
  bool cz_flag = false;
  bool scheme_play = false;
  bool settings_switches = false;
  // The screen that shows the page, and the panel setter of its selected row (null: none of its own).
  void (PageScreens::*screen)() = nullptr;
  void (DetailPanel::*panel)() = nullptr;
  PlayAction play = PlayAction::kNone;
  ReadmeAction readme = ReadmeAction::kNone;
  WebAction web = WebAction::kNone;
  PlayHelpRule play_help = PlayHelpRule::kNone;
  // Rows whose quick-run icon shows while the row's item is installed; a click on it runs the item.
  int quick_run_rows = 0;
  // The records' pictures have thumbnails and galleries.
  bool item_pictures = false;
  // Uninstall acts on the selected record.
  bool uninstall = false;
  // The install poll detects the saved record of this page.
  bool install_poll = false;
  // A page without a list of its own (the diskmag, the settings): its panel stays with item 0.
  bool fixed_rows = false;
  ArchiveRules archive;
};

// The descriptor of a page kind; null for a kind the menu does not know.
const PageKindInfo* PageKindOf(int kind);

// The archive rules of a page kind; empty rules (no archive items) for a kind without them.
const ArchiveRules& PageArchiveRules(int kind);

// The page's folder on the disc at `disc_root`, with a backslash at its end ("D:\Software\"); the disc root
// itself for a page whose records name their folders in full.
std::string PageDiscFolder(const std::string& disc_root, int kind);

// The number of items of a page kind (low byte of the count): the diskmag has 1, settings 3, kinds without a
// list 0.
std::uint8_t PageItemCount(const PageData& data, int kind);
// The caption of item `index` of a page kind: empty past the array's end, nothing for a kind without a
// catalog list.
std::optional<std::string_view> PageItemName(const PageData& data, int kind, int index);
// The program record at `index` of a page kind; null outside the array and on pages of other records.
catalog::TDemos* PageProgram(const PageData& data, int kind, int index);
// The same, null past the page's count as well.
catalog::TDemos* PageProgramRow(const PageData& data, int kind, int index);
// The Picture of item `index` on the pages whose items have galleries; "" elsewhere.
std::string PageItemPicture(const PageData& data, int kind, int index);

}  // namespace norva::menu
