// How quiet the music module's decoders are.
#pragma once

namespace norva::frontend::qt {

// The decoder library writes notices about ordinary files (encoder padding, timestamps) to the terminal; the
// menu reports nothing about its music, so they are silenced.
void QuietDecoderLog();

}  // namespace norva::frontend::qt
