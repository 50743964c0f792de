#include "platform/wine/libarchive_archives.h"

#include <archive.h>
#include <archive_entry.h>
#include <iconv.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "platform/wine/libarchive_reader.h"

namespace norva::platform::wine {
namespace {

namespace fs = std::filesystem;

// Bytes libarchive reads at a time; large blocks mean few calls for stored data.
constexpr std::size_t kReadBlock = 1 << 20;
// Headers in a row that consume nothing before the walk counts as stalled.
constexpr int kMaxStalls = 8;

locale_t Utf8Locale() {
  static const locale_t locale = [] {
    locale_t made = newlocale(LC_ALL_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    return made != nullptr ? made : newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  }();
  return locale;
}

const char* OemCharset(CodePage code_page) {
  return code_page == CodePage::kTurkish ? "CP857" : "CP852";
}

std::string OemToUtf8(const std::string& text, CodePage code_page) {
  iconv_t cd = iconv_open("UTF-8", OemCharset(code_page));
  if (cd == reinterpret_cast<iconv_t>(-1)) return text;
  std::string out(text.size() * 4 + 4, '\0');
  char* in_ptr = const_cast<char*>(text.data());
  std::size_t in_left = text.size();
  char* out_ptr = out.data();
  std::size_t out_left = out.size();
  const std::size_t done = iconv(cd, &in_ptr, &in_left, &out_ptr, &out_left);
  iconv_close(cd);
  if (done == static_cast<std::size_t>(-1)) return text;
  out.resize(out.size() - out_left);
  return out;
}

bool ValidUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    std::size_t extra = 0;
    if (c >= 0xC2 && c <= 0xDF) {
      extra = 1;
    } else if (c >= 0xE0 && c <= 0xEF) {
      extra = 2;
    } else if (c >= 0xF0 && c <= 0xF4) {
      extra = 3;
    } else if (c >= 0x80) {
      return false;
    }
    if (text.size() - i <= extra) return false;
    for (std::size_t k = 1; k <= extra; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    }
    i += extra + 1;
  }
  return true;
}

}  // namespace

Utf8LocaleScope::Utf8LocaleScope() : previous_(uselocale(Utf8Locale())) {}

Utf8LocaleScope::~Utf8LocaleScope() {
  uselocale(previous_);
}

std::unique_ptr<ArchiveReader> LibArchiveArchives::Open(std::string_view dos_path, ArchiveMode /*mode*/,
                                                        int* result, Error* error) {
  *result = kArcOpen;
  const auto fail = [&](int code, const std::string& cause) -> std::unique_ptr<ArchiveReader> {
    *result = code;
    Error::Set(error, "opening the archive " + std::string(dos_path) + ": " + cause);
    return nullptr;
  };
  const std::optional<fs::path> host = files_.Resolve(dos_path);
  struct stat st {};
  if (!host || stat(host->c_str(), &st) != 0) return fail(kArcOpen, "no such file");
  if (!S_ISREG(st.st_mode)) return fail(kArcOpen, "not a file");
  RarScan scan = ScanRarSet(*host);
  if (!scan.walked && !scan.headers_encrypted && scan.entries.empty()) {
    // No RAR headers at all: not an archive the menu can unpack.
    return fail(kArcBadArchive, "not a RAR archive");
  }
  // The next volume's file cannot be opened.
  if (scan.missing_volume) return fail(kArcOpen, "a volume of the set is missing");

  Utf8LocaleScope utf8;
  struct archive* handle = archive_read_new();
  if (handle == nullptr) return fail(kArcNoMemory, "out of memory");
  archive_read_support_format_rar(handle);
  archive_read_support_format_rar5(handle);
  std::vector<std::string> names;
  for (const auto& volume : scan.volumes) names.push_back(volume.string());
  std::vector<const char*> list;
  for (const auto& name : names) list.push_back(name.c_str());
  list.push_back(nullptr);
  if (archive_read_open_filenames(handle, list.data(), kReadBlock) != ARCHIVE_OK) {
    const char* text = archive_error_string(handle);
    const std::string cause = text != nullptr ? text : "it cannot be read";
    archive_read_free(handle);
    return fail(kArcOpen, cause);
  }
  *result = kArcSuccess;
  return std::make_unique<LibArchiveReader>(handle, std::move(scan), files_);
}

