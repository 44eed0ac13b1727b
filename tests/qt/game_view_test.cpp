// A whole game in the real window, played by the autoplayer on virtual time:
// what the player sees at each moment, with the window's pictures kept.
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

TEST_F(GameViewTest, TheWindowShowsEachMomentOfAPerfectGame) {
  std::set<std::string> seen;
  bool was_enabled = false;
  player.on_yield = [&] {
    const MainFormModel& f = app.form;
    const GameRecord& r = app.record;
    if (r.StageNo == 1 && r.GameRunning && !f.picSTAGE.enabled && !seen.count("ready")) {
      seen.insert("ready");
      // GET READY!: green letters with a red first letter over the stage.
      const QImage shot = Shot("get-ready");
      const auto banner = Colours(shot, QRect(kBannerX, kBannerY, kBannerWidth, kBannerHeight));
      EXPECT_TRUE(banner.count(0x00FF00) && banner.count(0xFF0000));
      EXPECT_EQ(form.findChild<QLabel*>("lblBN")->text(), "050");
    }
    if (r.StarCount == 1 && !seen.count("star")) {
      seen.insert("star");
      // The star's points printed in silver by the head.
      const QImage shot = Shot("first-star");
      EXPECT_TRUE(Colours(shot, QRect(r.HeadX - 20, r.HeadY - 4, 40, 16)).count(0xC0C0C0));
      EXPECT_EQ(form.findChild<QLabel*>("lblSC")->text().toStdString(), FormatScore(r.Score));
    }
    if (was_enabled && !f.picSTAGE.enabled && r.StageNo == 1 && !seen.count("clear")) {
      seen.insert("clear");
      const QImage shot = Shot("stage-clear");
      EXPECT_TRUE(
          Colours(shot, QRect(kBannerX, kBannerY, kBannerWidth, kBannerHeight)).count(0x00FF00));
    }
    was_enabled = f.picSTAGE.enabled;
    if (f.lblMsg.visible && !seen.count("all clear")) {
      seen.insert("all clear");
      // ALL CLEAR! and both bonus lines in red over the empty field.
      const QImage shot = Shot("all-clear");
      EXPECT_TRUE(Colours(shot, QRect(7, 96, 433, 73)).count(0xFF0000));
      EXPECT_TRUE(Colours(shot, QRect(8, 175, 433, 17)).count(0xFF0000));
      EXPECT_TRUE(Colours(shot, QRect(8, 199, 433, 17)).count(0xFF0000));
      EXPECT_EQ(form.findChild<QLabel*>("lblNumber")->text(), "ALL");
    }
    if (!f.lblMsg.visible && seen.count("all clear") && r.GameRunning && !seen.count("closing")) {
      seen.insert("closing");
      const QImage shot = Shot("closing-banner");
      EXPECT_FALSE(Colours(shot, QRect(7, 96, 433, 73)).count(0xFF0000) &&
                   Colours(shot, QRect(8, 199, 433, 17)).count(0xFF0000));
    }
  };
  Enter();
  EXPECT_EQ(seen.size(), 5u);
  // Back at the title, the best score in the read-out.
  const QImage title = Shot("title-again");
  EXPECT_TRUE(Colours(title, QRect(29, 44, 390, 78)).count(0xFF0000));
  EXPECT_EQ(form.findChild<QLabel*>("lblSC")->text().toStdString(),
            FormatScore(app.record.HiScore[1]));
}

}  // namespace
}  // namespace marvo
