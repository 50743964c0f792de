// The music module's entry point: the Qt Multimedia player, with the decoders' notices silenced.
#include <QtGlobal>

#include "frontend/qt/media_backend.h"
#include "frontend/qt/music_module.h"
#include "frontend/qt/qt_player.h"

extern "C" Q_DECL_EXPORT norva::components::Player* norva_make_player() {
  norva::frontend::qt::QuietDecoderLog();
  return new norva::frontend::qt::QtPlayer();
}