LibArchiveReader::LibArchiveReader(struct archive* handle, RarScan scan, WineFileSystem& files)
    : handle_(handle), scan_(std::move(scan)), files_(files) {}

LibArchiveReader::~LibArchiveReader() {
  Utf8LocaleScope utf8;
  archive_read_free(handle_);
}

std::string LibArchiveReader::NameUtf8(const char* utf8, const char* raw) const {
  if (raw != nullptr && !ValidUtf8(raw)) return OemToUtf8(raw, files_.ansi_code_page());
  if (utf8 != nullptr) return utf8;
  return raw != nullptr ? raw : "";
}

const RarScanEntry* LibArchiveReader::Recorded() const {
  if (!scan_.walked || index_ == 0 || index_ > scan_.entries.size()) return nullptr;
  return &scan_.entries[index_ - 1];
}

void LibArchiveReader::DropData() {
  if (!entry_open_) return;
  entry_open_ = false;
  if (archive_read_data_skip(handle_) == ARCHIVE_FATAL) ended_ = true;
}

int LibArchiveReader::ReadHeader(ArchiveHeader& header) {
  if (ended_) return kArcEndArchive;
  Utf8LocaleScope utf8;
  DropData();
  if (ended_) return kArcBadData;
  const int status = archive_read_next_header(handle_, &entry_);
  if (status == ARCHIVE_EOF) {
    ended_ = true;
    // libarchive ends quietly where a cut file ends between two entries.
    return scan_.truncated ? kArcRead : kArcEndArchive;
  }
  if (status < ARCHIVE_WARN) {
    // A header that cannot be read ends the walk; libarchive would offer the same header again.
    ended_ = true;
    if (index_ == 0 && !scan_.walked && !scan_.headers_encrypted) return kArcBadArchive;
    return kArcBadData;
  }
  const std::int64_t position = archive_filter_bytes(handle_, -1);
  stalls_ = position == last_position_ ? stalls_ + 1 : 0;
  last_position_ = position;
  if (stalls_ >= kMaxStalls) {
    ended_ = true;
    return kArcBadData;
  }
  ++index_;
  entry_open_ = true;
  name_ = NameUtf8(archive_entry_pathname_utf8(entry_), archive_entry_pathname(entry_));

  // The header walk and libarchive must see the same entries, or the recorded values are not used.
  const RarScanEntry* recorded = Recorded();
  const bool directory = archive_entry_filetype(entry_) == AE_IFDIR;
  const bool plain_file =
      archive_entry_filetype(entry_) == AE_IFREG && archive_entry_hardlink(entry_) == nullptr;
  if (recorded != nullptr &&
      (recorded->directory != directory ||
       (plain_file && recorded->size_known && archive_entry_size_is_set(entry_) &&
        recorded->unpacked_size != static_cast<std::uint64_t>(archive_entry_size(entry_))))) {
    scan_.walked = false;
    recorded = nullptr;
  }

  std::string dos_name = name_;
  for (char& c : dos_name) {
    if (c == '/') c = '\\';
  }
  header = {};
  header.FileName = Utf8ToAnsi(dos_name, files_.ansi_code_page());
  header.UnpSize =
      archive_entry_size_is_set(entry_) ? static_cast<std::uint64_t>(archive_entry_size(entry_)) : 0;
  if (archive_entry_is_encrypted(entry_) || (recorded != nullptr && recorded->encrypted))
    header.Flags |= kArcFlagEncrypted;
  if (directory) header.FileAttr |= kArcAttrDirectory;
  if ((archive_entry_perm(entry_) & 0222) == 0) header.FileAttr |= kArcAttrReadOnly;
  if (recorded != nullptr && recorded->crc) header.FileCRC = *recorded->crc;
  return kArcSuccess;
}

int LibArchiveReader::Skip() {
  if (!entry_open_) return ended_ ? kArcBadData : kArcSuccess;
  Utf8LocaleScope utf8;
  DropData();
  return ended_ ? kArcBadData : kArcSuccess;
}

}  // namespace norva::platform::wine
