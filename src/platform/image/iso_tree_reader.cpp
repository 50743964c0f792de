#include "platform/image/iso_tree_reader.h"

#include <cdio/iso9660.h>

#include <cstddef>
#include <cstring>
#include <ctime>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "platform/image/image_files.h"
#include "platform/unicode_text.h"
#include "platform/utf16_text.h"

namespace norva::platform::image {
namespace {

constexpr std::size_t kMaxEntries = 4'000'000;
constexpr std::size_t kRootRecord = offsetof(iso9660_pvd_t, root_directory_record);
constexpr std::size_t kRecordExtent = offsetof(iso9660_dir_t, extent);
constexpr std::size_t kRecordSize = offsetof(iso9660_dir_t, size);
constexpr std::size_t kRecordTime = offsetof(iso9660_dir_t, recording_time);
constexpr std::size_t kRecordFlags = offsetof(iso9660_dir_t, file_flags);
constexpr std::size_t kRecordNameLength = offsetof(iso9660_dir_t, filename);
constexpr std::size_t kEscapes = offsetof(iso9660_svd_t, escape_sequences);

bool IsJolietDescriptor(std::string_view descriptor) {
  return static_cast<unsigned char>(descriptor[0]) == ISO_VD_SUPPLEMENTARY && descriptor[kEscapes] == '%' &&
         descriptor[kEscapes + 1] == '/' &&
         (descriptor[kEscapes + 2] == '@' || descriptor[kEscapes + 2] == 'C' ||
          descriptor[kEscapes + 2] == 'E');
}

// The recording time of a record: local time of the recorder with its offset from UTC in quarter hours.
std::int64_t RecordTime(std::string_view record) {
  iso9660_dtime_t time;
  std::memcpy(&time, record.data() + kRecordTime, sizeof time);
  struct tm broken {};
  if (!iso9660_get_dtime(&time, false, &broken)) return 0;
  return static_cast<std::int64_t>(timegm(&broken));
}

// A name as Windows shows it: Joliet names are UCS-2 big-endian, ISO 9660 names single bytes; the version
// after ';' goes, and so does a file name's trailing '.'.
std::string WindowsName(std::string_view raw, bool joliet, bool folder) {
  std::string name;
  if (joliet) {
    name = Utf16ToWtf8(raw, ByteOrder::kBigEndian);
  } else {
    for (const char c : raw) AppendUtf8(name, static_cast<unsigned char>(c));
  }
  if (const std::size_t semicolon = name.rfind(';'); semicolon != std::string::npos) {
    if (name.find_first_not_of("0123456789", semicolon + 1) == std::string::npos) name.resize(semicolon);
  }
  if (!folder)
    while (!name.empty() && name.back() == '.') name.pop_back();
  for (char& c : name)
    if (c == '/' || c == '\0') c = '_';
  return name;
}

std::string SectorError(const DataTrack& track, std::uint64_t sector, const std::string& image) {
  if (sector >= track.sector_count())
    return "damaged image: " + image + " is truncated: its file system needs sector " +
           std::to_string(sector) + " but the image holds " + std::to_string(track.sector_count()) +
           " sectors";
  return "cannot read sector " + std::to_string(sector) + " of " + image;
}

}  // namespace

std::optional<IsoVolume> FindIsoVolume(const DataTrack& track, const std::string& image, std::string* error) {
  std::string descriptor(kSectorSize, '\0');
  std::optional<IsoVolume> primary;
  std::optional<IsoVolume> joliet;
  for (std::uint64_t sector = 16; sector < 16 + 64; ++sector) {
    if (!track.ReadSector(sector, descriptor.data())) break;
    if (descriptor.compare(1, 5, ISO_STANDARD_ID) != 0) break;
    const unsigned type = static_cast<unsigned char>(descriptor[0]);
    if (type == ISO_VD_END) break;
    const bool is_joliet = IsJolietDescriptor(descriptor);
    if (type != ISO_VD_PRIMARY && !is_joliet) continue;
    IsoVolume volume;
    volume.joliet = is_joliet;
    volume.root_sector = LittleEndian(descriptor, kRootRecord + kRecordExtent, 4);
    volume.root_size = LittleEndian(descriptor, kRootRecord + kRecordSize, 4);
    volume.volume_sectors = LittleEndian(descriptor, offsetof(iso9660_pvd_t, volume_space_size), 4);
    if (type == ISO_VD_PRIMARY && !primary) primary = volume;
    if (is_joliet && !joliet) joliet = volume;
  }
  if (primary && joliet) {
    joliet->volume_sectors = primary->volume_sectors;
    return joliet;
  }
  if (primary) return primary;
  for (std::uint64_t sector = 16; sector < 32; ++sector) {
    if (track.ReadSector(sector, descriptor.data()) && descriptor.compare(1, 5, "BEA01") == 0) {
      *error = image + " holds a UDF file system without an ISO 9660 one; such discs are not supported";
      return std::nullopt;
    }
  }
  *error = track.sector_count() <= 16
               ? "damaged image: " + image + " is too short to hold a file system"
               : image + " is not a CD image: its data track holds no ISO 9660 file system";
  return std::nullopt;
}

bool ReadIsoTree(const DataTrack& track, const IsoVolume& volume, const std::string& image, DiscTree* tree,
                 std::string* error) {
  DiscEntry root;
  root.kind = EntryKind::kFolder;
  root.size = volume.root_size;
  tree->AddExtent(tree->Add(root), {volume.root_sector, volume.root_size});
  std::unordered_set<std::uint64_t> folders_read;
  std::string records;
  // Folders are read in the order they were added, so that the entries of each one are added together.
  for (std::uint32_t folder = 0; folder < tree->size(); ++folder) {
    if (tree->entry(folder).kind != EntryKind::kFolder) continue;
    const FileExtent extent = tree->ExtentsOf(folder)[0];
    if (!folders_read.insert(extent.sector).second) {
      *error = "damaged image: a folder of " + image + " contains itself";
      return false;
    }
    const std::uint64_t sectors = (extent.size + kSectorSize - 1) / kSectorSize;
    records.resize(sectors * kSectorSize);
    for (std::uint64_t i = 0; i < sectors; ++i) {
      if (!track.ReadSector(extent.sector + i, records.data() + i * kSectorSize)) {
        *error = SectorError(track, extent.sector + i, image);
        return false;
      }
    }
    tree->Mutable(folder).first_child = static_cast<std::uint32_t>(tree->size());
    std::unordered_set<std::string> names;
    bool continues = false;  // the previous record's file goes on in this one (a multi-extent file)
    for (std::size_t at = 0; at < extent.size;) {
      const std::size_t length = static_cast<unsigned char>(records[at]);
      if (length == 0 || at % kSectorSize + kRecordNameLength + 1 >
                             kSectorSize) {  // records never cross a sector: the rest of this one is padding
        at = (at / kSectorSize + 1) * kSectorSize;
        continue;
      }
      const std::size_t name_length = static_cast<unsigned char>(records[at + kRecordNameLength]);
      if (length < kRecordNameLength + 1 + name_length || at % kSectorSize + length > kSectorSize) {
        *error = "damaged image: a folder record of " + image + " in sector " +
                 std::to_string(extent.sector + at / kSectorSize) + " is broken";
        return false;
      }
      const std::string_view record = std::string_view(records).substr(at, length);
      at += length;
      const std::string_view raw_name = record.substr(kRecordNameLength + 1, name_length);
      if (name_length == 1 && (raw_name[0] == 0 || raw_name[0] == 1)) {  // "." and ".."
        if (folder == DiscTree::kRoot && raw_name[0] == 0)
          tree->Mutable(folder).modified = RecordTime(record);
        continue;
      }
      const unsigned flags = static_cast<unsigned char>(record[kRecordFlags]);
      const bool is_folder = (flags & ISO_DIRECTORY) != 0;
      const FileExtent data{LittleEndian(record, kRecordExtent, 4) +
                                static_cast<unsigned char>(record[offsetof(iso9660_dir_t, xa_length)]),
                            LittleEndian(record, kRecordSize, 4)};
      if (continues) {
        const std::uint32_t last = static_cast<std::uint32_t>(tree->size() - 1);
        tree->AddExtent(last, data);
        tree->Mutable(last).size += data.size;
        continues = (flags & ISO_MULTIEXTENT) != 0;
        continue;
      }
      continues = (flags & ISO_MULTIEXTENT) != 0 && !is_folder;
      if (flags & ISO_ASSOCIATED) continue;
      DiscEntry entry;
      entry.name = WindowsName(raw_name, volume.joliet, is_folder);
      // Of two records with one name (versions of a file), the first is the one Windows opens.
      if (entry.name.empty() || !names.insert(entry.name).second) {
        continues = false;
        continue;
      }
      if (tree->size() >= kMaxEntries) {
        *error = "damaged image: " + image + " lists more than " + std::to_string(kMaxEntries) + " files";
        return false;
      }
      entry.kind = is_folder ? EntryKind::kFolder : EntryKind::kFile;
      entry.hidden = (flags & ISO_EXISTENCE) != 0;
      entry.parent = folder;
      entry.size = data.size;
      entry.modified = RecordTime(record);
      tree->AddExtent(tree->Add(std::move(entry)), data);
    }
    tree->Mutable(folder).child_count =
        static_cast<std::uint32_t>(tree->size()) - tree->entry(folder).first_child;
  }
  // Every file's data must be on the image: a short one is a truncated download or copy.
  for (std::uint32_t i = 0; i < tree->size(); ++i) {
    for (const FileExtent& data : tree->ExtentsOf(i)) {
      const std::uint64_t end = data.sector + (data.size + kSectorSize - 1) / kSectorSize;
      if (data.size != 0 && end > track.sector_count()) {
        *error = SectorError(track, end - 1, image);
        return false;
      }
    }
  }
  tree->BuildIndex();
  return true;
}

}  // namespace norva::platform::image
