// A scratch folder for one test, removed with everything in it when the test ends.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace norva::test {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // Writes a file below the folder (creating its parent folders) and returns its path.
  std::filesystem::path Write(std::string_view relative, std::string_view bytes) const;
  std::string Read(std::string_view relative) const;
  // The whole content of any file; empty when it cannot be read.
  static std::string ReadFile(const std::filesystem::path& file);

 private:
  std::filesystem::path path_;
};

// The repository's root (for test data kept under tests/).
std::filesystem::path SourceDir();

}  // namespace norva::test
