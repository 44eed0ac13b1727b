#include "ui/surface.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "tests/support/fake_text.h"

namespace marvo {
namespace {

using Points = std::set<std::pair<int, int>>;

// Every pixel of `surface` that is not black.
Points Lit(const Surface& surface) {
  Points lit;
  for (int y = 0; y < surface.Height(); ++y)
    for (int x = 0; x < surface.Width(); ++x)
      if (surface.GetPixel(x, y) != kBlack) lit.emplace(x, y);
  return lit;
}

TEST(Surface, PointsAndBoxesReadBackExactly) {
  Surface s(20, 10);
  s.Point(3, 4, 0x123456);
  EXPECT_EQ(s.GetPixel(3, 4), 0x123456u);
  EXPECT_EQ(Lit(s).size(), 1u);

  s.Clear();
  s.Box(2, 2, 5, 4, kWhite);  // corners inclusive, one pixel wide
  EXPECT_EQ(
      Lit(s),
      (Points{{2, 2}, {3, 2}, {4, 2}, {5, 2}, {2, 3}, {5, 3}, {2, 4}, {3, 4}, {4, 4}, {5, 4}}));

  s.Clear();
  s.FilledBox(7, 6, 5, 5, kBlue);  // corners in any order
  EXPECT_EQ(Lit(s).size(), 3u * 2u);
  EXPECT_EQ(s.GetPixel(5, 5), kBlue);
  EXPECT_EQ(s.GetPixel(7, 6), kBlue);
}

TEST(Surface, TheFieldBorderLiesOnItsFourLines) {
  Surface field(447, 342);
  field.Box(2, 2, 443, 340, kWhite);
  EXPECT_EQ(field.GetPixel(2, 2), kWhite);
  EXPECT_EQ(field.GetPixel(443, 340), kWhite);
  EXPECT_EQ(field.GetPixel(443, 100), kWhite);
  EXPECT_EQ(field.GetPixel(100, 340), kWhite);
  EXPECT_EQ(field.GetPixel(442, 339), kBlack);
  EXPECT_EQ(field.GetPixel(444, 341), kBlack);
  EXPECT_EQ(Lit(field).size(), 2u * 442u + 2u * 337u);
}

TEST(Surface, ReadsOutsideGiveTheInvalidColour) {
  Surface s(447, 342);
  s.FilledBox(0, 0, 446, 341, kWhite);
  for (auto [x, y] : Points{{-1, 0}, {0, -1}, {447, 0}, {0, 342}, {448, 344}, {-3, -3}})
    EXPECT_EQ(s.GetPixel(x, y), kInvalidColor) << x << "," << y;
  // Drawing off the edge is clipped, not a fault.
  s.Box(-10, -10, 500, 500, kRed);
  s.Point(1000, 1000, kRed);
  EXPECT_EQ(s.GetPixel(446, 341), kWhite);
}

TEST(Surface, CirclesAreSymmetricOutlinesOrSolidDiscs) {
  Surface s(60, 60);
  s.Circle(30, 30, 5, kWhite);
  const Points ring = Lit(s);
  for (auto [x, y] : ring) {
    EXPECT_TRUE(ring.count({60 - x, y}) && ring.count({x, 60 - y}) && ring.count({y, x}));
    const int d2 = (x - 30) * (x - 30) + (y - 30) * (y - 30);
    EXPECT_GE(d2, 4 * 4);
    EXPECT_LE(d2, 6 * 6);
  }
  EXPECT_TRUE(ring.count({35, 30}) && ring.count({30, 25}));
  EXPECT_EQ(s.GetPixel(30, 30), kBlack);  // transparent fill by default

  // The goal: a red disc of radius 14 filled with the fill colour, 29 wide and high.
  s.Clear();
  s.fill_color = kRed;
  s.fill_style = FillStyle::kSolid;
  s.Circle(30, 30, 14, kRed);
  const Points disc = Lit(s);
  int min_x = 99, max_x = 0, min_y = 99, max_y = 0;
  for (auto [x, y] : disc) {
    EXPECT_EQ(s.GetPixel(x, y), kRed);
    min_x = std::min(min_x, x), max_x = std::max(max_x, x);
    min_y = std::min(min_y, y), max_y = std::max(max_y, y);
  }
  EXPECT_EQ(max_x - min_x + 1, 29);
  EXPECT_EQ(max_y - min_y + 1, 29);
  EXPECT_EQ(s.GetPixel(30, 30), kRed);
  EXPECT_EQ(s.GetPixel(30 + 9, 30 + 9), kRed);  // inside: no holes between outline and fill
}

TEST(Surface, PrintInksTheTextPositionInTheForeColour) {
  testing::BlockTextRasterizer glyphs;
  Surface s(40, 20);
  s.SetTextRasterizer(&glyphs);
  s.fore_color = kSilver;
  s.current_x = 3;
  s.current_y = 2;
  s.Print("ab");
  EXPECT_EQ(s.GetPixel(3, 2), kSilver);
  EXPECT_EQ(s.GetPixel(11, 7), kSilver);
  EXPECT_EQ(s.GetPixel(7, 2), kBlack);  // the gap after a glyph is not filled
  EXPECT_EQ(s.GetPixel(2, 2), kBlack);
  EXPECT_EQ(Lit(s).size(), 2u * 4u * 6u);
}

TEST(Surface, PicturesReplaceDrawingAndClearRestoresThem) {
  Image picture(447, 343, kBlack);
  picture.At(10, 10) = kBlue;
  picture.At(5, 342) = kYellow;  // the row below the field
  Surface field(447, 342);
  field.Point(20, 20, kWhite);
  field.AssignPicture(&picture);
  EXPECT_EQ(field.GetPixel(10, 10), kBlue);
  EXPECT_EQ(field.GetPixel(20, 20), kBlack);
  EXPECT_EQ(field.Height(), 342);  // a fixed surface clips the taller picture
  field.Point(30, 30, kWhite);
  field.Clear();
  EXPECT_EQ(field.GetPixel(30, 30), kBlack);
  EXPECT_EQ(field.GetPixel(10, 10), kBlue);
  field.AssignPicture(nullptr);
  EXPECT_EQ(field.GetPixel(10, 10), kBlack);

  // A holder takes the whole picture.
  Surface holder(17, 17, Surface::Sizing::kAutoSize);
  holder.AssignPicture(&picture);
  EXPECT_EQ(holder.Width(), 447);
  EXPECT_EQ(holder.GetPixel(5, 342), kYellow);
}

TEST(Surface, BlockCopiesCopyAndOrAndAreClipped) {
  Surface field(447, 342), backup(449, 345);
  field.FilledBox(0, 0, 446, 341, 0x0F0F0F);
  field.Point(446, 341, kRed);
  BitBlt(backup, 0, 0, 449, 345, field, 0, 0, RasterOp::kSrcCopy);  // over-large: clipped
  EXPECT_EQ(backup.GetPixel(446, 341), kRed);
  EXPECT_EQ(backup.GetPixel(447, 0), kBlack);
  EXPECT_EQ(backup.GetPixel(0, 344), kBlack);

  Surface src(4, 1);
  src.Point(0, 0, 0xF0F0F0);
  src.Point(1, 0, 0x00FF00);
  src.Point(2, 0, kWhite);
  Surface and_dst(4, 1), or_dst(4, 1);
  for (Surface* d : {&and_dst, &or_dst}) d->FilledBox(0, 0, 3, 0, 0x3C3C3C);
  BitBlt(and_dst, 0, 0, 4, 1, src, 0, 0, RasterOp::kSrcAnd);
  BitBlt(or_dst, 0, 0, 4, 1, src, 0, 0, RasterOp::kSrcPaint);
  EXPECT_EQ(and_dst.GetPixel(0, 0), 0x303030u);
  EXPECT_EQ(and_dst.GetPixel(1, 0), 0x003C00u);
  EXPECT_EQ(and_dst.GetPixel(2, 0), 0x3C3C3Cu);
  EXPECT_EQ(and_dst.GetPixel(3, 0), kBlack);
  EXPECT_EQ(or_dst.GetPixel(0, 0), 0xFCFCFCu);
  EXPECT_EQ(or_dst.GetPixel(3, 0), 0x3C3C3Cu);

  // Targets and sources partly or wholly outside are skipped without fault.
  BitBlt(field, -5, -5, 20, 20, src, 0, 0, RasterOp::kSrcCopy);
  BitBlt(field, 440, 340, 100, 100, backup, -3, 400, RasterOp::kSrcCopy);
  BitBlt(field, 500, 500, 10, 10, src, 0, 0, RasterOp::kSrcCopy);
  EXPECT_EQ(field.GetPixel(0, 0), 0x0F0F0Fu);

  // A copy of a surface onto itself moves the block as a whole.
  Surface strip(5, 1);
  strip.Point(0, 0, kRed);
  strip.Point(1, 0, kBlue);
  BitBlt(strip, 1, 0, 4, 1, strip, 0, 0, RasterOp::kSrcCopy);
  EXPECT_EQ(strip.GetPixel(1, 0), kRed);
  EXPECT_EQ(strip.GetPixel(2, 0), kBlue);
}

}  // namespace
}  // namespace marvo
