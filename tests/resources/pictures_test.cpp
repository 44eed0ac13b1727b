#include "resources/pictures.h"

#include <gtest/gtest.h>

#include <set>

#include "generated/game_files.h"
#include "tests/support/golden.h"
#include "ui/field_layout.h"

namespace marvo {
namespace {

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
  // Black margins and the black strip from x 365 on; the red and white texts
  // out of reach of the floor: no black within 4 pixels.
  int stray = 0, in_reach = 0;
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      stray += (x < 2 || y < 2 || x >= 365 || y >= 340) && !black(x, y);
      if (picture.At(x, y) != kWhite && picture.At(x, y) != kRed) continue;
      for (int d = 0; d < 81; ++d) in_reach += black(x + d % 9 - 4, y + d / 9 - 4);
    }
  }
  EXPECT_EQ(std::pair(stray, in_reach), std::pair(0, 0));
}

}  // namespace
}  // namespace marvo
