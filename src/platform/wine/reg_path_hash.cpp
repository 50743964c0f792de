#include "platform/wine/reg_path_hash.h"

#include <cstring>

#include "platform/unicode_text.h"

namespace norva::platform::wine {
namespace {

constexpr std::uint64_t kOnes = 0x0101010101010101ull;
constexpr std::uint64_t kHighBits = 0x8080808080808080ull;

// 0x80 in each byte of `word` that equals `byte`, 0 in the others (exact: no borrow crosses bytes).
std::uint64_t BytesEqual(std::uint64_t word, unsigned char byte) {
  const std::uint64_t x = word ^ (kOnes * byte);
  const std::uint64_t low = (x & ~kHighBits) + ~kHighBits;
  return ~(low | x | ~kHighBits);
}

// One bit per byte (bit i for byte i) of a mask with 0x80 in the chosen bytes.
unsigned Compact(std::uint64_t mask) {
  return static_cast<unsigned>(((mask >> 7) * 0x0102040810204080ull) >> 56);
}

std::uint64_t Load(const char* bytes, std::size_t count) {
  std::uint64_t word = 0;
  std::memcpy(&word, bytes, count);
  return word;
}

class WordHash {
 public:
  void Add(std::uint64_t word) {
    state_ = (state_ ^ word) * 0x9E3779B97F4A7C15ull;
    state_ ^= state_ >> 29;
  }
  std::uint64_t Finish(std::size_t length) {
    Add(length);
    return state_;
  }

 private:
  std::uint64_t state_ = 0x243F6A8885A308D3ull;
};

}  // namespace

std::optional<std::uint64_t> HashPlainKeyPath(std::string_view raw) {
  const std::size_t size = raw.size();
  if (size > 0 && (raw.front() == '\\' || raw.back() == '\\')) return std::nullopt;
  WordHash hash;
  // Backslashes must come in runs of exactly two: a separator between two non-empty components.
  unsigned last_was_backslash = 0;
  unsigned last_started_run = 0;
  // One word of `count` bytes (the rest zero); false when the path is not plain.
  auto add = [&](std::uint64_t word, std::size_t count) {
    if ((word & kHighBits) != 0) return false;  // UTF-8: decoded and folded by FoldCase instead
    const std::uint64_t backslash_bytes =
        BytesEqual(word, '\\') & (count == 8 ? ~0ull : (1ull << (8 * count)) - 1);
    if ((backslash_bytes | last_was_backslash | last_started_run) != 0) {
      const unsigned backslashes = Compact(backslash_bytes);
      const unsigned run_starts = backslashes & ~((backslashes << 1) | last_was_backslash);
      const unsigned expected = (run_starts | (run_starts << 1) | last_started_run) & 0xFF;
      if (backslashes != expected) return false;
      last_was_backslash = (backslashes >> (count - 1)) & 1;
      last_started_run = (run_starts >> (count - 1)) & 1;
    }
    // ASCII letters to upper case: 0x20 off each byte in 'a'..'z'.
    const std::uint64_t lower =
        (word + kOnes * (0x80 - 'a')) & ~(word + kOnes * (0x80 - 'z' - 1)) & kHighBits;
    hash.Add(word ^ (lower >> 2));
    return true;
  };
  std::size_t pos = 0;
  for (; pos + 8 <= size; pos += 8) {
    if (!add(Load(raw.data() + pos, 8), 8)) return std::nullopt;
  }
  if (pos < size && !add(Load(raw.data() + pos, size - pos), size - pos)) return std::nullopt;
  if (last_started_run != 0) return std::nullopt;
  return hash.Finish(size);
}

std::string CanonicalKeyPath(std::string_view path) {
  std::string canonical;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find('\\', start);
    if (end == std::string_view::npos) end = path.size();
    if (end > start) {
      if (!canonical.empty()) canonical += "\\\\";
      canonical += FoldCase(path.substr(start, end - start));
    }
    start = end + 1;
  }
  return canonical;
}

std::uint64_t HashCanonicalKeyPath(std::string_view canonical) {
  WordHash hash;
  for (std::size_t pos = 0; pos < canonical.size(); pos += 8) {
    hash.Add(Load(canonical.data() + pos, canonical.size() - pos < 8 ? canonical.size() - pos : 8));
  }
  return hash.Finish(canonical.size());
}

}  // namespace norva::platform::wine
