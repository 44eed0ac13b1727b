#include "resources/pictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>
#include <vector>

#include "ui/surface.h"

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

TEST(PicturesTest, EachNumberLoadsItsPictureAtItsSizeOnceAndNoOtherNumberLoads) {
  for (int n : {101, 102, 103, 104, 105, 106, 107, 110, 111, 120, 121}) {
    const Image* picture = LoadPicture(n);
    ASSERT_NE(picture, nullptr) << n;
    EXPECT_EQ(std::pair(picture->width, picture->height),
              n < 120 ? std::pair(447, 343) : std::pair(367, 210))
        << n;
  }
  for (int n : {0, 100, 108, 112, 122}) EXPECT_EQ(LoadPicture(n), nullptr) << n;
  EXPECT_EQ(LoadPicture(104), LoadPicture(104));  // a surface may keep the pointer
}

TEST(PicturesTest, StagePicturesShowOnlyFieldColoursAndTheSameStarAtItsPlace) {
  const std::map<int, Box> stars = {
      {101, {343, 158, 360, 174}}, {102, {316, 270, 333, 286}}, {103, {208, 18, 225, 34}},
      {104, {275, 127, 292, 143}}, {105, {211, 227, 228, 243}}, {106, {190, 160, 207, 176}},
      {107, {131, 196, 148, 212}},
  };
  const Image& first = *LoadPicture(101);
  EXPECT_EQ(std::count(first.pixels.begin(), first.pixels.end(), kYellow), 126);  // the star
  for (const auto& [n, box] : stars) {
    const Image& picture = *LoadPicture(n);
    const auto allowed = n == 107 ? std::set{kBlack, kBlue, kYellow, kWhite, kRed}
                                  : std::set{kBlack, kBlue, kYellow};
    EXPECT_EQ(Colors(picture), allowed) << n;
    EXPECT_EQ(Where(picture, {kYellow}), box) << n;  // 18 x 17
    // The same star as 101's: nothing differs from it, shifted onto this box.
    EXPECT_EQ(0, Count(picture,
                       [&](int x, int y) {
                         const int fx = x - box.left + 343, fy = y - box.top + 158;
                         return first.Contains(fx, fy) &&
                                (picture.At(x, y) == kYellow) != (first.At(fx, fy) == kYellow);
                       }))
        << n;
  }
}

// Whether (x, y) lies in the wall at wall[0], wall[1], wall[2] wide and wall[3]
// high, its corners rounded by leaving out 6, 4, 3, 2, 1 and 1 pixels of its
// first and last six rows.
bool InWall(const int* wall, int x, int y) {
  static constexpr int kLeftOut[6] = {6, 4, 3, 2, 1, 1};
  const int row = std::min(y - wall[1], wall[1] + wall[3] - 1 - y);
  const int cut = row >= 0 && row < 6 ? kLeftOut[row] : 0;
  return row >= 0 && x >= wall[0] + cut && x < wall[0] + std::abs(wall[2]) - cut;
}

TEST(PicturesTest, BlockStagesAreBlueExactlyOnTheirRoundedWalls) {
  // Four numbers a wall; a negative width cuts a hole out of the other walls.
  const std::map<int, std::vector<int>> walls = {
      {101, {113, 73, 223, 186}},
      {102,
       {305, 8, 39, 41, 10, 152, 49, 40, 305, 296, 39, 41, 305, 83, 39, 179, 109, 152, 235, 40}},
      {103, {113, 5, 64, 246, 262, 5, 74, 53, 262, 105, 74, 232, 113, 294, 64, 43}},
      // The alcove reaches below the upper slab, so only its top corners show.
      {104, {66, 24, 312, 122, 66, 195, 312, 121, 266, 121, -38, 50}},
      {105,
       {71,  15,  59, 60, 131, 15,  59, 60, 191, 15,  59, 60, 251, 15,  59, 60, 311, 15,  59, 60,
        130, 77,  59, 60, 251, 139, 59, 60, 311, 139, 59, 60, 72,  201, 59, 60, 132, 201, 59, 60,
        72,  263, 59, 60, 132, 263, 59, 60, 192, 264, 59, 60, 252, 264, 59, 60, 312, 264, 59, 60}},
      {106, {280, 27,  21,  94, 94, 46,  21, 94,  155, 95, 20,  149, 220, 95,
             20,  149, 341, 95, 20, 147, 94, 197, 21,  94, 280, 215, 21,  94}},
  };
  for (const auto& [n, list] : walls) {
    const Image& picture = *LoadPicture(n);
    const int wrong = Count(picture, [&](int x, int y) {
      bool wall = false, hole = false;
      for (size_t i = 0; i < list.size(); i += 4)
        (list[i + 2] < 0 ? hole : wall) |= InWall(&list[i], x, y);
      const Color color = picture.At(x, y);
      return color != kYellow && (color == kBlue) != (wall && !hole);
    });
    EXPECT_EQ(wrong, 0) << "picture " << n;
  }
}

