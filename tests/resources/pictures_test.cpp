#include "resources/pictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <vector>

#include "ui/surface.h"

namespace marvo {
namespace {

constexpr Color kDarkRed = 0x000080, kDarkGreen = 0x008000, kGrey = 0x808080, kGreen = 0x00FF00;
constexpr Color kPurple = 0x800080;

struct Box {
  int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;
  void Add(int x, int y) {
    left = std::min(left, x), top = std::min(top, y);
    right = std::max(right, x), bottom = std::max(bottom, y);
  }
  bool operator==(const Box&) const = default;
};

Box Where(const Image& image, Color color, int y_from = 0, int y_to = 1 << 20) {
  Box box;
  for (int y = y_from; y < std::min(y_to + 1, image.height); ++y) {
    for (int x = 0; x < image.width; ++x) {
      if (image.At(x, y) == color) box.Add(x, y);
    }
  }
  return box;
}

std::set<Color> Colors(const Image& image) {
  return std::set<Color>(image.pixels.begin(), image.pixels.end());
}

TEST(PicturesTest, EveryNumberedPictureLoadsAtItsSizeAndNothingElseDoes) {
  for (int n : {101, 102, 103, 104, 105, 106, 107, 110, 111}) {
    const Image* picture = LoadPicture(n);
    ASSERT_NE(picture, nullptr) << n;
    EXPECT_EQ(picture->width, 447) << n;
    EXPECT_EQ(picture->height, 343) << n;
  }
  for (int n : {120, 121}) {
    ASSERT_NE(LoadPicture(n), nullptr) << n;
    EXPECT_EQ(LoadPicture(n)->width, 367);
    EXPECT_EQ(LoadPicture(n)->height, 210);
  }
  for (int n : {0, 1, 100, 108, 109, 112, 119, 122, 32, 16})
    EXPECT_EQ(LoadPicture(n), nullptr) << n;
  // Decoded once: a surface may keep the pointer for the whole run.
  EXPECT_EQ(LoadPicture(104), LoadPicture(104));
}

// The star's shape, as every stage picture must show it.
std::vector<std::pair<int, int>> StarPixels(const Image& picture) {
  std::vector<std::pair<int, int>> pixels;
  const Box box = Where(picture, kYellow);
  for (int y = box.top; y <= box.bottom; ++y) {
    for (int x = box.left; x <= box.right; ++x) {
      if (picture.At(x, y) == kYellow) pixels.emplace_back(x - box.left, y - box.top);
    }
  }
  return pixels;
}

TEST(PicturesTest, StagePicturesUseOnlyTheFieldColoursAndCarryTheOneStar) {
  const std::map<int, Box> stars = {
      {101, {343, 158, 360, 174}}, {102, {316, 270, 333, 286}}, {103, {208, 18, 225, 34}},
      {104, {275, 127, 292, 143}}, {105, {211, 227, 228, 243}}, {106, {190, 160, 207, 176}},
      {107, {131, 196, 148, 212}},
  };
  const auto shape = StarPixels(*LoadPicture(101));
  EXPECT_EQ(shape.size(), 126u);
  for (const auto& [n, box] : stars) {
    const Image& picture = *LoadPicture(n);
    const std::set<Color> allowed = n == 107 ? std::set<Color>{kBlack, kBlue, kYellow, kWhite, kRed}
                                             : std::set<Color>{kBlack, kBlue, kYellow};
    EXPECT_EQ(Colors(picture), allowed) << n;
    EXPECT_EQ(Where(picture, kYellow), box) << n;
    EXPECT_EQ(StarPixels(picture), shape) << n;
  }
  // A five-pointed star: one point up, two at the sides, two feet.
  EXPECT_EQ(std::count_if(shape.begin(), shape.end(), [](auto p) { return p.second == 0; }), 2);
  EXPECT_EQ(std::count_if(shape.begin(), shape.end(), [](auto p) { return p.first == 0; }), 1);
  EXPECT_EQ(std::count_if(shape.begin(), shape.end(), [](auto p) { return p.first == 17; }), 1);
  EXPECT_EQ(std::count_if(shape.begin(), shape.end(), [](auto p) { return p.second == 16; }), 2);
}

// Walls of the block stages: x, y, width, height, with rounded corners.
struct Wall {
  int x, y, w, h;
};

bool InRoundedWall(const Wall& r, int x, int y) {
  static constexpr int kLeftOut[6] = {6, 4, 3, 2, 1, 1};
  if (x < r.x || y < r.y || x >= r.x + r.w || y >= r.y + r.h) return false;
  const int row = std::min(y - r.y, r.y + r.h - 1 - y);
  const int cut = row < 6 ? kLeftOut[row] : 0;
  return x >= r.x + cut && x < r.x + r.w - cut;
}

TEST(PicturesTest, BlockStagesHaveExactlyTheirRoundedWalls) {
  const std::map<int, std::vector<Wall>> walls = {
      {101, {{113, 73, 223, 186}}},
      {102,
       {{305, 8, 39, 41},
        {10, 152, 49, 40},
        {305, 296, 39, 41},
        {305, 83, 39, 179},
        {109, 152, 235, 40}}},
      {103, {{113, 5, 64, 246}, {262, 5, 74, 53}, {262, 105, 74, 232}, {113, 294, 64, 43}}},
      {105,
       {{71, 15, 59, 60},
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
        {312, 264, 59, 60}}},
      {106,
       {{280, 27, 21, 94},
        {94, 46, 21, 94},
        {155, 95, 20, 149},
        {220, 95, 20, 149},
        {341, 95, 20, 147},
        {94, 197, 21, 94},
        {280, 215, 21, 94}}},
  };
  for (const auto& [n, list] : walls) {
    const Image& picture = *LoadPicture(n);
    int wrong = 0;
    for (int y = 0; y < picture.height; ++y) {
      for (int x = 0; x < picture.width; ++x) {
        if (picture.At(x, y) == kYellow) continue;
        const bool wall = std::any_of(list.begin(), list.end(),
                                      [&](const Wall& r) { return InRoundedWall(r, x, y); });
        if ((picture.At(x, y) == kBlue) != wall && wrong++ < 5) {
          ADD_FAILURE() << "picture " << n << " at " << x << "," << y;
        }
      }
    }
    EXPECT_EQ(wrong, 0) << n;
  }
  // 101's block seen at its top-left corner: 6, 4, 3, 2, 1, 1 left out.
  const Image& block = *LoadPicture(101);
  for (auto [x, y, color] : {std::tuple{118, 73, kBlack},
                             {119, 73, kBlue},
                             {116, 74, kBlack},
                             {117, 74, kBlue},
                             {113, 78, kBlack},
                             {114, 78, kBlue},
                             {113, 79, kBlue},
                             {329, 258, kBlue},
                             {330, 258, kBlack}}) {
    EXPECT_EQ(block.At(x, y), color) << x << "," << y;
  }
  // The T of 102 is square where the cross bar meets the upright.
  EXPECT_EQ(LoadPicture(102)->At(304, 152), kBlue);
  EXPECT_EQ(LoadPicture(102)->At(304, 191), kBlue);
  EXPECT_EQ(LoadPicture(102)->At(343, 152), kBlue);
}

TEST(PicturesTest, TheAlcoveOpensDownwardsWithRoundedInnerCorners) {
  const Image& picture = *LoadPicture(104);
  const Wall upper{66, 24, 312, 122}, lower{66, 195, 312, 121};
  const Wall alcove{266, 121, 38, 50};  // reaches below the slab, so only its top rounds
  int wrong = 0;
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      if (picture.At(x, y) == kYellow) continue;
      const bool wall = (InRoundedWall(upper, x, y) && !InRoundedWall(alcove, x, y)) ||
                        InRoundedWall(lower, x, y);
      if ((picture.At(x, y) == kBlue) != wall) ++wrong;
    }
  }
  EXPECT_EQ(wrong, 0);
  // Square mouth, rounded top.
  EXPECT_EQ(picture.At(265, 145), kBlue);
  EXPECT_EQ(picture.At(266, 145), kBlack);
  EXPECT_EQ(picture.At(303, 145), kBlack);
  EXPECT_EQ(picture.At(304, 145), kBlue);
  EXPECT_EQ(picture.At(271, 121), kBlue);
  EXPECT_EQ(picture.At(272, 121), kBlack);
  EXPECT_EQ(picture.At(266, 127), kBlack);
}

