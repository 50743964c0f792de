// The host's own folders, which no deletion through the Windows machine may take: a DOS path can reach any
// of them (Z: is the host's root), so a catalog's or an uninstaller's text is judged also by the host path
// it resolves to.
#pragma once

#include <filesystem>
#include <vector>

namespace norva::platform::wine {

class HostFolders {
 public:
  struct Facts {
    std::filesystem::path home;             // the user's home folder; empty when unknown
    std::filesystem::path xdg_config_home;  // where user-dirs.dirs lies; empty: home/.config
    std::filesystem::path prefix;           // the machine's own folder
  };
  // $HOME (else the password database) and $XDG_CONFIG_HOME of this process.
  static Facts FromEnvironment(std::filesystem::path prefix);

  // The host's root and system folders (/usr, /etc, /bin, /sbin, /lib*, /var, /boot, /opt, /home and the
  // like), the home folder with its desktop, documents, downloads, music, pictures and videos folders (as
  // user-dirs.dirs names them, and their usual names), the prefix with its drive_c and dosdevices.
  explicit HostFolders(const Facts& facts);

  // True when deleting `host_path` would take one of these folders: it is one, or holds one. The path is
  // judged as a deletion acts on it: links on the way are followed, a link at its end is not (deleting a link
  // removes only the link).
  bool Covers(const std::filesystem::path& host_path) const;

  const std::vector<std::filesystem::path>& folders() const { return folders_; }

 private:
  void Add(const std::filesystem::path& folder);

  std::vector<std::filesystem::path> folders_;  // absolute and normal, each also in its canonical form
};

}  // namespace norva::platform::wine
