// An indexed list of pictures with a display name per entry. The control model holds no pixels: it records
// where each entry comes from (the window's artwork, or a host file it was replaced from), and a front end
// decodes entries through its image loader. Each entry carries a generation number that grows whenever the
// entry is replaced, so a front end knows when to decode it again.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace norva::components {

class ImageList {
 public:
  // `width` × `height` is the size of the list's pictures in pixels; 0 × 0 means every entry keeps the
  // size of its own picture. A negative count is taken as 0.
  ImageList(std::string name, int width, int height, int count);

  const std::string& name() const { return name_; }
  int width() const { return width_; }
  int height() const { return height_; }
  int count() const { return static_cast<int>(entries_.size()); }
  bool Contains(int index) const { return index >= 0 && index < count(); }

  // Empty for an index outside the list.
  const std::string& DisplayName(int index) const;
  // Ignored for an index outside the list.
  void SetDisplayName(int index, std::string display_name);

  // Records that entry `index` now holds the picture of the host file `host_path` (a .bmp or .jpg, UTF-8 host
  // path) and bumps its generation. Decoding happens later; a missing or broken file is the loader's error.
  // False (and nothing changes) for an index outside the list.
  bool ReplaceEntry(int index, std::string host_path);
  // The host file the entry was last replaced from; empty while it holds the window's own artwork.
  const std::string& SourceFile(int index) const;
  // 0 for the original picture, +1 for every replacement; 0 for an index outside the list.
  std::uint64_t Generation(int index) const;

 private:
  struct Entry {
    std::string display_name;
    std::string source_file;
    std::uint64_t generation = 0;
  };

  std::string name_;
  int width_;
  int height_;
  std::vector<Entry> entries_;
};

}  // namespace norva::components
