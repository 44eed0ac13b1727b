#include "ui/surface.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

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

TEST(Surface, CirclesAreSymmetricOutlinesOrSolidDiscs) {
  Surface s(60, 60);
  s.Circle(30, 30, 5, kWhite);
  const Points ring = Lit(s);
  for (auto [x, y] : ring) {
    EXPECT_TRUE(ring.count({60 - x, y}) && ring.count({x, 60 - y}) && ring.count({y, x}));
    const int d2 = (x - 30) * (x - 30) + (y - 30) * (y - 30);
    EXPECT_TRUE(d2 >= 4 * 4 && d2 <= 6 * 6) << x << "," << y;
  }
  EXPECT_EQ(s.GetPixel(30, 30), kBlack);  // transparent fill by default

  // The goal: a solid red disc of radius 14, 29 pixels across, without holes.
  s.AssignPicture(nullptr);
  s.fill_color = kRed, s.fill_style = FillStyle::kSolid;
  s.Circle(30, 30, 14, kRed);
  const Points disc = Lit(s);
  EXPECT_EQ(std::pair(disc.begin()->first, disc.rbegin()->first), std::pair(16, 44));
  for (int y = 16; y <= 44; ++y) {
    int width = 0;
    for (int x = 0; x < 60; ++x) width += s.GetPixel(x, y) == kRed;
    for (int x = 30 - (width - 1) / 2; x <= 30 + (width - 1) / 2; ++x)
      EXPECT_EQ(s.GetPixel(x, y), kRed) << x << "," << y;
  }
}

TEST(Surface, BlockCopiesCopyAndOrAndAreClipped) {
  Surface src(4, 1), and_dst(4, 1), or_dst(4, 1);
  const Color pattern[] = {0xF0F0F0, 0x00FF00, kWhite};
  for (int x = 0; x < 3; ++x) src.Point(x, 0, pattern[x]);
  for (Surface* d : {&and_dst, &or_dst}) d->FilledBox(0, 0, 3, 0, 0x3C3C3C);
  BitBlt(and_dst, 0, 0, 4, 1, src, 0, 0, RasterOp::kSrcAnd);
  BitBlt(or_dst, 0, 0, 4, 1, src, 0, 0, RasterOp::kSrcPaint);
  const Color anded[] = {0x303030, 0x003C00, 0x3C3C3C, kBlack};
  const Color ored[] = {0xFCFCFC, 0x3CFF3C, kWhite, 0x3C3C3C};
  for (int x = 0; x < 4; ++x)
    EXPECT_EQ(std::pair(and_dst.GetPixel(x, 0), or_dst.GetPixel(x, 0)),
              std::pair(anded[x], ored[x]));

  // Blocks partly or wholly outside either surface are clipped, source and
  // target moving together; a copy onto its own surface moves as a whole.
  Surface field(447, 342);
  BitBlt(field, -1, 0, 4, 1, src, 0, 0, RasterOp::kSrcCopy);
  BitBlt(field, 0, 5, 4, 1, src, -1, 0, RasterOp::kSrcCopy);
  BitBlt(field, 500, 500, 10, 10, src, 0, 0, RasterOp::kSrcCopy);
  EXPECT_EQ(std::tuple(field.GetPixel(0, 0), field.GetPixel(0, 5), field.GetPixel(1, 5)),
            std::tuple(0x00FF00u, kBlack, 0xF0F0F0u));
  BitBlt(src, 1, 0, 3, 1, src, 0, 0, RasterOp::kSrcCopy);
  EXPECT_EQ(std::pair(src.GetPixel(1, 0), src.GetPixel(2, 0)), std::pair(0xF0F0F0u, 0x00FF00u));
  // An auto-sized holder shows its picture; a copy onto it changes the holder alone.
  const Image picture(3, 2, kWhite);
  Surface holder(17, 17, Surface::Sizing::kAutoSize);
  holder.AssignPicture(&picture);
  BitBlt(holder, 0, 1, 2, 1, src, 0, 0, RasterOp::kSrcAnd);
  EXPECT_EQ(std::tuple(holder.Width(), holder.GetPixel(0, 1), picture.At(0, 1)),
            std::tuple(3, 0xF0F0F0u, kWhite));
}

}  // namespace
}  // namespace marvo
