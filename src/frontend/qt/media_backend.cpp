#include "frontend/qt/media_backend.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

extern "C" {
#include <libavutil/log.h>
}

namespace norva::frontend::qt {

void ChooseMediaBackend() {
  if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND")) qputenv("QT_MEDIA_BACKEND", "ffmpeg");
}

void QuietDecoderLog() {
  av_log_set_level(AV_LOG_QUIET);
}

}  // namespace norva::frontend::qt
