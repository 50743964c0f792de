// The INI document: parsing any bytes, and edits that must keep the rest of the file and read back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/ini_document.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using norva::platform::IniDocument;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  IniDocument document(bytes);
  const std::string serialized = document.Serialize();
  // Every file comes back byte for byte, whatever its encoding.
  Require(serialized == bytes);

  // Names taken from the file itself, then edits with them.
  const auto sections = document.SectionNames();
  for (const std::string& section : sections) {
    for (const std::string& key : document.KeyNames(section)) document.ReadString(section, key, "");
  }
  const std::string section = sections.empty() ? std::string("S") : sections.front();
  const auto keys = document.KeyNames(section);
  const std::string key = keys.empty() ? std::string("k") : keys.back();
  const std::string value(bytes.substr(0, bytes.size() < 40 ? bytes.size() : 40));
  if (document.Set(section, key, value) != IniDocument::Edit::kRefused) {
    const auto found = document.Find(section, key);
    Require(found.has_value());
  }
  document.Set("New Section", "Key", "value");
  Require(document.ReadString("new section", "KEY", "") == "value");
  document.DeleteKey(section, key);
  document.EraseSection(section);
  Require(!document.Find(section, key).has_value() || section.empty());
  Require(IniDocument(document.Serialize()).Serialize() == document.Serialize());
  return 0;
}
