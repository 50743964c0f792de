// make_rar4 OUT.rar DIR [--volume-size N] [--keep-times] [--codepage CP]
// Archives the folder tree DIR (its contents, not DIR itself) into a stored RAR 4 archive. Entries are sorted
// by name, each folder before its contents, and get a fixed time unless --keep-times asks for the files' own
// modification times, so the same tree always gives the same bytes. Host names (UTF-8) are stored in the OEM
// code page CP (default CP852, the Central European one; CP857 for Turkish). Prints only errors.
#include <iconv.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "rar4_writer.h"

namespace fs = std::filesystem;
using norva::tools::Rar4Writer;

namespace {

struct Options {
  fs::path out;
  fs::path dir;
  std::uint64_t volume_size = 0;
  bool keep_times = false;
  std::string codepage = "CP852";
};

// The fixed time of every entry in a reproducible archive: 1 June 2004, 12:00:00.
const std::uint32_t kFixedTime = norva::tools::DosTime(2004, 6, 1, 12, 0, 0);

std::optional<Options> ParseArgs(int argc, char** argv) {
  Options o;
  std::vector<std::string> positional;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--keep-times") {
      o.keep_times = true;
    } else if ((arg == "--volume-size" || arg == "--codepage") && i + 1 < argc) {
      const std::string value = argv[++i];
      if (arg == "--codepage") {
        o.codepage = value;
        continue;
      }
      char* end = nullptr;
      o.volume_size = std::strtoull(value.c_str(), &end, 10);
      if (value.empty() || *end != '\0' || o.volume_size == 0) return std::nullopt;
    } else if (arg.starts_with("--")) {
      return std::nullopt;
    } else {
      positional.push_back(arg);
    }
  }
  if (positional.size() != 2) return std::nullopt;
  o.out = positional[0];
  o.dir = positional[1];
  return o;
}

class NameEncoder {
 public:
  explicit NameEncoder(const std::string& codepage) : cd_(iconv_open(codepage.c_str(), "UTF-8")) {}
  ~NameEncoder() {
    if (Valid()) iconv_close(cd_);
  }
  NameEncoder(const NameEncoder&) = delete;
  NameEncoder& operator=(const NameEncoder&) = delete;
  bool Valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // nullopt when a character has no place in the code page.
  std::optional<std::string> Encode(const std::string& utf8) {
    std::string in = utf8;
    std::string out(in.size() * 2 + 4, '\0');
    char* in_ptr = in.data();
    std::size_t in_left = in.size();
    char* out_ptr = out.data();
    std::size_t out_left = out.size();
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd_, &in_ptr, &in_left, &out_ptr, &out_left) == static_cast<std::size_t>(-1))
      return std::nullopt;
    out.resize(out.size() - out_left);
    return out;
  }

 private:
  iconv_t cd_;
};

std::uint32_t EntryTime(const fs::directory_entry& entry, bool keep) {
  if (!keep) return kFixedTime;
  const auto sys = std::chrono::file_clock::to_sys(entry.last_write_time());
  const std::time_t t = std::chrono::system_clock::to_time_t(sys);
  std::tm local{};
  localtime_r(&t, &local);  // archive times are local, as on the machine that unpacks them
  return norva::tools::DosTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                               local.tm_min, local.tm_sec);
}

bool AddTree(Rar4Writer& writer, NameEncoder& encoder, const fs::path& dir, const std::string& prefix,
             const Options& options) {
  std::vector<fs::directory_entry> children(fs::directory_iterator(dir), fs::directory_iterator{});
  std::sort(children.begin(), children.end(), [](const auto& a, const auto& b) {
    return a.path().filename().string() < b.path().filename().string();
  });
  for (const fs::directory_entry& child : children) {
    const auto encoded = encoder.Encode(child.path().filename().string());
    if (!encoded) {
      std::cerr << "make_rar4: " << child.path() << ": name not representable in " << options.codepage
                << "\n";
      return false;
    }
    const std::string name = prefix + *encoded;
    const std::uint32_t time = EntryTime(child, options.keep_times);
    if (child.is_directory()) {
      writer.AddFolder(name, time);
      if (!AddTree(writer, encoder, child.path(), name + "\\", options)) return false;
    } else if (child.is_regular_file()) {
      std::ifstream in(child.path(), std::ios::binary);
      std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      if (in.bad()) {
        std::cerr << "make_rar4: cannot read " << child.path() << "\n";
        return false;
      }
      const bool read_only = (child.status().permissions() & fs::perms::owner_write) == fs::perms::none;
      writer.AddFile(name, std::move(bytes), time,
                     norva::tools::kAttrArchive | (read_only ? norva::tools::kAttrReadOnly : 0));
    } else {
      std::cerr << "make_rar4: skipping " << child.path() << " (not a file or folder)\n";
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const auto options = ParseArgs(argc, argv);
  if (!options) {
    std::cerr << "usage: make_rar4 OUT.rar DIR [--volume-size N] [--keep-times] [--codepage CP]\n";
    return 2;
  }
  std::error_code ec;
  if (!fs::is_directory(options->dir, ec)) {
    std::cerr << "make_rar4: " << options->dir << " is not a folder\n";
    return 1;
  }
  NameEncoder encoder(options->codepage);
  if (!encoder.Valid()) {
    std::cerr << "make_rar4: unknown code page " << options->codepage << "\n";
    return 1;
  }
  Rar4Writer writer;
  writer.SetVolumeSize(options->volume_size);
  try {
    if (!AddTree(writer, encoder, options->dir, "", *options)) return 1;
  } catch (const fs::filesystem_error& e) {
    std::cerr << "make_rar4: " << e.what() << "\n";
    return 1;
  }
  std::string error;
  const auto written = writer.Write(options->out, &error);
  if (!written) {
    std::cerr << "make_rar4: " << error << "\n";
    return 1;
  }
  // Quiet on success: it runs in every build of the sample disc.
  return 0;
}
