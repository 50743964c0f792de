#include "frontend/qt/log_filter.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <array>
#include <string_view>

namespace norva::frontend::qt {
namespace {

// Notices of a machine without a desktop session or sound server, and of the headless platform.
constexpr std::array<std::string_view, 3> kBareMachineNotices = {
    "XDG_RUNTIME_DIR not set",
    "PulseAudioService: pa_context_connect() failed",
    "does not support propagateSizeHints()",
};

QtMessageHandler previous_handler = nullptr;

void FilterMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  const QByteArray bytes = text.toLocal8Bit();
  if (!KeepsQtMessage(type, context.category, bytes.constData())) return;
  if (previous_handler) previous_handler(type, context, text);
}

}  // namespace

bool KeepsQtMessage(QtMsgType type, const char* category, const char* text) {
  // Debug notes of a named category appear only when the user enabled them (QT_LOGGING_RULES).
  const bool uncategorized = category == nullptr || std::string_view(category) == "default";
  if ((type == QtDebugMsg || type == QtInfoMsg) && uncategorized) return false;
  if (type == QtFatalMsg || type == QtCriticalMsg) return true;
  const std::string_view message(text ? text : "");
  for (const auto notice : kBareMachineNotices) {
    if (message.find(notice) != std::string_view::npos) return false;
  }
  return true;
}

void InstallLogFilter() {
  previous_handler = qInstallMessageHandler(FilterMessage);
}

}  // namespace norva::frontend::qt