TEST(PicturesTest, FinalStageIsACorridorNetworkInABlueField) {
  const Image& picture = *LoadPicture(107);
  // Black margins and the black strip on the right.
  for (int x = 0; x < 447; ++x) {
    for (int y : {0, 1, 340, 341, 342}) ASSERT_EQ(picture.At(x, y), kBlack) << x << "," << y;
  }
  for (int y = 0; y < 343; ++y) {
    for (int x : {0, 1}) ASSERT_EQ(picture.At(x, y), kBlack) << x << "," << y;
    for (int x = 365; x < 447; ++x) ASSERT_EQ(picture.At(x, y), kBlack) << x << "," << y;
  }
  // The blue field's frame, except where the network leaves it.
  for (int x = 2; x <= 364; ++x) EXPECT_NE(picture.At(x, 339), kBlack) << x;
  int exits = 0;
  for (int y = 2; y <= 339; ++y) {
    if (picture.At(364, y) == kBlack) {
      EXPECT_TRUE(y >= 220 && y <= 250) << "the network meets the strip at row " << y;
      ++exits;
    }
  }
  EXPECT_GT(exits, 0);
  // The first corridor from the top-left corner, 20 pixels along a row.
  for (auto [row, from, to] : {std::tuple{10, 0, 19}, {60, 50, 69}}) {
    for (int x = from; x <= to; ++x) EXPECT_EQ(picture.At(x, row), kBlack) << x << "," << row;
    if (from > 1) {
      EXPECT_EQ(picture.At(from - 1, row), kBlue) << row;
    }
    EXPECT_EQ(picture.At(to + 1, row), kBlue) << row;
  }
  // The second corridor begins near (220, 40); the loop's lowest floor pixel is near (187, 252).
  EXPECT_EQ(picture.At(220, 40), kBlack);
  Box loop;
  for (int y = 150; y < 280; ++y) {
    for (int x = 160; x < 215; ++x) {
      if (picture.At(x, y) == kBlack && picture.At(x, y + 1) == kBlue) loop.Add(x, y);
    }
  }
  EXPECT_NEAR(loop.bottom, 252, 10);
  // The texts stand inside the wall, out of reach of any diagonal step from
  // the floor: nothing white or red within 4 pixels of black.
  const Box red = Where(picture, kRed), white = Where(picture, kWhite);
  EXPECT_GE(red.top, 270);
  EXPECT_LT(red.right, white.right);
  for (int y = 2; y <= 339; ++y) {
    for (int x = 2; x <= 364; ++x) {
      if (picture.At(x, y) != kWhite && picture.At(x, y) != kRed) continue;
      for (int dy = -4; dy <= 4; ++dy) {
        for (int dx = -4; dx <= 4; ++dx) {
          ASSERT_NE(picture.At(x + dx, y + dy), kBlack) << "text at " << x << "," << y;
        }
      }
    }
  }
}

