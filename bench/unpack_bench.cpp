// Unpacking through the unpack window (offscreen), side by side with `bsdtar -xf` into the same file system:
// a 200 MB stored RAR 4 archive made here by the RAR 4 writer, and the largest compressed single archive of
// the RAR samples. Also the window's repaint rate while it unpacks (target at least 20 a second) and the
// memory the unpacking takes above the idle menu (target under 30 MB).
//
//   unpack_bench [ROUNDS]     (default 3; the best round of each side counts)
#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "frontend/qt/qt_form.h"
#include "frontend/qt/unpack_dialog.h"
#include "menu/unpack_form.h"
#include "rar4_writer.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using namespace norva;

constexpr int kFiles = 20;
constexpr std::size_t kFileBytes = 10 << 20;  // 20 files of 10 MiB: 200 MiB
const char* const kCompressed = "test_read_format_rar_compress_normal.rar";
constexpr std::int64_t kCompressedBytes = 2 * 20111 + 20;

long StatusKb(const char* key) {
  std::ifstream in("/proc/self/status");
  for (std::string line; std::getline(in, line);) {
    if (line.rfind(key, 0) == 0) return std::atol(line.c_str() + std::strlen(key));
  }
  return 0;
}

// The stored archive of pseudo-random data (nothing a file system could compress away).
void MakeBigArchive(const fs::path& out) {
  tools::Rar4Writer writer;
  std::mt19937_64 random(2006);
  for (int i = 1; i <= kFiles; ++i) {
    std::string bytes(kFileBytes, '\0');
    for (std::size_t at = 0; at + 8 <= bytes.size(); at += 8) {
      const std::uint64_t value = random();
      std::memcpy(bytes.data() + at, &value, 8);
    }
    writer.AddFile("data\\part" + std::to_string(i) + ".bin", std::move(bytes), 0);
  }
  std::string error;
  if (!writer.Write(out, &error)) {
    std::fprintf(stderr, "unpack_bench: %s\n", error.c_str());
    std::exit(1);
  }
}

double BsdtarMs(const fs::path& archive, const fs::path& out) {
  fs::remove_all(out);
  fs::create_directories(out);
  const std::string command = "bsdtar -xf '" + archive.string() + "' -C '" + out.string() + "'";
  QElapsedTimer timer;
  timer.start();
  if (std::system(command.c_str()) != 0)
    std::fprintf(stderr, "unpack_bench: bsdtar failed on %s\n", archive.c_str());
  return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

struct Run {
  double ms = 0;
  int paints = 0;
  bool complete = false;
};

// One unpacking of Demo `item` into C:\OUT through the window, as an install shows it.
Run Unpack(test::QtForm& q, int item, const fs::path& host_out) {
  fs::remove_all(host_out);
  fs::create_directories(host_out);
  q.form().selection().ItemIndex = item;
  menu::UnpackForm form(q.form().services(), q.form().window(), q.form().look(), q.form().selection(),
                        q.form().files(), q.form().catalog().Demo[item], "C:\\OUT");
  frontend::qt::UnpackDialog dialog(form, platform::CodePage::kCentralEuropean, QStringLiteral("DejaVu Sans"),
                                    q.clock_time(), nullptr);
  dialog.exec();
  return {static_cast<double>(dialog.unpack_us()) / 1000, dialog.unpack_paints(), !form.ChosenDir().empty()};
}

void Report(const char* what, std::int64_t bytes, const Run& ours, double bsdtar) {
  const double mb = static_cast<double>(bytes) / (1 << 20);
  std::printf(
      "%s: unpack window %.1f ms (%.0f MB/s), bsdtar -xf %.1f ms (%.0f MB/s); ratio %.2f (target >= "
      "0.95)%s\n",
      what, ours.ms, mb / (ours.ms / 1000), bsdtar, mb / (bsdtar / 1000), bsdtar / ours.ms,
      ours.complete ? "" : "  [INCOMPLETE]");
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;

  test::TempDir dir;
  const fs::path disc = dir.path() / "disc";
  fs::create_directories(disc / "Norva");
  fs::create_directories(disc / "DEMOS" / "Big");
  fs::create_directories(disc / "DEMOS" / "Small");
  std::ofstream(disc / "NORVA.EXE") << "MZ";
  MakeBigArchive(disc / "DEMOS" / "Big" / "big.rar");
  fs::copy_file(test::SourceDir() / "tests" / "data" / "rar" / kCompressed,
                disc / "DEMOS" / "Small" / kCompressed);
  const std::int64_t big_bytes = static_cast<std::int64_t>(kFiles) * static_cast<std::int64_t>(kFileBytes);
  std::ofstream(disc / "Norva" / "NORVAXP.ini")
      << "[Main]\r\nCD=0206\r\nVersion=0\r\nDemos=2\r\n"
      << "[Demo1]\r\nName=Big\r\nInstallDir=Big\r\nInstallName=big.rar\r\nGameName=x.exe\r\nInstallType=2\r\n"
      << "UnpackedSize=" << big_bytes << "\r\n"
      << "[Demo2]\r\nName=Small\r\nInstallDir=Small\r\nInstallName=" << kCompressed
      << "\r\nGameName=x.exe\r\nInstallType=2\r\nUnpackedSize=" << kCompressedBytes << "\r\n";

  test::QtForm q({.disc = disc, .prefix = dir.path() / "prefix", .enhanced = 1});
  q.Wait(500);
  const fs::path ours_out = dir.path() / "prefix" / "drive_c" / "OUT";
  const fs::path theirs_out = dir.path() / "bsdtar-out";

  // Memory: the resident size of the idle menu, then the peak while the big archive unpacks.
  fs::create_directories(ours_out);
  const long idle_kb = StatusKb("VmRSS:");
  std::ofstream("/proc/self/clear_refs") << "5";  // the peak starts again from here
  Run first = Unpack(q, 1, ours_out);
  const long peak_kb = StatusKb("VmHWM:");

  Run best_big = first;
  Run best_small{1e18, 0, false};
  double bsdtar_big = 1e18;
  double bsdtar_small = 1e18;
  int paints = first.paints;
  double painted_ms = first.ms;
  for (int round = 0; round < rounds; ++round) {
    bsdtar_big = std::min(bsdtar_big, BsdtarMs(disc / "DEMOS" / "Big" / "big.rar", theirs_out));
    const Run big = Unpack(q, 1, ours_out);
    paints += big.paints;
    painted_ms += big.ms;
    if (big.ms < best_big.ms) best_big = big;
    bsdtar_small = std::min(bsdtar_small, BsdtarMs(disc / "DEMOS" / "Small" / kCompressed, theirs_out));
    const Run small = Unpack(q, 2, ours_out);
    if (small.ms < best_small.ms) best_small = small;
  }
  std::printf("rounds: %d; best of each side\n", rounds);
  Report("200 MB stored RAR 4", big_bytes, best_big, bsdtar_big);
  Report(kCompressed, kCompressedBytes, best_small, bsdtar_small);
  std::printf("repaints while unpacking: %d in %.0f ms = %.1f per second (target >= 20)\n", paints,
              painted_ms, paints / (painted_ms / 1000));
  std::printf("memory: idle %.1f MB, peak while unpacking %.1f MB, above idle %.1f MB (target < 30)\n",
              idle_kb / 1024.0, peak_kb / 1024.0, (peak_kb - idle_kb) / 1024.0);
  return 0;
}
