// Test entry: one QApplication for the whole run (offscreen), and a messages recorder so no test
// ever waits on a modal box.
#include <gtest/gtest.h>

#include <QApplication>

#include "TestSupport.h"
#include "render/PictureDecode.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  InitPictureDecoding();
  ::testing::InitGoogleTest(&argc, argv);
  SetMessages(std::make_unique<TRecordingMessages>());
  return RUN_ALL_TESTS();
}
