#include "qt/help_window.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

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

TEST(HelpWindowTest, ShowsTheMarkdownFileAndOnlyRaisesItWhileItIsShown) {
  QTemporaryDir dir;
  const std::string path = dir.filePath("marvo.hlp").toStdString();
  Write(path.c_str(), "# How to play\n\nPress **Space** to turn.\n");
  QtDesktop desktop;
  desktop.ShowHelp(path);
  HelpWindow* help = desktop.Help();
  ASSERT_NE(help, nullptr);
  const auto text = [help] { return help->Browser()->toPlainText(); };
  EXPECT_TRUE(text().startsWith("How to play") && text().contains("Press Space to turn."))
      << text().toStdString();

  // Asked again while shown: the same window, as it was.
  Write(path.c_str(), "# Changed\n");
  desktop.ShowHelp(path);
  EXPECT_EQ(desktop.Help(), help);
  EXPECT_TRUE(text().contains("How to play"));

  // Closed by the player with Escape, then asked for: opened afresh.
  QTest::keyClick(help->Browser(), Qt::Key_Escape);
  ASSERT_FALSE(help->isVisible());
  desktop.ShowHelp(path);
  EXPECT_TRUE(desktop.Help() == help && help->isVisible() && text().contains("Changed"));

  // A picture beside it is read as the help is: a pipe in its place is not waited on.
  ASSERT_EQ(::mkfifo(dir.filePath("pipe.png").toLocal8Bit().constData(), 0600), 0);
  Write(path.c_str(), "# Pictured\n\n![a pipe](pipe.png)\n");
  help->close();
  desktop.ShowHelp(path);
  EXPECT_TRUE(text().contains("Pictured"));

  // Another file replaces the one shown; a missing one says so, naming it.
  const QString missing = dir.filePath("nowhere/marvo.hlp");
  desktop.ShowHelp(missing.toStdString());
  EXPECT_TRUE(text().contains("could not be opened") && text().contains(missing))
      << text().toStdString();
  help->close();
}

}  // namespace
}  // namespace marvo
