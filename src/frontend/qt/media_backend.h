// The audio path of the window: which Qt Multimedia backend plays the music, and how quiet it is.
#pragma once

namespace norva::frontend::qt {

// Selects Qt Multimedia's FFmpeg backend unless the user named one in QT_MEDIA_BACKEND. Must run before the
// application object is made. The FFmpeg backend comes with Qt Multimedia itself and decodes MP3 through the
// libraries Qt already depends on; the GStreamer backend needs plugin packages that a bare machine lacks, and
// Qt 6.4 crashes while making a player without them.
void ChooseMediaBackend();

// The decoder library writes notices about ordinary files (encoder padding, timestamps) to the terminal; the
// menu reports nothing about its music, so they are silenced.
void QuietDecoderLog();

}  // namespace norva::frontend::qt
