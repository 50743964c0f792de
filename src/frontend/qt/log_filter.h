// What Qt itself prints on the terminal while the window runs.
#pragma once

#include <QtGlobal>

namespace norva::frontend::qt {

// Keeps Qt's warnings and errors that can help a user, and drops its stray debug notes and the notices that
// only describe an ordinary bare machine: no XDG_RUNTIME_DIR, no audio server (the menu then plays no music,
// as it should), a platform plugin without window size hints. Everything else goes to Qt's own handler.
void InstallLogFilter();

// Whether a message of that type and text is kept (for tests).
bool KeepsQtMessage(QtMsgType type, const char* category, const char* text);

}  // namespace norva::frontend::qt
