// The catalog reader on any NORVAXP.INI text: every kind, count and key a disc can hold.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "catalog/catalog_reader.h"
#include "document_ini_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  norva::fuzz::DocumentIniFile ini(std::string_view(reinterpret_cast<const char*>(data), size));
  norva::catalog::Catalog catalog;
  norva::catalog::ReadCatalog(ini, "D:", nullptr, catalog);
  return 0;
}
