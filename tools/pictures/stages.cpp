// The seven stage pictures. Their colours are the stage: black floor, blue
// wall, the yellow star (and in the final stage white and red text set into
// the wall).

#include <initializer_list>

#include "tools/pictures/drawings.h"

namespace marvo::pictures {
namespace {

struct Rect {
  int x, y, w, h;
};

// The one star shape of every stage, 18 x 17 pixels, 126 of them yellow.
constexpr const char* kStar[17] = {
    "........##........",  //
    "........##........",  //
    ".......####.......",  //
    ".......####.......",  //
    "......######......",  //
    "##################",  //
    ".################.",  //
    "...############...",  //
    "....##########....",  //
    ".....########.....",  //
    "....##########....",  //
    "....####..####....",  //
    "...####....####...",  //
    "...###......###...",  //
    "..###........###..",  //
    "..##..........##..",  //
    ".#..............#.",  //
};

void Star(Canvas& canvas, int left, int top) {
  for (int y = 0; y < 17; ++y) {
    for (int x = 0; x < 18; ++x) {
      if (kStar[y][x] == '#') canvas.Set(left + x, top + y, kYellow);
    }
  }
}

Canvas Blocks(std::initializer_list<Rect> walls, int star_x, int star_y) {
  Canvas canvas(kFieldPictureWidth, kFieldPictureHeight);
  for (const Rect& r : walls) canvas.RoundedRect(r.x, r.y, r.w, r.h, kBlue);
  Star(canvas, star_x, star_y);
  return canvas;
}

Canvas AlcoveStage() {
  Canvas canvas = Blocks({{66, 24, 312, 122}, {66, 195, 312, 121}}, 275, 127);
  // The alcove is a floor-coloured rounded rectangle cut up into the upper
  // slab from below: its top corners round, its mouth square.
  canvas.RoundedRect(266, 121, 38, 40, kBlack);
  Star(canvas, 275, 127);
  return canvas;
}

// The final stage's floor is a network of 45-degree corridors. Along the
// head's own diagonals u = x - y and v = x + y every corridor is an upright
// rectangle: a falling corridor (down-right) keeps u within [u - 10, u + 9],
// 20 pixels along a row, and runs from v1 to v2; a rising one (up-right) keeps
// v within [v - 10, v + 9] and runs from u1 to u2. The ends reach 10 further,
// so two corridors meeting at their centre lines join cleanly.
struct Corridor {
  bool falling;
  int across;    // u of a falling corridor, v of a rising one
  int from, to;  // the other coordinate along the corridor
};

constexpr Corridor kNetwork[] = {
    {true, 0, 0, 344},       // from the top-left corner down into the loop
    {false, 344, -104, 0},   // ... turning back out through the star
    {false, 278, -64, 96},   // the loop: upper left,
    {true, 96, 278, 438},    // upper right,
    {false, 438, -64, 130},  // lower right, running on to the way out,
    {true, -64, 278, 438},   // lower left
    {true, 130, 438, 640},   // the way out to the right-hand strip
    {true, 180, 260, 500},   // the second corridor from near (220, 40)
    {false, 500, 130, 180},  // ... joining the way out
    {false, 360, 96, 180},   // loop to second corridor
    {false, 380, 180, 290},  // dead end up to the right
    {true, -4, 438, 520},    // dead end below the loop
    {false, 170, 0, 90},     // dead end towards the top
    {false, 110, 0, 56},     // a first side turning, soon closed
    {true, -104, 344, 400},  // dead end past the star
};

void CarveCorridor(Canvas& canvas, const Corridor& c) {
  for (int y = 2; y <= 339; ++y) {
    for (int x = 2; x <= 364; ++x) {
      const int across = c.falling ? x - y : x + y, along = c.falling ? x + y : x - y;
      if (across >= c.across - 10 && across <= c.across + 9 && along >= c.from - 10 &&
          along <= c.to + 9) {
        canvas.Set(x, y, kBlack);
      }
    }
  }
}

Canvas FinalStage() {
  Canvas canvas(kFieldPictureWidth, kFieldPictureHeight);
  canvas.FillRect(2, 2, 363, 338, kBlue);  // (2, 2) to (364, 339)
  for (const Corridor& c : kNetwork) CarveCorridor(canvas, c);

  const QFont small = PixelFont("IPAGothic", 14, false);
  // Planning: me. Production: me.
  const char* credits[] = {"企画：", "わたし", "制作：", "わたし"};
  for (int i = 0; i < 4; ++i) {
    canvas.Stamp(TextInk(QString::fromUtf8(credits[i]), small), 14 + (i % 2) * 14, 112 + i * 20,
                 kWhite);
  }
  const QFont heading = PixelFont("IPAGothic", 40, true);
  canvas.Stamp(TextInk(QString::fromUtf8("最"), heading), 14, 284, kRed);
  canvas.Stamp(TextInk(QString::fromUtf8("終面"), heading), 58, 284, kWhite);
  canvas.Stamp(TextInk(QString::fromUtf8("です！"), PixelFont("IPAGothic", 20, true)), 146, 302,
               kWhite);
  canvas.Stamp(TextInk(QString::fromUtf8("ここまで遊んでくれて"), small), 218, 290, kWhite);
  canvas.Stamp(TextInk(QString::fromUtf8("ありがとう！"), small), 218, 310, kWhite);
  Star(canvas, 131, 196);
  return canvas;
}

}  // namespace

Canvas StagePicture(int number) {
  switch (number) {
    case kPictureStage1:
      return Blocks({{113, 73, 223, 186}}, 343, 158);
    case kPictureStage2:
      // The T's cross bar ends flush with the upright's right side, so only
      // the outer ends round: the bar's own right corners lie under the upright.
      return Blocks({{305, 8, 39, 41},
                     {10, 152, 49, 40},
                     {305, 296, 39, 41},
                     {305, 83, 39, 179},
                     {109, 152, 235, 40}},
                    316, 270);
    case kPictureStage3:
      return Blocks({{113, 5, 64, 246}, {262, 5, 74, 53}, {262, 105, 74, 232}, {113, 294, 64, 43}},
                    208, 18);
    case kPictureStage4:
      return AlcoveStage();
    case kPictureStage5:
      return Blocks({{71, 15, 59, 60},
                     {131, 15, 59, 60},
                     {191, 15, 59, 60},
                     {251, 15, 59, 60},
                     {311, 15, 59, 60},
                     {130, 77, 59, 60},
                     {251, 139, 59, 60},
                     {311, 139, 59, 60},
                     {72, 201, 59, 60},
                     {132, 201, 59, 60},
                     {72, 263, 59, 60},
                     {132, 263, 59, 60},
                     {192, 264, 59, 60},
                     {252, 264, 59, 60},
                     {312, 264, 59, 60}},
                    211, 227);
    case kPictureStage6:
      return Blocks({{280, 27, 21, 94},
                     {94, 46, 21, 94},
                     {155, 95, 20, 149},
                     {220, 95, 20, 149},
                     {341, 95, 20, 147},
                     {94, 197, 21, 94},
                     {280, 215, 21, 94}},
                    190, 160);
    default:
      return FinalStage();
  }
}

}  // namespace marvo::pictures
