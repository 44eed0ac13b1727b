#include "resources/pictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "tests/support/pixel_hash.h"

namespace marvo {
namespace {

struct Box {
  int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;
  void Add(int x, int y) {
    left = std::min(left, x), top = std::min(top, y);
    right = std::max(right, x), bottom = std::max(bottom, y);
  }
  bool operator==(const Box&) const = default;
};

// How many pixels of the image `holds(x, y)` is true for.
template <class Predicate>
int Count(const Image& image, Predicate holds) {
  int count = 0;
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) count += holds(x, y);
  }
  return count;
}

// The bounding box of the pixels in any of `colors`, between rows y_from and y_to.
Box Where(const Image& image, std::set<Color> colors, int y_from = 0, int y_to = 1 << 20) {
  Box box;
  Count(image, [&](int x, int y) {
    if (y >= y_from && y <= y_to && colors.count(image.At(x, y))) box.Add(x, y);
    return false;
  });
  return box;
}

std::set<Color> Colors(const Image& image) { return {image.pixels.begin(), image.pixels.end()}; }

using testing::PixelHash;

// Each picture is pinned by a hash of its pixels; the tests below check only
// what play relies on.
TEST(PicturesTest, EachNumberDecodesToItsOwnPictureOnceAndNoOtherNumberLoads) {
  const std::pair<int, uint64_t> pictures[] = {
      {101, 0x906650026e15b0e9}, {102, 0x7d161a0d8481c986}, {103, 0xfda55c7d22cd6631},
      {104, 0xc878cfd0ed5c7fb9}, {105, 0xa02c7d8e78415801}, {106, 0x93ed05c286031641},
      {107, 0x4148ab560c6cf0f2}, {110, 0x0edb9ceea9f58472}, {111, 0x50fe6bbe5403dced},
      {120, 0xc49fa848cd77dadd}, {121, 0x29fc1af522d152c7},
  };
  for (const auto& [n, hash] : pictures) {
    const Image* picture = LoadPicture(n);
    ASSERT_NE(picture, nullptr) << n;
    EXPECT_EQ(PixelHash(*picture), hash) << n << std::hex << " " << PixelHash(*picture);
    // The field's 447 x 342 and the row below it; the banner sheet of three.
    EXPECT_EQ(std::pair(picture->width, picture->height),
              n < 120 ? std::pair(447, 343) : std::pair(367, 210))
        << n;
  }
  for (int n : {0, 100, 108, 112, 122}) EXPECT_EQ(LoadPicture(n), nullptr) << n;
  EXPECT_EQ(LoadPicture(104), LoadPicture(104));  // a surface may keep the pointer
  EXPECT_EQ(PixelHash(Icon(32)), 0x71bc236357d6bf5du) << std::hex << PixelHash(Icon(32));
  EXPECT_EQ(PixelHash(Icon(16)), 0x0e87f7096877e6cdu) << std::hex << PixelHash(Icon(16));
}

// Play reads colours: blue walls, one yellow star, and on the last stage
// white and red text (red would be a goal) out of the head's reach.
TEST(PicturesTest, StagePicturesHoldOnlyFieldColoursAndOneStarEach) {
  for (int n : {101, 102, 103, 104, 105, 106, 107}) {
    const Image& picture = *LoadPicture(n);
    const auto allowed = n == 107 ? std::set{kBlack, kBlue, kYellow, kWhite, kRed}
                                  : std::set{kBlack, kBlue, kYellow};
    EXPECT_EQ(Colors(picture), allowed) << n;
    const Box star = Where(picture, {kYellow});
    EXPECT_EQ(std::pair(star.right - star.left, star.bottom - star.top), std::pair(17, 16)) << n;
    EXPECT_EQ(std::count(picture.pixels.begin(), picture.pixels.end(), kYellow), 126) << n;
  }
}

TEST(PicturesTest, FinalStageMarginsAreBlackAndItsTextsLieOutOfReach) {
  const Image& picture = *LoadPicture(107);
  const auto black = [&](int x, int y) {
    return picture.Contains(x, y) && picture.At(x, y) == kBlack;
  };
  // Black margins and the black strip from x 365 on.
  EXPECT_EQ(0, Count(picture, [&](int x, int y) {
              return (x < 2 || y < 2 || x >= 365 || y >= 340) && !black(x, y);
            }));
  // Its red and white texts lie out of reach of the floor: no black within 4 pixels.
  EXPECT_EQ(0, Count(picture, [&](int x, int y) {
              bool near = false;
              for (int d = 0; d < 81; ++d) near |= black(x + d % 9 - 4, y + d / 9 - 4);
              return (picture.At(x, y) == kWhite || picture.At(x, y) == kRed) && near;
            }));
}

TEST(PicturesTest, TheTitleMaskLightsHalfOfItInACheckerboard) {
  const Image& title = *LoadPicture(110);
  const Image& mask = *LoadPicture(111);
  // ANDed with the title, the mask keeps the title's colour wherever it is lit,
  // never lights two neighbours, and lights about half the title.
  EXPECT_EQ(Colors(mask), (std::set{kBlack, kWhite}));
  const auto lit = [&](int x, int y) { return mask.Contains(x, y) && mask.At(x, y) == kWhite; };
  EXPECT_EQ(0, Count(mask, [&](int x, int y) {
              const bool lost = (title.At(x, y) & mask.At(x, y)) == kBlack;
              return lit(x, y) && (lost || lit(x + 1, y) || lit(x, y + 1));
            }));
  const int shown = Count(title, [&](int x, int y) { return title.At(x, y) != kBlack; });
  EXPECT_NEAR(double(Count(mask, lit)) / shown, 0.5, 0.05);
}

TEST(PicturesTest, BannerRowsStartWordsInRedAndTheirMaskIsTheExactInverse) {
  const Image& sheet = *LoadPicture(120);
  const Image& mask = *LoadPicture(121);
  EXPECT_EQ(Colors(sheet), (std::set{kBlack, kGreen, kRed}));
  EXPECT_EQ(0, Count(sheet, [&](int x, int y) {
              return mask.At(x, y) != (sheet.At(x, y) == kBlack ? kWhite : kBlack);
            }));
  // Each 70-row block: the rows its letters fill, the first letter red.
  for (auto [block, top, bottom] : {std::tuple{0, 8, 60}, {71, 79, 131}, {141, 150, 202}}) {
    const Box ink = Where(sheet, {kGreen, kRed}, block, block + 69);
    EXPECT_EQ(std::pair(ink.top, ink.bottom), std::pair(top, bottom)) << block;
    EXPECT_EQ(Where(sheet, {kRed}, block, block + 69).left, ink.left) << block;  // red first
  }
}

}  // namespace
}  // namespace marvo
