#include "platform/wine/private_profile_file.h"

#include <utility>

#include "platform/wine/atomic_write.h"

namespace norva::platform::wine {

PrivateProfileFile::PrivateProfileFile(std::string dos_name, std::optional<std::filesystem::path> host_path,
                                       std::chrono::milliseconds recheck,
                                       std::shared_ptr<const CodePage> code_page)
    : dos_name_(std::move(dos_name)),
      host_path_(std::move(host_path)),
      recheck_(recheck),
      code_page_(std::move(code_page)) {}

PrivateProfileFile::~PrivateProfileFile() {
  if (!pending_.empty()) WriteFile();  // an update left open still reaches the file
}

CodePage PrivateProfileFile::AnsiCodePage() const {
  return code_page_ ? *code_page_ : CodePage::kCentralEuropean;
}

std::string PrivateProfileFile::ToDocument(const IniDocument& document, std::string_view ansi) const {
  return document.unicode() ? AnsiToUtf8(ansi, AnsiCodePage()) : std::string(ansi);
}

std::string PrivateProfileFile::FromDocument(std::string_view text) const {
  return document_.unicode() ? Utf8ToAnsi(text, AnsiCodePage()) : std::string(text);
}

void PrivateProfileFile::Refresh(bool now) {
  if (!host_path_) return;
  const auto time = std::chrono::steady_clock::now();
  // stat() is slow on some hosts (several microseconds under sandboxes); a read burst trusts one answer.
  if (!now && stamp_ && time - checked_at_ < recheck_) return;
  checked_at_ = time;
  if (stamp_ && *stamp_ == StampHostFile(*host_path_)) return;
  auto content = ReadHostFile(*host_path_);
  readable_ = content.has_value();
  if (!content) {
    document_ = IniDocument();
    stamp_.reset();  // try again at the next call
    return;
  }
  document_ = IniDocument(content->bytes);
  stamp_ = content->stamp;
  for (const EditFn& edit : pending_) edit(document_);
}

bool PrivateProfileFile::WriteFile() {
  if (!ReplaceHostFile(*host_path_, document_.Serialize())) {
    stamp_.reset();  // the copy now differs from the file: read it again
    return false;
  }
  ++rewrites_;
  stamp_ = StampHostFile(*host_path_);
  checked_at_ = std::chrono::steady_clock::now();
  return true;
}

bool PrivateProfileFile::Modify(EditFn edit) {
  Refresh(/*now=*/true);
  if (!host_path_ || !readable_) return false;
  // Leftovers of writers killed before, gone at a start even when this write changes nothing.
  RemoveStaleTempFilesOnce(*host_path_);
  // Inside an update the write happens later; a file that cannot be written fails now, as it would then.
  if (update_depth_ > 0 && !CanReplaceHostFile(*host_path_)) return false;
  switch (edit(document_)) {
    case IniDocument::Edit::kUnchanged:
      return true;
    case IniDocument::Edit::kRefused:
      return false;
    case IniDocument::Edit::kChanged:
      break;
  }
  if (update_depth_ > 0) {
    pending_.push_back(std::move(edit));
    return true;
  }
  return WriteFile();
}

void PrivateProfileFile::BeginUpdate() {
  ++update_depth_;
}

bool PrivateProfileFile::EndUpdate() {
  if (update_depth_ == 0 || --update_depth_ > 0) return true;
  if (pending_.empty()) return true;
  // The file as it is now, with the update's changes made to it once more when another program changed it.
  Refresh(/*now=*/true);
  const bool written = readable_ && WriteFile();
  pending_.clear();
  if (!written) stamp_.reset();  // the copy holds changes the file does not: read it again
  return written;
}

std::string PrivateProfileFile::ReadString(std::string_view section, std::string_view key,
                                           std::string_view default_value) {
  Refresh();
  if (!document_.unicode()) return document_.ReadString(section, key, default_value);
  const auto value = document_.Find(ToDocument(document_, section), ToDocument(document_, key));
  if (value) return FromDocument(*value);
  // The default is the caller's own text: it loses its trailing blanks, as in an ANSI document.
  while (!default_value.empty() && default_value.back() == ' ') default_value.remove_suffix(1);
  return std::string(default_value);
}

bool PrivateProfileFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  return Modify([this, section = std::string(section), key = std::string(key),
                 value = std::string(value)](IniDocument& document) {
    return document.Set(ToDocument(document, section), ToDocument(document, key),
                        ToDocument(document, value));
  });
}

bool PrivateProfileFile::DeleteKey(std::string_view section, std::string_view key) {
  return Modify([this, section = std::string(section), key = std::string(key)](IniDocument& document) {
    return document.DeleteKey(ToDocument(document, section), ToDocument(document, key));
  });
}

bool PrivateProfileFile::EraseSection(std::string_view section) {
  return Modify([this, section = std::string(section)](IniDocument& document) {
    return document.EraseSection(ToDocument(document, section));
  });
}

std::vector<std::string> PrivateProfileFile::ReadSections() {
  Refresh();
  std::vector<std::string> names = document_.SectionNames();
  if (document_.unicode()) {
    for (std::string& name : names) name = FromDocument(name);
  }
  return names;
}

std::vector<std::string> PrivateProfileFile::ReadSection(std::string_view section) {
  Refresh();
  std::vector<std::string> names = document_.KeyNames(ToDocument(document_, section));
  if (document_.unicode()) {
    for (std::string& name : names) name = FromDocument(name);
  }
  return names;
}

bool PrivateProfileFile::SectionExists(std::string_view section) {
  Refresh();
  return document_.HasSection(ToDocument(document_, section));
}

}  // namespace norva::platform::wine
