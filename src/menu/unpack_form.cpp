#include "menu/unpack_form.h"

#include <charconv>

#include "installed/file_tree.h"
#include "menu/delete_question.h"
#include "menu/page_kinds.h"
#include "strings/ucase.h"

namespace norva::menu {
namespace {

constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kSilver = 12632256;
constexpr int kTurkish = 2;

// Messages of the window.
constexpr int kInstalling = 40;
constexpr int kIn = 41;
constexpr int kQuitInstallation = 50;
constexpr int kNothingCreated = 55;

std::int64_t Number(const std::string& text) {
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() && value > 0 ? value : 0;
}

}  // namespace

std::int64_t CatalogUnpackedSize(const Selection& selection, const MenuFiles& files,
                                 const catalog::TDemos& item) {
  const ArchiveRules& rules = PageArchiveRules(selection.PageKind);
  if (rules.catalog_section == nullptr) return 0;
  if (rules.by_bytes && item.InstallType != catalog::kInstallUnpackForced) return Number(item.Param);
  if (!files.CatalogIni) return 0;
  const std::string section = rules.catalog_section + std::to_string(selection.ItemIndex);
  return Number(files.CatalogIni->ReadString(section, "UnpackedSize", "0"));
}

std::int64_t RoundedPercent(std::int64_t numerator, std::int64_t denominator) {
  if (denominator <= 0) return 0;
  const std::int64_t scaled = numerator * 100;
  std::int64_t quotient = scaled / denominator;
  const std::int64_t twice_rest = 2 * (scaled % denominator);
  if (twice_rest > denominator || (twice_rest == denominator && quotient % 2 != 0)) ++quotient;
  return quotient;
}

UnpackForm::UnpackForm(Services services, const components::Window& window, const Appearance& look,
                       const Selection& selection, const MenuFiles& files, const catalog::TDemos& item,
                       std::string chosen_dir)
    : services_(services),
      look_(look),
      selection_(selection),
      files_(files),
      item_(item),
      chosen_dir_(std::move(chosen_dir)),
      name_(item.Name),
      rar_(services_.platform.archives) {
  Left = window.left + kOffsetLeft;
  Top = window.top + kOffsetTop;
  NightMode = look_.NightMode;
  LabelColor = NightMode == 1 ? kBlack : kSilver;
  if (look_.Language == kTurkish) {
    PackLabel = {name_ + "'den", chosen_dir_ + "'e kuruluyor", ""};
  } else {
    const auto message = [this](int k) { return services_.messages.LoadString(look_.Language * 100 + k); };
    PackLabel = {strings::UCase(message(kInstalling) + " " + name_), strings::UCase(message(kIn)),
                 strings::UCase(chosen_dir_)};
  }
  Percents.push_back(Label1);
  Timer1.OnTimer = [this] { Timer1Timer(); };
  rar_.OnProcessData = [this](const char*, std::size_t size, std::uint64_t) { return RARProcessData(size); };
  rar_.OnListFile = [this](const install::RARHeaderData&) { RARListFile(); };
  rar_.OnExtract = [this](const install::RARHeaderData&, bool extracted) { RARExtract(extracted); };
  rar_.OnError = [this](int code) { RARError(code); };
}

void UnpackForm::FormActivate() {
  if (PageArchiveRules(selection_.PageKind).catalog_section != nullptr) {
    rar_.ArchiveName = item_.InstallDir + "\\" + item_.InstallName;
  }
  rar_.TargetDir = chosen_dir_;
  installed::FileTree(services_.platform.files, files_.Folders).RemoveReadOnly(chosen_dir_);
  AnimationActive = true;
  Timer1.SetEnabled(true);
  if (OnChange) OnChange();
}

void UnpackForm::Timer1Timer() {
  Timer1.SetEnabled(false);
  const ArchiveRules& rules = PageArchiveRules(selection_.PageKind);
  if (rules.by_bytes) {
    TotalBytes = CatalogUnpackedSize(selection_, files_, item_);
    if (!rar_.ExtractArchive()) failed_ = true;
    // The measured total becomes the catalog's, for the next install's percentage; only a whole unpacking
    // measures it, and a catalog that cannot be written (a disc) keeps what it has.
    if (TotalBytes == 0 && !failed_ && !Cancelled && CatalogUnpackedSize(selection_, files_, item_) == 0 &&
        files_.CatalogIni) {
      const std::string section = rules.catalog_section + std::to_string(selection_.ItemIndex);
      files_.CatalogIni->WriteString(section, "UnpackedSize", std::to_string(BytesDone));
    }
  } else {
    rar_.ListArchive();
    FilesLeft = FileCount;
    // A listing that failed has been reported and closes the window: the extraction would only fail again.
    if (close_requested_) {
      failed_ = true;
    } else if (!rar_.ExtractArchive()) {
      failed_ = true;
    }
  }
  close_requested_ = true;
}

int UnpackForm::RARProcessData(std::size_t block_size) {
  bytes_written_ += static_cast<std::int64_t>(block_size);
  if (FileCount == 0) {
    BytesDone += static_cast<std::int64_t>(block_size);
    if (TotalBytes > 0 && !Cancelled) ShowPercent(RoundedPercent(BytesDone, TotalBytes));
  }
  Pump();
  // A confirmed cancel stops the entry being written too, not only the next one.
  return Cancelled ? 0 : 1;
}

void UnpackForm::RARListFile() {
  ++FileCount;
  Pump();
}

void UnpackForm::RARExtract(bool extracted) {
  if (extracted) ++entries_extracted_;
  if (FileCount <= 0) return;
  ShowPercent(RoundedPercent(FileCount - FilesLeft, FileCount));
  --FilesLeft;
}

void UnpackForm::RARError(int code) {
  failed_ = true;
  // A file that cannot be created is passed over in silence; the next entry follows. When none at all could
  // be, the close says so.
  if (code == platform::kArcCreate) {
    ++create_errors_;
    return;
  }
  services_.host.ShowMessage(MessageKind::kError, look_.AppTitle, install::TRAR::ErrorText(code),
                             MessageButtons::kOk);
  close_requested_ = true;
}

void UnpackForm::FormKeyDown(components::Key key) {
  if (key != components::Key::Esc || !PageArchiveRules(selection_.PageKind).esc_asks_to_quit ||
      close_requested_)
    return;
  AnimationActive = false;
  rar_.Stop = true;
  if (OnChange) OnChange();
  const std::string question = services_.messages.LoadString(look_.Language * 100 + kQuitInstallation);
  if (services_.host.ShowMessage(MessageKind::kConfirmation, look_.AppTitle, question,
                                 MessageButtons::kYesNo) == MessageAnswer::kYes) {
    Cancelled = true;
    close_requested_ = true;
  } else {
    rar_.Stop = false;
    AnimationActive = true;
  }
  if (OnChange) OnChange();
}

bool UnpackForm::Incomplete() const {
  return (BytesDone > 0 && TotalBytes > 0 && BytesDone != TotalBytes) || (FileCount > 0 && FilesLeft > 0) ||
         failed_ || Cancelled;
}

bool UnpackForm::NothingCreated() const {
  return create_errors_ > 0 && entries_extracted_ == 0 && bytes_written_ == 0;
}

void UnpackForm::FormClose() {
  if (closed_) return;
  closed_ = true;
  Timer1.SetEnabled(false);
  AnimationActive = false;
  SetLabel1("100%");
  if (Incomplete()) {
    // Asking to delete everything in a folder nothing was written to could only delete what was there before.
    if (!NothingCreated()) {
      DeleteQuestion(services_, look_, files_.Folders, chosen_dir_);
    } else if (!Cancelled) {
      services_.host.ShowMessage(
          MessageKind::kError, look_.AppTitle,
          services_.messages.LoadSpecial(look_.Language * 100 + kNothingCreated, strings::UCase(chosen_dir_)),
          MessageButtons::kOk);
    }
    chosen_dir_.clear();
  }
}

void UnpackForm::ShowPercent(std::int64_t percent) {
  SetLabel1(std::to_string(percent) + "%");
}

void UnpackForm::SetLabel1(std::string text) {
  if (text == Label1) return;
  Label1 = std::move(text);
  Percents.push_back(Label1);
  if (OnChange) OnChange();
}

void UnpackForm::Pump() {
  if (OnPump) OnPump();
}

}  // namespace norva::menu
