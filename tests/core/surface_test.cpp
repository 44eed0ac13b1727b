#include "ui/surface.h"

#include <gtest/gtest.h>

#include <utility>

namespace marvo {
namespace {

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
}

}  // namespace
}  // namespace marvo
