#include "platform/image/disc_tree.h"

namespace norva::platform::image {

std::uint32_t DiscTree::Add(DiscEntry entry) {
  entries_.push_back(std::move(entry));
  return static_cast<std::uint32_t>(entries_.size() - 1);
}

void DiscTree::AddExtent(std::uint32_t entry, FileExtent extent) {
  DiscEntry& target = entries_[entry];
  // Extents of one entry are added together, so that they stay one run in the table.
  if (target.extent_count == 0) target.first_extent = static_cast<std::uint32_t>(extents_.size());
  extents_.push_back(extent);
  ++target.extent_count;
}

void DiscTree::BuildIndex() {
  index_.clear();
  index_.reserve(entries_.size());
  for (std::uint32_t i = 1; i < entries_.size(); ++i)
    index_.emplace(Key{entries_[i].parent, entries_[i].name}, i);
}

std::span<const FileExtent> DiscTree::ExtentsOf(std::uint32_t index) const {
  const DiscEntry& owner = entries_[index];
  return std::span<const FileExtent>(extents_).subspan(owner.first_extent, owner.extent_count);
}

std::optional<std::uint32_t> DiscTree::Lookup(std::uint32_t folder, std::string_view name) const {
  const auto found = index_.find(Key{folder, name});
  if (found == index_.end()) return std::nullopt;
  return found->second;
}

}  // namespace norva::platform::image
