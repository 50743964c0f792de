#include "check/picture_check.h"

#include <string>

namespace norva::check {
namespace {

std::string GalleryNumber(int n) {
  return n < 10 ? "0" + std::to_string(n) : std::to_string(n);
}

// Decodes the picture and reports a failure or a size above `width` × `height`.
void CheckDecoded(CheckRun& run, std::string_view section, const LookupResult& file, std::string_view what,
                  int width, int height) {
  if (file.state != EntryState::kFile || !run.in.decode_picture) return;
  const auto bytes = run.lookup.files().ReadFile(file.path);
  if (!bytes) {
    run.out.Error(section, "Picture", std::string(what) + " " + run.Shown(file.path) + " cannot be read");
    return;
  }
  const components::ImageLoadResult decoded = run.in.decode_picture(*bytes);
  if (!decoded.ok()) {
    run.out.Error(section, "Picture",
                  std::string(what) + " " + run.Shown(file.path) + " does not decode: " + decoded.error);
    return;
  }
  const auto& image = decoded.image;
  if (image.width > width || image.height > height) {
    // A thumbnail is not stretched: the box cuts it. A gallery picture is cut at the panel's edges only.
    const bool gallery = width == kGalleryWidth;
    run.out.Add(gallery ? Severity::kNote : Severity::kWarning, section, "Picture",
                std::string(what) + " " + run.Shown(file.path) + " is " + std::to_string(image.width) + "x" +
                    std::to_string(image.height) + "; the panel shows " + std::to_string(width) + "x" +
                    std::to_string(height) + " of it");
  }
}

}  // namespace

void CheckPictures(CheckRun& run, std::string_view section, std::string_view name) {
  if (name.empty() || name == "NUL") return;
  const std::string base = run.norva_dir + std::string(name);
  const LookupResult first = run.lookup.Find(base + "01.jpg");
  const bool gallery = first.state == EntryState::kFile;
  const std::string thumbnail =
      run.norva_dir + "Small\\" + std::string(name) + (gallery ? "01" : "") + ".bmp";
  // A missing thumbnail leaves the previous item's picture on the panel.
  const LookupResult small = run.NeedFile(section, "Picture", thumbnail, "the thumbnail");
  CheckDecoded(run, section, small, "the thumbnail", kThumbnailWidth, kThumbnailHeight);
  if (!gallery) {
    if (first.state != EntryState::kMissing) run.NeedFile(section, "Picture", base + "01.jpg", "the picture");
    return;
  }
  for (int n = 1;; ++n) {
    const LookupResult picture = n == 1 ? run.NeedFile(section, "Picture", first.path, "the picture")
                                        : run.lookup.Find(base + GalleryNumber(n) + ".jpg");
    if (picture.state != EntryState::kFile) break;
    if (n > 1 && picture.case_differs) run.NeedFile(section, "Picture", picture.path, "the picture");
    CheckDecoded(run, section, picture, "the picture", kGalleryWidth, kGalleryHeight);
  }
}

}  // namespace norva::check
