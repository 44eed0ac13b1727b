#include "qt/field_widget.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPaintEvent>
#include <QTest>
#include <functional>

namespace marvo {
namespace {

// Collects the areas the widget is asked to paint.
class PaintRecorder final : public QObject {
 public:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) painted += static_cast<QPaintEvent*>(event)->region();
    return false;
  }
  QRegion painted;
};

TEST(FieldWidgetTest, EachSyncRepaintsWhatChangedAndAPictureRepaintsAll) {
  Surface field(447, 342);
  FieldWidget view(field);
  view.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
  PaintRecorder recorder;
  // Lets every posted paint happen; what was painted since the last look.
  const auto painted = [&] {
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    return std::exchange(recorder.painted, QRegion());
  };
  painted();
  view.installEventFilter(&recorder);
  // Whether the widget shows exactly the surface's pixels, in Qt's colours.
  const auto shows_the_field = [&] {
    QImage shown(view.size(), QImage::Format_RGB32), expected = shown;
    view.removeEventFilter(&recorder);
    view.render(&shown);
    view.installEventFilter(&recorder);
    for (int y = 0; y < field.Height(); ++y) {
      for (int x = 0; x < field.Width(); ++x) {
        const Color c = field.GetPixel(x, y);
        expected.setPixel(x, y, qRgb(RedOf(c), GreenOf(c), BlueOf(c)));
      }
    }
    return shown == expected;
  };
  EXPECT_TRUE(shows_the_field());
  Image picture(447, 342);
  for (size_t i = 0; i < picture.pixels.size(); ++i)
    picture.pixels[i] = Color(i * 2654435761u) & kWhite;
  const std::pair<std::function<void()>, QRegion> steps[] = {
      {[&] { field.Point(100, 50, kWhite); }, QRegion(100, 50, 1, 1)},
      // Several steps between two looks: their common block.
      {[&] { field.Point(10, 300, kYellow), field.Box(20, 280, 30, 290, kRed); },
       QRegion(10, 280, 21, 21)},
      {[] {}, QRegion()},
      {[&] { field.AssignPicture(&picture); }, QRegion(0, 0, 447, 342)},
      // More drawing than the surface keeps a log of: the view takes it all.
      {[&] {
         for (int i = 0; i < 100; ++i) field.Point(i, i, kBlue);
       },
       QRegion(0, 0, 447, 342)},
  };
  for (size_t i = 0; i < std::size(steps); ++i) {
    SCOPED_TRACE(i);
    steps[i].first();
    view.Sync();
    EXPECT_EQ(painted(), steps[i].second);
    EXPECT_TRUE(shows_the_field());
  }

  // Drawing nobody synced is taken in by the next paint of any kind, and gets
  // a paint of its own where that paint did not reach.
  field.Point(400, 20, kRed);
  view.update(QRect(0, 0, 5, 5));
  EXPECT_TRUE(painted().contains(QPoint(400, 20)));
  EXPECT_TRUE(shows_the_field());

  // Hidden, it is not painted; shown again, it shows what was drawn meanwhile.
  view.hide();
  field.Box(200, 200, 210, 210, kYellow);
  view.Sync();
  EXPECT_TRUE(painted().isEmpty());
  view.show();
  EXPECT_TRUE(QTest::qWaitForWindowExposed(&view));
  EXPECT_TRUE(painted().contains(QRect(200, 200, 11, 11)));
  EXPECT_TRUE(shows_the_field());
}

}  // namespace
}  // namespace marvo
