// Loading a catalog with every kind filled to capacity: through the Wine backend's private-profile file (the
// real path of the menu) and through an in-memory file (the reader's own share of the time).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>

#include "catalog/catalog_reader.h"
#include "catalog/fake_ini_file.h"
#include "catalog/full_catalog.h"
#include "platform/wine/private_profile_file.h"

namespace {

using norva::catalog::Catalog;
using norva::catalog::ReadCatalog;

// The catalog written to a scratch file for the life of one benchmark.
class CatalogFile {
 public:
  CatalogFile()
      : path_(std::filesystem::temp_directory_path() /
              ("norva_catalog_bench_" + std::to_string(std::random_device{}()) + ".ini")) {
    std::ofstream(path_, std::ios::binary) << norva::test::FullCatalogText();
  }
  ~CatalogFile() {
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
  }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

void BM_ReadCatalogPrivateProfile(benchmark::State& state) {
  const CatalogFile file;
  norva::platform::wine::PrivateProfileFile ini("D:\\Norva\\NORVAXP.ini", file.path());
  auto catalog = std::make_unique<Catalog>();
  for (auto _ : state) {
    ReadCatalog(ini, "D:", nullptr, *catalog);
    benchmark::DoNotOptimize(catalog->FullCount);
  }
}
BENCHMARK(BM_ReadCatalogPrivateProfile)->Unit(benchmark::kMillisecond);

// A fresh file object each time: the first read parses the whole file, as at the menu's start.
void BM_ReadCatalogPrivateProfileCold(benchmark::State& state) {
  const CatalogFile file;
  auto catalog = std::make_unique<Catalog>();
  for (auto _ : state) {
    norva::platform::wine::PrivateProfileFile ini("D:\\Norva\\NORVAXP.ini", file.path());
    ReadCatalog(ini, "D:", nullptr, *catalog);
    benchmark::DoNotOptimize(catalog->FullCount);
  }
}
BENCHMARK(BM_ReadCatalogPrivateProfileCold)->Unit(benchmark::kMillisecond);

void BM_ReadCatalogInMemory(benchmark::State& state) {
  norva::test::FakeIniFile ini(norva::test::FullCatalogText());
  auto catalog = std::make_unique<Catalog>();
  for (auto _ : state) {
    ReadCatalog(ini, "D:", nullptr, *catalog);
    benchmark::DoNotOptimize(catalog->FullCount);
  }
}
BENCHMARK(BM_ReadCatalogInMemory)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
