// Reading a catalog-sized INI file the way the catalog load does: about 5000 keys, one call each.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/ini_document.h"
#include "platform/wine/private_profile_file.h"

namespace {

namespace fs = std::filesystem;

constexpr int kSections = 300;
const char* const kKeys[] = {"Name",     "FullName",   "Firm",         "Describe0", "Describe",  "TechInfo",
                             "GameName", "Date",       "RegUninstall", "RegKey",    "RegName",   "Uninstall",
                             "Picture",  "InstallDir", "InstallName",  "SetupName", "ReadmeName"};
constexpr int kKeysPerSection = sizeof(kKeys) / sizeof(kKeys[0]);  // 300 x 17 = 5100 keys

std::string CatalogText() {
  std::string text = "[Main]\r\nDemos=30\r\nCD=0206\r\nVersion=1\r\n";
  for (int s = 1; s <= kSections; ++s) {
    text += "[Demo" + std::to_string(s) + "]\r\n";
    for (const char* key : kKeys) {
      text += std::string(key) + "=" + key + " of item " + std::to_string(s) +
              " with a text as long as a catalog's description line tends to be\r\n";
    }
  }
  return text;
}

// Reads every key with differently cased names, as the catalog's spelling varies.
void ReadAll(norva::platform::IniFile& ini) {
  for (int s = 1; s <= kSections; ++s) {
    const std::string section = "DEMO" + std::to_string(s);
    for (const char* key : kKeys) benchmark::DoNotOptimize(ini.ReadString(section, key, ""));
  }
}

// Argument 1 rewrites the line ends to a lone CR, which must parse as fast as CR LF.
void BM_ParseCatalog(benchmark::State& state) {
  std::string text = CatalogText();
  if (state.range(0) == 1) std::erase(text, '\n');
  for (auto _ : state) {
    norva::platform::IniDocument document(text);
    benchmark::DoNotOptimize(document);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ParseCatalog)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// Open, parse and read every key once: the whole catalog load as far as the INI file goes.
void BM_LoadCatalogFromFile(benchmark::State& state) {
  const fs::path path =
      fs::temp_directory_path() / ("norva-ini-bench-" + std::to_string(::getpid()) + ".ini");
  {
    std::ofstream out(path, std::ios::binary);
    out << CatalogText();
  }
  for (auto _ : state) {
    norva::platform::wine::PrivateProfileFile ini("D:\\NORVA\\NORVAXP.INI", path);
    ReadAll(ini);
  }
  state.SetItemsProcessed(state.iterations() * kSections * kKeysPerSection);
  fs::remove(path);
}
BENCHMARK(BM_LoadCatalogFromFile)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
