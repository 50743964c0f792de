// Installed detection again, after something may have changed what is installed: one item or a page's items,
// each call one change of the install store however many items it records or forgets. Nothing before the
// catalog is read (there is no detection yet).
#pragma once

#include <cstddef>

#include "catalog/records.h"
#include "menu/menu_state.h"

namespace norva::menu {

class Redetection {
 public:
  // `files` is the form's and outlives this object.
  explicit Redetection(MenuFiles& files) : files_(files) {}

  void Redetect(catalog::TDemos& item) {
    if (files_.Detector == nullptr) return;
    const platform::IniUpdate store_update(files_.StoreIni.get());
    files_.Detector->CheckDemo(item);
  }

  // Items 1..count of an array (count cut to its low byte and to the array).
  template <typename Array>
  void RedetectAll(Array& items, int count) {
    const int last = count & 0xFF;
    InOneUpdate([&](catalog::InstalledDetector& detector) {
      for (int i = 1; i <= last && static_cast<std::size_t>(i) < items.size(); ++i)
        detector.CheckDemo(items[i]);
    });
  }

  // Runs `detect` with the detection, for a caller that detects the items of several pages in one change of
  // the store.
  template <typename Detect>
  void InOneUpdate(Detect detect) {
    if (files_.Detector == nullptr) return;
    const platform::IniUpdate store_update(files_.StoreIni.get());
    detect(*files_.Detector);
  }

 private:
  MenuFiles& files_;
};

}  // namespace norva::menu
