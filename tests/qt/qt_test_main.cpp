// One application for every window test, offscreen unless the caller chose otherwise.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include "qt/qt_text.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  const QTemporaryDir runtime;  // private (0700), so Qt has no default to warn about
  if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
    qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
  // Whole scale factors only, as in the game.
  QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Round);
  QApplication application(argc, argv);
  marvo::RegisterFontSubstitutions();
  return RUN_ALL_TESTS();
}
