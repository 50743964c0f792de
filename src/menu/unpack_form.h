// The unpack window: a small modal window that unpacks an archive item into the chosen folder, showing what
// is installed where, a copy animation and a percentage (by bytes against the catalog's unpacked size on the
// Demos page, by entries elsewhere). Esc asks to quit on the Demos page. An unpacking that did not complete
// (an error, a refused or damaged entry, a cancel, or a byte total other than the catalog's) offers to delete
// what was unpacked and leaves ChosenDir empty; one in which no file could be created at all (a read-only or
// write-protected folder) says so instead, since there is nothing to delete. The front end shows the fields
// and calls the handlers.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "catalog/records.h"
#include "components/input.h"
#include "components/timer.h"
#include "components/window.h"
#include "install/rar_component.h"
#include "menu/menu_services.h"
#include "menu/menu_state.h"

namespace norva::menu {

// The item's unpacked size as the catalog gives it, in bytes; 0 when unknown. On the Demos page the
// `Param` (or, for a forced folder, the key UnpackedSize of its catalog section); on the Fulls, Readers and
// Extra pages the key UnpackedSize of the item's catalog section.
std::int64_t CatalogUnpackedSize(const Selection& selection, const MenuFiles& files,
                                 const catalog::TDemos& item);

// `numerator` / `denominator` × 100, rounded to the nearest integer, halves to even.
std::int64_t RoundedPercent(std::int64_t numerator, std::int64_t denominator);

class UnpackForm {
 public:
  static constexpr int kWidth = 426;
  static constexpr int kHeight = 166;
  // Place of the dialog relative to the menu window's top-left corner.
  static constexpr int kOffsetLeft = 124;
  static constexpr int kOffsetTop = 153;

  // FormCreate: place (by the menu's window), counters, label colour and texts. `item` is the selected
  // record; all are borrowed for the window's life.
  UnpackForm(Services services, const components::Window& window, const Appearance& look,
             const Selection& selection, const MenuFiles& files, const catalog::TDemos& item,
             std::string chosen_dir);

  // What the window shows.
  int Left = 0;
  int Top = 0;
  int NightMode = 0;
  std::array<std::string, 3> PackLabel;  // ANSI
  std::uint32_t LabelColor = 0;          // 0x00BBGGRR
  std::string Label1 = "0%";
  std::vector<std::string> Percents;  // every text Label1 showed, in order (repeats left out)
  bool AnimationActive = false;
  components::Timer Timer1{"Timer1", 300};

  // Raised while the unpacking runs, on every data block and listed entry: the front end lets pending
  // events run (as often as it needs). Raised after a shown text changed: the front end repaints.
  std::function<void()> OnPump;
  std::function<void()> OnChange;

  void FormActivate();
  // Runs the whole unpacking, then asks to close.
  void Timer1Timer();
  void FormKeyDown(components::Key key);
  // The completeness check: "100%", and for an incomplete unpacking the delete question (or, when no file
  // could be created, the message saying so) and an empty ChosenDir.
  void FormClose();

  bool CloseRequested() const { return close_requested_; }
  const std::string& ChosenDir() const { return chosen_dir_; }
  bool Incomplete() const;
  // Entries failed because their files could not be created, and not a byte of any entry was written.
  bool NothingCreated() const;

  std::int64_t BytesDone = 0;
  std::int64_t TotalBytes = 0;
  int FileCount = 0;
  int FilesLeft = 0;
  bool Cancelled = false;

 private:
  int RARProcessData(std::size_t block_size);
  void RARListFile();
  void RARExtract(bool extracted);
  void RARError(int code);
  void ShowPercent(std::int64_t percent);
  void SetLabel1(std::string text);
  void Pump();

  Services services_;
  const Appearance& look_;
  const Selection& selection_;
  const MenuFiles& files_;
  const catalog::TDemos& item_;
  std::string chosen_dir_;
  std::string name_;
  install::TRAR rar_;
  bool close_requested_ = false;
  bool failed_ = false;  // an entry or the archive failed
  int create_errors_ = 0;
  int entries_extracted_ = 0;
  std::int64_t bytes_written_ = 0;  // on every page, unlike BytesDone
  bool closed_ = false;
};

}  // namespace norva::menu
