#include "qt/help_window.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QTest>
#include <QTextBrowser>

#include "qt/qt_desktop.h"
#include "tests/support/temp_dir.h"

namespace marvo {
namespace {

TEST(HelpWindowTest, ShowsTheMarkdownFileAndOnlyRaisesItWhileItIsShown) {
  const support::TempDir dir;
  const std::string path = dir / "marvo.hlp";
  dir.Write("marvo.hlp", "# How to play\n\nPress **Space** to turn.\n");
  QtDesktop desktop;
  desktop.ShowHelp(path);
  HelpWindow* help = desktop.Help();
  ASSERT_NE(help, nullptr);
  const auto text = [help] { return help->Browser()->toPlainText(); };
  EXPECT_TRUE(text().startsWith("How to play") && text().contains("Press Space to turn."))
      << text().toStdString();

  // Asked again while shown: the same window, as it was.
  dir.Write("marvo.hlp", "# Changed\n");
  desktop.ShowHelp(path);
  EXPECT_EQ(desktop.Help(), help);
  EXPECT_TRUE(text().contains("How to play"));

  // Closed by the player with Escape, then asked for: opened afresh.
  QTest::keyClick(help->Browser(), Qt::Key_Escape);
  ASSERT_FALSE(help->isVisible());
  desktop.ShowHelp(path);
  EXPECT_TRUE(desktop.Help() == help && help->isVisible() && text().contains("Changed"));

  // A picture beside it is read as the help is: a pipe in its place is not waited on.
  ASSERT_EQ(::mkfifo((dir / "pipe.png").c_str(), 0600), 0);
  dir.Write("marvo.hlp", "# Pictured\n\n![a pipe](pipe.png)\n");
  help->close();
  desktop.ShowHelp(path);
  EXPECT_TRUE(text().contains("Pictured"));

  // Another file replaces the one shown; a missing one says so, naming it.
  const std::string missing = dir / "nowhere/marvo.hlp";
  desktop.ShowHelp(missing);
  EXPECT_TRUE(text().contains("could not be opened") && text().contains(missing.c_str()))
      << text().toStdString();
  help->close();
}

}  // namespace
}  // namespace marvo
