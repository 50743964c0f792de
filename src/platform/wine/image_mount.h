// A disc image opened as a read-only folder for the life of the run, served by the disc server (norva-disc, a
// FUSE program built beside the menu) without root. Windows programs see that folder as the disc: the server
// also serves the files from which Wine reads a drive's label and serial number.
#pragma once

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>

namespace norva::platform::wine {

struct ImageMountOptions {
  std::filesystem::path image;
  std::filesystem::path server;  // the disc server's program; see DefaultDiscServer
  std::filesystem::path base;    // where the mount folders are made; see DefaultMountBase
  std::chrono::milliseconds ready_limit{60000};
  std::filesystem::path mountinfo = "/proc/self/mountinfo";
};

class ImageMount {
 public:
  // Serves the image at a folder named after it under the base (the same image always gets the same folder,
  // so that it keeps its drive letter from run to run). An image that a live server of another run already
  // serves there is used as it is. First, mounts that the servers of ended runs left behind are cleaned up.
  // nullptr with `error` set when the image cannot be read or the machine has no FUSE.
  static std::unique_ptr<ImageMount> Open(const ImageMountOptions& options, std::string* error);

  ImageMount(const ImageMount&) = delete;
  ImageMount& operator=(const ImageMount&) = delete;
  // Ends the server, which unmounts the folder (lazily, so that a program still holding a file on the disc
  // does not keep it), and removes the folder.
  ~ImageMount();

  const std::filesystem::path& folder() const { return folder_; }

 private:
  ImageMount(std::filesystem::path folder, int server_pid)
      : folder_(std::move(folder)), server_pid_(server_pid) {}

  std::filesystem::path folder_;
  int server_pid_;  // 0 when the mount is another run's
};

// The disc server beside the running program, else where the build put it; empty when neither exists.
std::filesystem::path DefaultDiscServer();
// $XDG_RUNTIME_DIR/norva-discs, else norva-discs-<uid> in the temporary folder.
std::filesystem::path DefaultMountBase();

// Removes the mounts under `base` whose server has ended (a crash of the server, or of the whole session),
// and the folders and records of runs that are over.
void CleanStaleMounts(const std::filesystem::path& base,
                      const std::filesystem::path& mountinfo = "/proc/self/mountinfo");

// The folder name that `image` is served at: its name, made safe, and a hash of its absolute path.
std::string MountFolderName(const std::filesystem::path& image);

}  // namespace norva::platform::wine