TEST(PicturesTest, TitleShowsItsPartsInTheirPlacesAndTheMaskHalvesIt) {
  const Image& title = *LoadPicture(110);
  EXPECT_EQ(Colors(title), (std::set<Color>{kBlack, kRed, kDarkRed, kGrey, kDarkGreen, kWhite}));
  // The name in red, with its shadow, fills x 29..418, y 44..121.
  Box name = Where(title, kRed);
  const Box shadow = Where(title, kDarkRed, 0, 130);
  name.Add(shadow.left, shadow.top);
  name.Add(shadow.right, shadow.bottom);
  EXPECT_EQ(name, (Box{29, 44, 418, 121}));
  EXPECT_LT(Where(title, kRed).bottom, 121);  // the shadow lies under the letters
  const Box push = Where(title, kWhite);
  EXPECT_EQ(push.top, 296);
  EXPECT_EQ(push.bottom, 312);
  EXPECT_NEAR((push.left + push.right) / 2, 223, 2);
  EXPECT_GT(Where(title, kGrey).top, 121);
  EXPECT_LT(Where(title, kGrey).bottom, Where(title, kDarkGreen).top);
  // The emblem in dark red sits between the two green words.
  const Box emblem = Where(title, kDarkRed, 160, 290);
  EXPECT_GT(emblem.left, Where(title, kDarkGreen).left + 40);
  EXPECT_LT(emblem.right, Where(title, kDarkGreen).right - 40);

  const Image& mask = *LoadPicture(111);
  EXPECT_EQ(Colors(mask), (std::set<Color>{kBlack, kWhite}));
  int lit = 0, kept = 0;
  for (int y = 0; y < 343; ++y) {
    for (int x = 0; x < 447; ++x) {
      if (mask.At(x, y) == kWhite) {
        ++kept;
        EXPECT_NE(title.At(x, y), kBlack) << "AND would leave black at " << x << "," << y;
        if (x + 1 < 447) {
          EXPECT_NE(mask.At(x + 1, y), kWhite) << x << "," << y;
        }
        if (y + 1 < 343) {
          EXPECT_NE(mask.At(x, y + 1), kWhite) << x << "," << y;
        }
      }
      if (title.At(x, y) != kBlack) ++lit;
    }
  }
  EXPECT_NEAR(double(kept) / lit, 0.5, 0.05);
}

