// Writes the small pictures of the test disc (page illustrations, thumbnails, a gallery) into a disc folder.
// Usage: make_test_disc_pictures DISC_DIR. The files are kept in the repository; run this again to remake
// them.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "headless/test_pictures.h"

namespace {

void Write(const std::filesystem::path& file, const std::string& bytes) {
  std::filesystem::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << bytes;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_test_disc_pictures DISC_DIR\n";
    return 2;
  }
  const std::filesystem::path norva = std::filesystem::path(argv[1]) / "Norva";
  // Page illustrations, day and night.
  for (const char* page : {"iko01", "iko02", "iko04", "iko06", "iko08", "ikoUNI"}) {
    for (const char* scheme : {"_GR", "_IND"})
      Write(norva / "Small" / (std::string(page) + scheme + ".bmp"), norva::test::MakeBmp24(120, 90));
  }
  Write(norva / "Small" / "QUILLON.bmp", norva::test::MakeBmp24(120, 90));
  // Thumbnails of items without a gallery.
  for (const char* item : {"mafia", "heretic2", "vietcong", "sachy"}) {
    Write(norva / "Small" / (std::string(item) + ".bmp"), norva::test::MakeBmp24(120, 90));
  }
  // An item with a gallery of three pictures: its thumbnail is that of the first picture.
  Write(norva / "Small" / "tomjerry01.bmp", norva::test::MakeBmp24(120, 90));
  for (int i = 1; i <= 3; ++i) {
    Write(norva / ("tomjerry0" + std::to_string(i) + ".jpg"),
          norva::test::MakeJpeg(400, 300, static_cast<std::uint8_t>(60 * i), 90, 160));
  }
  return 0;
}
