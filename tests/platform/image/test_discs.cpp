#include "platform/image/test_discs.h"

#include <cstdio>
#include <fstream>

#include "support/shell.h"

namespace norva::platform::image::test {
namespace fs = std::filesystem;

bool HaveXorriso() {
  return norva::test::HaveProgram("xorriso");
}

const Files& SampleFiles() {
  static const Files files = [] {
    Files made;
    made["Zlat\xC3\xA1 \xC5\xBE\xC3\xADla/Pr\xC5\xAFvodce hrou.txt"] =
        "Zlat\xC3\xA1 \xC5\xBE\xC3\xADla, n\xC3\xA1vod\n";
    made["A long name of a demo folder that goes well past sixty-four characters/Setup.EXE"] = "MZ setup";
    made["ReadMe"] = "read me\n";
    made["Empty.txt"] = "";
    // Large enough for reads that cross many sectors, patterned so that a misplaced sector shows.
    std::string big;
    for (std::size_t i = 0; big.size() < 300'000; ++i) big += std::to_string(i * 7919 % 100'003) + ',';
    made["Data/Big.bin"] = big;
    for (int i = 0; i < 400; ++i)
      made["Catalog/Item " + std::to_string(i) + ".ini"] = "[Item]\nIndex=" + std::to_string(i);
    return made;
  }();
  return files;
}

void WriteFiles(const fs::path& folder, const Files& files) {
  for (const auto& [name, content] : files) {
    const fs::path file = folder / fs::u8path(name);
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << content;
  }
}

fs::path MakeIso(const fs::path& folder, const fs::path& iso, const std::string& options,
                 std::string* error) {
  const std::string command =
      "xorriso -as mkisofs " + options + " -o '" + iso.string() + "' '" + folder.string() + "'";
  if (RunShell(command, error) != 0) return {};
  return iso;
}

std::string IsoSector(const fs::path& iso, std::size_t index) {
  std::ifstream in(iso, std::ios::binary);
  in.seekg(static_cast<std::streamoff>(index * 2048));
  std::string sector(2048, '\0');
  in.read(sector.data(), 2048);
  return sector;
}

}  // namespace norva::platform::image::test
