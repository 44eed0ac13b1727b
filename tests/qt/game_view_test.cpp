// A whole game in the real window, played by the autoplayer on virtual time,
// with the window's pictures kept.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <set>
#include <string>

#include "engine/formats.h"
#include "qt/main_form.h"
#include "qt/qt_text.h"
#include "tests/support/headless_game.h"
#include "tests/support/moments.h"

namespace marvo {
namespace {

class GameViewTest : public ::testing::Test, public testing::HeadlessGame<QtTextRasterizer> {
 protected:
  GameViewTest() : form(app.form, app) {
    form.Load();
    form.show();
  }
  // The client area as the screen shows it, after the window has caught up.
  QImage Shot(const std::string& name) {
    form.Mirror();
    const QImage image = form.centralWidget()->grab().toImage();
    QDir().mkpath(QStringLiteral(MARVO_ARTIFACTS));
    image.save(QStringLiteral(MARVO_ARTIFACTS "/") + QString::fromStdString(name) + ".png");
    return image;
  }
  // The distinct colours inside a rectangle of the client area.
  static std::set<QRgb> Colours(const QImage& image, const QRect& r) {
    std::set<QRgb> colours;
    for (int y = r.top(); y <= r.bottom(); ++y)
      for (int x = r.left(); x <= r.right(); ++x) colours.insert(image.pixel(x, y) & 0xFFFFFF);
    return colours;
  }

  MainForm form;
};

// GET READY!, the game over banner and the title are checked on the real game
// by the end-to-end scripts; the moments only a perfect game reaches are here.
TEST_F(GameViewTest, TheWindowShowsTheAllClearOfAPerfectGameAndThenTheTitle) {
  testing::Moments moments(app, platform, mixer);
  int shots = 0;
  player.on_yield = [&] {
    moments.Look();
    if (moments.At("all clear") >= 0 && shots == 0) {
      ++shots;
      // ALL CLEAR! and both bonus lines in red over the empty field.
      const QImage shot = Shot("all-clear");
      for (const QRect& line :
           {QRect(7, 96, 433, 73), QRect(8, 175, 433, 17), QRect(8, 199, 433, 17)})
        EXPECT_TRUE(Colours(shot, line).count(0xFF0000)) << line.y();
      EXPECT_EQ(form.findChild<QLabel*>("lblNumber")->text(), "ALL");
    }
    if (moments.At("all clear gone") >= 0 && shots == 1) {
      ++shots;
      // The closing banner alone: the lines are gone.
      const QImage shot = Shot("closing-banner");
      EXPECT_FALSE(Colours(shot, QRect(8, 199, 433, 17)).count(0xFF0000));
      EXPECT_TRUE(Colours(shot, QRect(39, 100, 367, 70)).count(0x00FF00));
    }
  };
  Enter();
  EXPECT_EQ(shots, 2);
  // Back at the title, the best score in the read-out.
  const QImage title = Shot("title-again");
  EXPECT_TRUE(Colours(title, QRect(29, 44, 390, 78)).count(0xFF0000));
  EXPECT_EQ(form.findChild<QLabel*>("lblSC")->text().toStdString(),
            FormatScore(app.record.HiScore[1]));
}

}  // namespace
}  // namespace marvo
