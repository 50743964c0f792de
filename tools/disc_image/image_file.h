// What the image writers share: a file written in pieces, the sectors of a disc streamed into one, and
// integers in either byte order.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "disc.h"
#include "disc_image.h"

namespace norva::tools {

void PutLe(std::string* out, std::uint64_t value, int bytes);
void PutBe(std::string* out, std::uint64_t value, int bytes);

class ImageFile {
 public:
  // Creates (or empties) `path`; false and `*error` when it cannot.
  bool Open(const std::filesystem::path& path, std::string* error);
  void Append(std::string_view bytes);
  std::uint64_t size() const { return size_; }
  // Flushes and closes; false and `*error` when any write failed.
  bool Close(std::string* error);

 private:
  std::filesystem::path path_;
  std::ofstream out_;
  std::uint64_t size_ = 0;
};

enum class SectorForm { kUser, kRaw };

// Appends sectors [first, end) of `disc`: their user bytes or their raw 2352 bytes.
bool AppendSectors(Disc& disc, std::uint32_t first, std::uint32_t end, SectorForm form, ImageFile* file,
                   std::string* error);

// The 96 subchannel bytes of sector `lba`, P and Q first (the .sub of a CloneCD image).
std::string Subchannel(const Disc& disc, std::uint32_t lba);

// Writes `bytes` as the whole of `path`.
bool WriteWholeFile(const std::filesystem::path& path, std::string_view bytes, std::string* error);

// Each writer puts its files in `*written`, main file first.
bool WriteBinCue(Disc& disc, const std::filesystem::path& cue, std::vector<std::filesystem::path>* written,
                 std::string* error);
bool WriteNrg(Disc& disc, NrgLayout layout, const std::filesystem::path& nrg,
              std::vector<std::filesystem::path>* written, std::string* error);
bool WriteMds(Disc& disc, const std::filesystem::path& mds, std::vector<std::filesystem::path>* written,
              std::string* error);
bool WriteCcd(Disc& disc, const std::filesystem::path& ccd, std::vector<std::filesystem::path>* written,
              std::string* error);

}  // namespace norva::tools
