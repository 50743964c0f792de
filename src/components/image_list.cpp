#include "components/image_list.h"

#include <algorithm>
#include <utility>

namespace norva::components {

namespace {

const std::string kEmpty;

}  // namespace

ImageList::ImageList(std::string name, int width, int height, int count)
    : name_(std::move(name)),
      width_(width),
      height_(height),
      entries_(static_cast<std::size_t>(std::max(count, 0))) {}

const std::string& ImageList::DisplayName(int index) const {
  return Contains(index) ? entries_[static_cast<std::size_t>(index)].display_name : kEmpty;
}

void ImageList::SetDisplayName(int index, std::string display_name) {
  if (Contains(index)) entries_[static_cast<std::size_t>(index)].display_name = std::move(display_name);
}

bool ImageList::ReplaceEntry(int index, std::string host_path) {
  if (!Contains(index)) return false;
  Entry& entry = entries_[static_cast<std::size_t>(index)];
  entry.source_file = std::move(host_path);
  ++entry.generation;
  return true;
}

const std::string& ImageList::SourceFile(int index) const {
  return Contains(index) ? entries_[static_cast<std::size_t>(index)].source_file : kEmpty;
}

std::uint64_t ImageList::Generation(int index) const {
  return Contains(index) ? entries_[static_cast<std::size_t>(index)].generation : 0;
}

}  // namespace norva::components
