#include "check/disc_lookup.h"

#include "strings/ucase.h"

namespace norva::check {

const std::vector<platform::DirEntry>* DiscLookup::Listing(const std::string& folder) {
  const std::string key = strings::UCase(folder);
  if (auto it = listings_.find(key); it != listings_.end()) return &it->second;
  if (unreadable_.contains(key)) return nullptr;
  auto entries = files_.ListDir(folder);
  if (!entries) {
    unreadable_[key] = true;
    return nullptr;
  }
  return &listings_.emplace(key, std::move(*entries)).first->second;
}

LookupResult DiscLookup::Find(std::string_view dos_path) {
  LookupResult result;
  result.path = std::string(dos_path);
  const std::size_t colon = dos_path.find(':');
  if (colon == std::string_view::npos) return result;
  std::string folder(dos_path.substr(0, colon + 1));
  std::string_view rest = dos_path.substr(colon + 1);
  const platform::DirEntry* entry = nullptr;
  while (!rest.empty()) {
    const std::size_t cut = rest.find_first_of("\\/");
    const std::string_view name = rest.substr(0, cut);
    rest = cut == std::string_view::npos ? std::string_view() : rest.substr(cut + 1);
    if (name.empty() || name == ".") continue;
    const auto* listing = Listing(folder);
    if (listing == nullptr) return result;
    const std::string wanted = strings::UCase(name);
    entry = nullptr;
    for (const auto& candidate : *listing) {
      if (candidate.name == name) {
        entry = &candidate;
        break;
      }
      if (entry == nullptr && strings::UCase(candidate.name) == wanted) entry = &candidate;
    }
    if (entry == nullptr) return result;
    // The menu's own folders are spelt by the menu, not by the catalog; Wine finds them in any case.
    const bool menu_folder = wanted == "NORVA" || wanted == "SMALL" || wanted == "UPDATES" ||
                             wanted == "SOFTWARE" || wanted == "DEMOS" || wanted == "DRIVERS" ||
                             wanted == "READERS";
    if (entry->name != name && !(menu_folder && entry->is_dir)) result.case_differs = true;
    folder += "\\" + entry->name;
    if (!rest.empty() && !entry->is_dir) return result;
  }
  result.path = folder;
  if (entry == nullptr || entry->is_dir) {
    result.state = EntryState::kFolder;
  } else if (files_.FileExists(folder)) {
    result.state = EntryState::kFile;
    result.size = entry->size;
  } else {
    result.state = EntryState::kOther;
  }
  return result;
}

}  // namespace norva::check
