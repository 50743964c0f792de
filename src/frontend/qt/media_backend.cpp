#include "frontend/qt/media_backend.h"

extern "C" {
#include <libavutil/log.h>
}

namespace norva::frontend::qt {

void QuietDecoderLog() {
  av_log_set_level(AV_LOG_QUIET);
}

}  // namespace norva::frontend::qt
