// The entry of the Qt shell's tests: one program for every qt/ test folder, run in the
// game's own application object (which passes exceptions from handlers to the game).

#include <gtest/gtest.h>

#include "frontend/qt/Application.h"
#include "scene/qt/SceneViewerWidget.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  orvane::TSceneViewerWidget::SetDefaultSurfaceFormat(false);
  orvane::TApplication application(argc, argv);
  return RUN_ALL_TESTS();
}
