#include "qt/field_widget.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPaintEvent>
#include <QTest>

namespace marvo {
namespace {

// Collects the areas the widget is asked to paint.
class PaintRecorder final : public QObject {
 public:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) painted += static_cast<QPaintEvent*>(event)->region();
    return false;
  }
  QRegion Take() { return std::exchange(painted, QRegion()); }
  QRegion painted;
};

class FieldWidgetTest : public ::testing::Test {
 protected:
  FieldWidgetTest() : field(447, 342), view(field) {
    view.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&view));
    Settle();
    view.installEventFilter(&recorder);
  }

  // Lets every posted paint happen.
  static void Settle() {
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
  }

  // Pixels the widget shows that differ from the surface (at most a few named).
  std::string Mismatches() {
    QImage shown(view.size(), QImage::Format_RGB32);
    shown.fill(Qt::magenta);
    view.removeEventFilter(&recorder);
    view.render(&shown);
    view.installEventFilter(&recorder);
    std::string out;
    int count = 0;
    for (int y = 0; y < field.Height(); ++y) {
      for (int x = 0; x < field.Width(); ++x) {
        const Color c = field.GetPixel(x, y);
        if (shown.pixel(x, y) == qRgb(RedOf(c), GreenOf(c), BlueOf(c))) continue;
        if (++count <= 3) out += "(" + std::to_string(x) + "," + std::to_string(y) + ") ";
      }
    }
    return count == 0 ? "" : std::to_string(count) + " pixels differ: " + out;
  }

  Surface field;
  FieldWidget view;
  PaintRecorder recorder;
};

TEST_F(FieldWidgetTest, AOnePixelChangeRepaintsThatPixelAndAPictureRepaintsAll) {
  EXPECT_EQ(Mismatches(), "");

  // One tick: the pixel reaches the widget's image, and only it is painted.
  field.Point(100, 50, kWhite);
  view.Sync();
  Settle();
  EXPECT_EQ(recorder.Take(), QRegion(100, 50, 1, 1));
  EXPECT_EQ(Mismatches(), "");

  // Several steps between two looks: their common block, nothing else.
  field.Point(10, 300, kYellow);
  field.Box(20, 280, 30, 290, kRed);
  view.Sync();
  Settle();
  EXPECT_EQ(recorder.Take().boundingRect(), QRect(10, 280, 21, 21));
  EXPECT_EQ(Mismatches(), "");

  // No change, no paint.
  view.Sync();
  Settle();
  EXPECT_TRUE(recorder.Take().isEmpty());

  // A whole picture: every pixel, converted exactly.
  Image picture(447, 342);
  for (size_t i = 0; i < picture.pixels.size(); ++i)
    picture.pixels[i] = Color(i * 2654435761u) & kWhite;
  field.AssignPicture(&picture);
  view.Sync();
  Settle();
  EXPECT_EQ(recorder.Take(), QRegion(0, 0, 447, 342));
  EXPECT_EQ(Mismatches(), "");

  // More drawing than the surface keeps a log of: the view takes it all.
  for (int i = 0; i < 100; ++i) field.Point(i, i, kBlue);
  view.Sync();
  Settle();
  EXPECT_EQ(recorder.Take(), QRegion(0, 0, 447, 342));
  EXPECT_EQ(Mismatches(), "");

  // Drawing nobody synced is taken in by the next paint of any kind, and gets
  // a paint of its own where that paint did not reach.
  field.Point(400, 20, kRed);
  view.update(QRect(0, 0, 5, 5));
  Settle();
  EXPECT_TRUE(recorder.Take().contains(QPoint(400, 20)));
  EXPECT_EQ(Mismatches(), "");

  // Hidden, it is not painted; shown again, it shows what was drawn meanwhile.
  view.hide();
  field.Box(200, 200, 210, 210, kYellow);
  view.Sync();
  Settle();
  EXPECT_TRUE(recorder.Take().isEmpty());
  view.show();
  EXPECT_TRUE(QTest::qWaitForWindowExposed(&view));
  Settle();
  EXPECT_TRUE(recorder.Take().contains(QRect(200, 200, 11, 11)));
  EXPECT_EQ(Mismatches(), "");
}

}  // namespace
}  // namespace marvo
