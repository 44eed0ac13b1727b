#include "resources/pictures.h"

#include <gtest/gtest.h>

#include <set>

#include "generated/game_files.h"
#include "tests/support/golden.h"
#include "ui/field_layout.h"

namespace marvo {
namespace {

// How many pixels of the image `holds(x, y)` is true for.
template <class Predicate>
int Count(const Image& image, Predicate holds) {
  int count = 0;
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) count += holds(x, y);
  }
  return count;
}

// Each picture decodes to the committed PNG file it was embedded from; the
// tests below check only what play relies on.
TEST(PicturesTest, EachNumberDecodesToItsOwnPictureOnceAndNoOtherNumberLoads) {
  for (int n : kPictureNumbers) {
    const Image* picture = LoadPicture(n);
    ASSERT_NE(picture, nullptr) << n;
    EXPECT_TRUE(support::MatchesPng(*picture, "resources/pictures/" + std::to_string(n) + ".png"));
    // The field and the row below it; the banner sheet of three.
    const bool sheet = n == kPictureBannerSheet || n == kPictureBannerMask;
    EXPECT_EQ(std::pair(picture->width, picture->height),
              sheet ? std::pair(kBannerSheetWidth, kBannerSheetHeight)
                    : std::pair(kFieldPictureWidth, kFieldPictureHeight))
        << n;
  }
  for (int n : {0, 100, 108, 112, 122}) EXPECT_EQ(LoadPicture(n), nullptr) << n;
  EXPECT_EQ(LoadPicture(kPictureStage4),
            LoadPicture(kPictureStage4));  // a surface may keep the pointer
  EXPECT_TRUE(support::MatchesPng(Icon(32), "resources/icon-32.png"));
  EXPECT_TRUE(support::MatchesPng(Icon(16), "resources/icon-16.png"));
}

// Play reads colours: blue walls, a yellow star (GameTest.AllTen hears one on
// each), and on the last stage white and red text out of the head's reach.
TEST(PicturesTest, StagesHoldOnlyFieldColoursAndTheLastOnesTextsLieOutOfReach) {
  for (int n : {kPictureStage1, kPictureStage2, kPictureStage3, kPictureStage4, kPictureStage5,
                kPictureStage6, kPictureStage7}) {
    const Image& picture = *LoadPicture(n);
    const auto allowed = n == kPictureStage7 ? std::set{kBlack, kBlue, kYellow, kWhite, kRed}
                                             : std::set{kBlack, kBlue, kYellow};
    EXPECT_EQ(std::set(picture.pixels.begin(), picture.pixels.end()), allowed) << n;
  }
  const Image& picture = *LoadPicture(kPictureStage7);
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

}  // namespace
}  // namespace marvo
