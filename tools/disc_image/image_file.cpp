#include "image_file.h"

namespace norva::tools {

void PutLe(std::string* out, std::uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out->push_back(static_cast<char>(value >> (8 * i)));
}

void PutBe(std::string* out, std::uint64_t value, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) out->push_back(static_cast<char>(value >> (8 * i)));
}

bool ImageFile::Open(const std::filesystem::path& path, std::string* error) {
  path_ = path;
  size_ = 0;
  out_.open(path, std::ios::binary | std::ios::trunc);
  if (!out_) *error = "cannot create " + path.string();
  return static_cast<bool>(out_);
}

void ImageFile::Append(std::string_view bytes) {
  out_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  size_ += bytes.size();
}

bool ImageFile::Close(std::string* error) {
  out_.close();
  if (out_.fail()) {
    *error = "cannot write " + path_.string();
    return false;
  }
  return true;
}

bool AppendSectors(Disc& disc, std::uint32_t first, std::uint32_t end, SectorForm form, ImageFile* file,
                   std::string* error) {
  std::string sector;
  for (std::uint32_t lba = first; lba < end; ++lba) {
    if (!(form == SectorForm::kRaw ? disc.ReadRaw(lba, &sector, error) : disc.ReadUser(lba, &sector, error)))
      return false;
    file->Append(sector);
  }
  return true;
}

bool WriteWholeFile(const std::filesystem::path& path, std::string_view bytes, std::string* error) {
  ImageFile file;
  if (!file.Open(path, error)) return false;
  file.Append(bytes);
  return file.Close(error);
}

}  // namespace norva::tools