TEST(PicturesTest, BannersShowGreenWordsWithRedInitialsOverTheField) {
  const Image& sheet = *LoadPicture(120);
  const Image& mask = *LoadPicture(121);
  EXPECT_EQ(Colors(sheet), (std::set<Color>{kBlack, kGreen, kRed}));
  for (size_t i = 0; i < sheet.pixels.size(); ++i) {
    ASSERT_EQ(mask.pixels[i], sheet.pixels[i] == kBlack ? kWhite : kBlack) << i;
  }
  struct Row {
    int block_top, ink_top, ink_bottom, words;
  };
  for (const Row& row : {Row{0, 8, 60, 2}, Row{71, 79, 131, 2}, Row{141, 150, 202, 2}}) {
    Box ink = Where(sheet, kGreen, row.block_top, row.block_top + 69);
    const Box initials = Where(sheet, kRed, row.block_top, row.block_top + 69);
    ink.Add(initials.left, initials.top);
    ink.Add(initials.right, initials.bottom);
    EXPECT_EQ(ink.top, row.ink_top);
    EXPECT_EQ(ink.bottom, row.ink_bottom);
    // The row starts with a red initial; red columns form one group per word.
    EXPECT_EQ(initials.left, ink.left) << row.block_top;
    int groups = 0;
    bool in_red = false;
    for (int x = 0; x < 367; ++x) {
      bool red = false;
      for (int y = row.ink_top; y <= row.ink_bottom; ++y) red |= sheet.At(x, y) == kRed;
      groups += red && !in_red;
      in_red = red;
    }
    EXPECT_EQ(groups, row.words) << row.block_top;
  }

  // Laid over a field as the game does it (AND the mask, OR the sheet), the
  // stage-clear row shows its letters and leaves the rest of the field as it
  // was; its 70th row lies past the sheet and is not copied.
  Surface field(447, 342), sheet_box(1, 1, Surface::Sizing::kAutoSize),
      mask_box(1, 1, Surface::Sizing::kAutoSize);
  field.FilledBox(0, 0, 446, 341, kBlue);
  sheet_box.AssignPicture(&sheet);
  mask_box.AssignPicture(&mask);
  BitBlt(field, 39, 100, 367, 70, mask_box, 0, 141, RasterOp::kSrcAnd);
  BitBlt(field, 39, 100, 367, 70, sheet_box, 0, 141, RasterOp::kSrcPaint);
  for (int y = 0; y < 342; ++y) {
    for (int x = 0; x < 447; ++x) {
      const bool on_sheet = x >= 39 && x < 406 && y >= 100 && y < 169;
      const Color letter = on_sheet ? sheet.At(x - 39, y - 100 + 141) : kBlack;
      ASSERT_EQ(field.GetPixel(x, y), letter == kBlack ? kBlue : letter) << x << "," << y;
    }
  }
}

TEST(PicturesTest, IconIsAPurpleTileWithARisingWhiteZigZag) {
  for (int size : {32, 16}) {
    const Image& icon = Icon(size);
    ASSERT_EQ(icon.width, size);
    ASSERT_EQ(icon.height, size);
    EXPECT_GT(std::count(icon.pixels.begin(), icon.pixels.end(), kPurple), size * size / 2);
    // The zig-zag's white runs from low on the left to high on the right,
    // with its black shadow below it.
    const Box white = Where(icon, kWhite);
    int left_y = -1, right_y = -1;
    for (int y = 0; y < size; ++y) {
      if (icon.At(white.left, y) == kWhite) left_y = y;
      if (icon.At(white.right, y) == kWhite && right_y < 0) right_y = y;
    }
    EXPECT_GT(left_y, right_y + size / 3) << size;
    int shadowed = 0;
    for (int y = 0; y + 2 < size; ++y) {
      for (int x = 0; x < size; ++x) {
        shadowed +=
            icon.At(x, y) == kWhite && (icon.At(x, y + 1) == kBlack || icon.At(x, y + 2) == kBlack);
      }
    }
    EXPECT_GT(shadowed, size / 2) << size;
    // A dot near each corner, off the tile's purple.
    for (int cx : {0, size - size / 4}) {
      for (int cy : {0, size - size / 4}) {
        int dots = 0;
        for (int y = cy + 1; y < cy + size / 4 - 1; ++y) {
          for (int x = cx + 1; x < cx + size / 4 - 1; ++x) dots += icon.At(x, y) == 0xC0C0C0;
        }
        EXPECT_GT(dots, 0) << size << ": corner " << cx << "," << cy;
      }
    }
  }
}

}  // namespace
}  // namespace marvo
