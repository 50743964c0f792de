#include "menu/launchers.h"

#include "menu/start_failure_text.h"

namespace norva::menu {

install::Launcher Launchers::Make() const {
  return install::Launcher(services_.platform, services_.host, files_.DiscRoot, files_.CatalogIni.get(),
                           [this](platform::StartFailure failure, std::string_view program) {
                             services_.host.ShowMessage(
                                 MessageKind::kError, look_.AppTitle,
                                 StartFailureText(services_.messages, look_.Language, failure, program),
                                 MessageButtons::kOk);
                           });
}

}  // namespace norva::menu
