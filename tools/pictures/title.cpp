// The title pair, the banner sheet with its mask, and the window icon.

#include <QPainterPath>
#include <QPoint>
#include <vector>

#include "tools/pictures/drawings.h"

namespace marvo::pictures {
namespace {

void FillAll(Canvas& canvas, const std::vector<QPainterPath>& paths, uint8_t index) {
  for (const auto& path : paths) canvas.FillPath(path, index);
}

// The makers' round emblem: a dark green ring round a dark red disc that
// carries the game's rising zig-zag in dark green.
void Emblem(Canvas& canvas, int cx, int cy) {
  for (int y = -30; y <= 30; ++y) {
    for (int x = -30; x <= 30; ++x) {
      const int d2 = x * x + y * y;
      if (d2 <= 30 * 30 + 15) canvas.Set(cx + x, cy + y, d2 >= 25 * 25 ? kDarkGreen : kDarkRed);
    }
  }
  QPainterPath zigzag;
  zigzag.moveTo(cx - 15, cy + 12);
  zigzag.lineTo(cx - 4, cy - 4);
  zigzag.lineTo(cx + 3, cy + 4);
  zigzag.lineTo(cx + 15, cy - 13);
  QPainterPathStroker stroker;
  stroker.setWidth(5);
  stroker.setJoinStyle(Qt::MiterJoin);
  canvas.FillPath(stroker.createStroke(zigzag), kDarkGreen);
}

}  // namespace

Canvas TitlePicture() {
  Canvas canvas(kFieldPictureWidth, kFieldPictureHeight);
  const QFont heavy("Liberation Sans", 100, QFont::Black);
  // The name in red on a dark red drop shadow, together filling x 29..418, y 44..121.
  const auto title = FitText("MARVOSTEL", heavy, QRectF(29, 44, 387, 75));
  for (const auto& path : title) canvas.FillPath(path.translated(3, 3), kDarkRed);
  FillAll(canvas, title, kRed);

  canvas.Stamp(
      TextInk("ONE BUTTON  -  FIFTY TURNS  -  TEN STAGES", PixelFont("Liberation Sans", 12, true)),
      86, 136, kGrey);
  for (int x = 86; x <= 360; ++x) canvas.Set(x, 154, kGrey);

  const QFont words("Liberation Sans", 40, QFont::Bold);
  FillAll(canvas, FitText("TEAM", words, QRectF(92, 196, 84, 26)), kDarkGreen);
  Emblem(canvas, 223, 209);
  FillAll(canvas, FitText("QUORVEL", words, QRectF(270, 196, 148, 26)), kDarkGreen);

  FillAll(canvas,
          ScaleText("PUSH [F2] or [ENTER] KEY to START", QFont("Liberation Sans", 40, QFont::Bold),
                    0.36, 223, 296, 312),
          kWhite);
  return canvas;
}

Canvas TitleMask(const Canvas& title) {
  // White on every other lit pixel of the title, like a checkerboard screen.
  Canvas mask(title.width(), title.height());
  for (int y = 0; y < title.height(); ++y) {
    for (int x = 0; x < title.width(); ++x) {
      if (title.At(x, y) != kBlack && (x + y) % 2 == 0) mask.Set(x, y, kWhite);
    }
  }
  return mask;
}

Canvas BannerSheet() {
  Canvas canvas(kBannerSheetWidth, kBannerSheetHeight);
  const QFont font("Liberation Sans", 100, QFont::Black);
  struct Row {
    const char* text;
    int top;
  };
  // One letter shape for all three rows, narrowed so the longest row fits
  // with a few pixels to spare on each side, then thickened by a pixel all
  // round so the narrow letters keep arcade-weight strokes.
  QPainterPath longest;
  longest.addText(0, 0, font, "STAGE CLEAR!");
  const double x_scale = (kBannerSheetWidth - 14) / longest.boundingRect().width();
  QPainterPathStroker outline;
  outline.setWidth(2);
  outline.setJoinStyle(Qt::MiterJoin);
  for (const Row& row : {Row{"GAME OVER", 8}, Row{"GET READY!", 79}, Row{"STAGE CLEAR!", 150}}) {
    const QString text = row.text;
    const auto letters =
        ScaleText(text, font, x_scale, kBannerSheetWidth / 2.0, row.top + 1, row.top + 51);
    for (int i = 0; i < text.size(); ++i) {
      const bool first = i == 0 || text[i - 1] == ' ';
      const QPainterPath& letter = letters[size_t(i)];
      canvas.FillPath(letter.united(outline.createStroke(letter)), first ? kRed : kGreen);
    }
  }
  return canvas;
}

Canvas BannerMask(const Canvas& sheet) {
  Canvas mask(sheet.width(), sheet.height());
  for (int y = 0; y < sheet.height(); ++y) {
    for (int x = 0; x < sheet.width(); ++x)
      mask.Set(x, y, sheet.At(x, y) == kBlack ? kWhite : kBlack);
  }
  return mask;
}

Canvas IconPicture(int size) {
  Canvas canvas(size, size, kPurple);
  // A tile lit from the top left.
  for (int i = 0; i < size; ++i) {
    canvas.Set(i, 0, kMagenta);
    canvas.Set(0, i, kMagenta);
    canvas.Set(i, size - 1, kBlack);
    canvas.Set(size - 1, i, kBlack);
  }
  const bool big = size == 32;
  const int near = big ? 4 : 2, dot = big ? 2 : 1;
  for (int cx : {near, size - near - dot}) {
    for (int cy : {near, size - near - dot}) canvas.FillRect(cx, cy, dot, dot, kSilver);
  }
  // The head's own trail: diagonal legs, two pixels thick, rising to the
  // upper right, with a black shadow under it.
  const std::vector<QPoint> corners =
      big ? std::vector<QPoint>{{6, 24}, {14, 16}, {18, 20}, {27, 11}}
          : std::vector<QPoint>{{3, 12}, {7, 8}, {9, 10}, {13, 6}};
  const int thickness = big ? 2 : 1;
  for (int shadow : {1, 0}) {
    for (size_t i = 0; i + 1 < corners.size(); ++i) {
      const QPoint from = corners[i], to = corners[i + 1];
      const int dy = to.y() > from.y() ? 1 : -1;
      for (int x = from.x(), y = from.y(); x <= to.x(); ++x, y += dy) {
        for (int t = 0; t <= thickness; ++t) {
          canvas.Set(x + t, y + shadow * thickness, shadow ? kBlack : kWhite);
        }
      }
    }
  }
  return canvas;
}

}  // namespace marvo::pictures
