// The hash by which a registry file's index finds key blocks: of a key path folded to upper case, its
// components joined by two backslashes, as a key line writes them ("SOFTWARE\\WINE\\DRIVES"). A key line
// whose path is written plainly (ASCII, "\\" between non-empty components, no other escape) is hashed as it
// stands, eight bytes at a time, without being decoded; any other path is decoded and folded first. Both give
// the same hash for the same key.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace norva::platform::wine {

// The hash of a key line's escaped path (the text between '[' and ']') when it is written plainly; nullopt
// when it must be decoded first.
std::optional<std::uint64_t> HashPlainKeyPath(std::string_view raw);

// The canonical form of a decoded key path: FoldCase of its non-empty components, joined by "\\".
std::string CanonicalKeyPath(std::string_view path);
// The hash of a canonical key path.
std::uint64_t HashCanonicalKeyPath(std::string_view canonical);

}  // namespace norva::platform::wine