TEST(PicturesTest, FinalStageCorridorsMarginsAndTextsLieInPlace) {
  const Image& picture = *LoadPicture(107);
  const auto black = [&](int x, int y) {
    return picture.Contains(x, y) && picture.At(x, y) == kBlack;
  };
  // Black margins and the black strip from x 365 on.
  EXPECT_EQ(0, Count(picture, [&](int x, int y) {
              return (x < 2 || y < 2 || x >= 365 || y >= 340) && !black(x, y);
            }));
  // The first corridors, 20 pixels along rows 10 and 60, walled at both ends.
  for (auto [row, from, to] : {std::tuple{10, 0, 19}, {60, 50, 69}}) {
    for (int x = std::max(from - 1, 0); x <= to + 1; ++x) {
      EXPECT_EQ(black(x, row), x >= from && x <= to) << x << "," << row;
    }
  }
  // The blue field's right and bottom edges open onto the strip, near rows 220-250 only.
  const auto opening = [&](int x, int y) {
    return black(x, y) && ((x == 364 && y >= 2 && y < 340) || (y == 339 && x >= 2 && x < 365));
  };
  EXPECT_GT(Count(picture, opening), 0);
  EXPECT_EQ(0, Count(picture, [&](int x, int y) { return opening(x, y) && (y < 220 || y > 250); }));
  // The loop's lowest point near (187, 252), walled above and below; the second
  // corridor from near (220, 40) down to the right.
  EXPECT_TRUE(black(187, 252) && !black(187, 238) && !black(187, 264));
  EXPECT_TRUE(black(220, 40) && black(240, 60) && black(260, 80));
  // The heading at the bottom starts with its red character; the white credit
  // lines stand at the left above it.
  const Box red = Where(picture, {kRed});
  EXPECT_GT(red.top, 280);
  EXPECT_LT(red.right, Where(picture, {kWhite}, red.top, red.bottom).left);
  EXPECT_LT(Where(picture, {kWhite}, 0, red.top - 10).right, 100);
  // Its red and white texts lie out of reach of the floor: no black within 4 pixels.
  EXPECT_EQ(0, Count(picture, [&](int x, int y) {
              bool near = false;
              for (int d = 0; d < 81; ++d) near |= black(x + d % 9 - 4, y + d / 9 - 4);
              return (picture.At(x, y) == kWhite || picture.At(x, y) == kRed) && near;
            }));
}

TEST(PicturesTest, TitleKeepsItsPlacesAndItsMaskLightsHalfOfItInACheckerboard) {
  const Image& title = *LoadPicture(110);
  const Image& mask = *LoadPicture(111);
  EXPECT_EQ(Where(title, {kRed, kDarkRed}, 0, 130), (Box{29, 44, 418, 121}));  // name, shadow
  const Box push = Where(title, {kWhite});
  EXPECT_EQ(std::pair(push.top, push.bottom), std::pair(296, 312));
  // Under the name a grey line, then the emblem in dark red and dark green
  // between the two words.
  EXPECT_EQ(Colors(title), (std::set{kBlack, kRed, kDarkRed, kGrey, kDarkGreen, kWhite}));
  const Box grey = Where(title, {kGrey}), emblem = Where(title, {kDarkRed}, 130, 290);
  const Box words = Where(title, {kDarkGreen});
  EXPECT_TRUE(grey.top > 121 && grey.bottom < emblem.top && emblem.bottom < push.top);
  EXPECT_TRUE(words.left < emblem.left && emblem.right < words.right);

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

  // Laid over a field as the game does (AND the mask, OR the sheet), the third
  // block shows its letters and leaves the rest of the field as it was; its
  // 70th row lies past the sheet and is not copied.
  Surface field(447, 342), sheet_box(1, 1, Surface::Sizing::kAutoSize),
      mask_box(1, 1, Surface::Sizing::kAutoSize);
  field.FilledBox(0, 0, 446, 341, kBlue);
  sheet_box.AssignPicture(&sheet);
  mask_box.AssignPicture(&mask);
  BitBlt(field, 39, 100, 367, 70, mask_box, 0, 141, RasterOp::kSrcAnd);
  BitBlt(field, 39, 100, 367, 70, sheet_box, 0, 141, RasterOp::kSrcPaint);
  EXPECT_EQ(0, Count(field.Pixels(), [&](int x, int y) {
              const bool on_sheet = x >= 39 && x < 406 && y >= 100 && y < 169;
              const Color letter = on_sheet ? sheet.At(x - 39, y - 100 + 141) : kBlack;
              return field.GetPixel(x, y) != (letter == kBlack ? kBlue : letter);
            }));
}

TEST(PicturesTest, IconsComeInBothSizesOnAPurpleTileInTheSixteenColourPalette) {
  const std::set<Color> palette(std::begin(kStandardColors), std::end(kStandardColors));
  for (int size : {32, 16}) {
    const Image& icon = Icon(size);
    EXPECT_EQ(std::pair(icon.width, icon.height), std::pair(size, size));
    const std::set<Color> colors = Colors(icon);
    EXPECT_TRUE(std::includes(palette.begin(), palette.end(), colors.begin(), colors.end()));
    EXPECT_GT(std::count(icon.pixels.begin(), icon.pixels.end(), kPurple), size * size / 2);
    // The white zig-zag rises from lower left to upper right over a black shadow.
    const Box zig = Where(icon, {kWhite});
    EXPECT_LT(Where(icon, {kWhite}, zig.bottom, zig.bottom).left,
              Where(icon, {kWhite}, zig.top, zig.top).left);
    EXPECT_GT(Count(icon,
                    [&](int x, int y) {
                      return icon.At(x, y) == kWhite && y + 1 < size && icon.At(x, y + 1) == kBlack;
                    }),
              0);
  }
}

}  // namespace
}  // namespace marvo
