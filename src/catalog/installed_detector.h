// Installed-program detection as the catalog load needs it; implemented by the detection and store work.
#pragma once

#include "catalog/records.h"

namespace norva::catalog {

class InstalledDetector {
 public:
  virtual ~InstalledDetector() = default;
  // Decides in place whether the item is installed: fills InstalledDir and the state bytes NotInstalled,
  // Runnable and Installed (and may rewrite UnInstallName and RegUninstall), and brings the install store up
  // to date. The reference is only used during the call.
  virtual void CheckDemo(TDemos& item) = 0;
};

}  // namespace norva::catalog
