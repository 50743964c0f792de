// Test programs of the window front end need one QApplication for the whole run.
#include <gtest/gtest.h>
#include <QApplication>

#include "frontend/qt/font_map.h"
#include "frontend/qt/media_backend.h"
#include "frontend/qt/music_module.h"

int main(int argc, char** argv) {
  // Also when listing the tests at build time: no display is needed.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // Rendered artwork is kept in the build tree, shared by the tests and apart from the user's own cache.
  qputenv("XDG_CACHE_HOME", NORVA_TEST_CACHE);
#ifdef NORVA_AUDIO_RUNTIME
  // A bare machine's audio stack: no GStreamer plugins, only the tests' private null sound server.
  qputenv("GST_PLUGIN_SYSTEM_PATH_1_0", NORVA_EMPTY_DIR);
  qputenv("GST_PLUGIN_PATH_1_0", NORVA_EMPTY_DIR);
  qputenv("GST_REGISTRY_1_0", NORVA_EMPTY_DIR "/gstreamer-registry.bin");
  qputenv("XDG_RUNTIME_DIR", NORVA_AUDIO_RUNTIME);
#endif
  ::testing::InitGoogleTest(&argc, argv);
  // The same audio path as the program.
  norva::frontend::qt::ChooseMediaBackend();
  // The window's own fonts only, as the program has them.
  norva::frontend::qt::UseOwnFontConfiguration();
  QApplication application(argc, argv);
  norva::frontend::qt::QuietDecoderLog();
  return RUN_ALL_TESTS();
}
