#include "qt/help_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include "qt/qt_desktop.h"

namespace marvo {
namespace {

void Write(const QString& path, const QByteArray& text) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write(text);
}

int HelpWindows() {
  int count = 0;
  for (QWidget* widget : QApplication::topLevelWidgets())
    count += widget->objectName() == "HelpWindow" && widget->isVisible();
  return count;
}

TEST(HelpWindowTest, ShowsTheMarkdownFileAndOnlyRaisesItWhileItIsShown) {
  QTemporaryDir dir;
  const QString path = dir.filePath("marvo.hlp");
  Write(path, "# How to play\n\nPress **Space** to turn.\n");
  QtDesktop desktop;
  desktop.ShowHelp(path.toStdString());
  HelpWindow* help = desktop.Help();
  ASSERT_NE(help, nullptr);
  EXPECT_TRUE(QTest::qWaitForWindowExposed(help));
  const QString text = help->Browser()->toPlainText();
  EXPECT_TRUE(text.contains("How to play") && text.contains("Press Space to turn."))
      << text.toStdString();
  EXPECT_FALSE(text.contains("**") || text.contains("#"));

  // Asked again while shown: the same window, as it was.
  Write(path, "# Changed\n");
  desktop.ShowHelp(path.toStdString());
  EXPECT_EQ(desktop.Help(), help);
  EXPECT_EQ(HelpWindows(), 1);
  EXPECT_TRUE(help->Browser()->toPlainText().contains("How to play"));

  // Closed by the player, then asked for: opened afresh.
  help->close();
  desktop.ShowHelp(path.toStdString());
  EXPECT_TRUE(help->isVisible());
  EXPECT_TRUE(help->Browser()->toPlainText().contains("Changed"));
  EXPECT_EQ(HelpWindows(), 1);

  // Another file replaces the one shown; a missing one says so, naming it.
  const QString missing = dir.filePath("nowhere/marvo.hlp");
  desktop.ShowHelp(missing.toStdString());
  const QString message = help->Browser()->toPlainText();
  EXPECT_TRUE(message.contains("could not be opened") && message.contains(missing))
      << message.toStdString();
  EXPECT_TRUE(help->isVisible());
  help->close();
}

TEST(HelpWindowTest, TheGamesOwnHelpFileLiesBesideTheGameAndReads) {
  const QString path = QStringLiteral(MARVO_GAME_DIR "/marvo.hlp");
  HelpWindow help;
  help.ShowFile(path);
  const QString text = help.Browser()->toPlainText();
  for (const char* words :
       {"How to play", "Scoring", "15000", "150000", "HISCORE1", "HALL OF FAME"})
    EXPECT_TRUE(text.contains(words)) << words;
  EXPECT_FALSE(text.contains("could not be opened"));
  help.close();
}

}  // namespace
}  // namespace marvo
