#include "platform/wine/private_profile_file.h"

#include <utility>

namespace norva::platform::wine {

PrivateProfileFile::PrivateProfileFile(std::string dos_name, std::optional<std::filesystem::path> host_path,
                                       std::chrono::milliseconds recheck)
    : dos_name_(std::move(dos_name)), host_path_(std::move(host_path)), recheck_(recheck) {}

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
}

template <typename EditFn>
bool PrivateProfileFile::Modify(EditFn edit) {
  Refresh(/*now=*/true);
  if (!host_path_ || !readable_) return false;
  switch (edit(document_)) {
    case IniDocument::Edit::kUnchanged:
      return true;
    case IniDocument::Edit::kRefused:
      return false;
    case IniDocument::Edit::kChanged:
      break;
  }
  if (!ReplaceHostFile(*host_path_, document_.Serialize())) {
    stamp_.reset();  // the copy now differs from the file: read it again
    return false;
  }
  stamp_ = StampHostFile(*host_path_);
  checked_at_ = std::chrono::steady_clock::now();
  return true;
}

std::string PrivateProfileFile::ReadString(std::string_view section, std::string_view key,
                                           std::string_view default_value) {
  Refresh();
  return document_.ReadString(section, key, default_value);
}

bool PrivateProfileFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  return Modify([&](IniDocument& document) { return document.Set(section, key, value); });
}

bool PrivateProfileFile::DeleteKey(std::string_view section, std::string_view key) {
  return Modify([&](IniDocument& document) { return document.DeleteKey(section, key); });
}

bool PrivateProfileFile::EraseSection(std::string_view section) {
  return Modify([&](IniDocument& document) { return document.EraseSection(section); });
}

std::vector<std::string> PrivateProfileFile::ReadSections() {
  Refresh();
  return document_.SectionNames();
}

std::vector<std::string> PrivateProfileFile::ReadSection(std::string_view section) {
  Refresh();
  return document_.KeyNames(section);
}

bool PrivateProfileFile::SectionExists(std::string_view section) {
  Refresh();
  return document_.HasSection(section);
}

}  // namespace norva::platform::wine
