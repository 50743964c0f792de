// Loading a catalog from INI text in one call, for the catalog reader tests.
#pragma once

#include <memory>
#include <string_view>

#include "catalog/catalog.h"
#include "catalog/catalog_reader.h"
#include "catalog/fake_ini_file.h"

namespace norva::test {

// The catalog is large: tests keep it on the heap.
inline std::unique_ptr<catalog::Catalog> LoadCatalog(std::string_view text,
                                                     catalog::InstalledDetector* detector = nullptr) {
  FakeIniFile ini(text);
  auto out = std::make_unique<catalog::Catalog>();
  catalog::ReadCatalog(ini, "D:", detector, *out);
  return out;
}

}  // namespace norva::test
