#include "ui/about_form.h"

#include <utility>

#include "generated/version.h"

namespace marvo {

namespace {

FontSpec Arial(double points, bool bold = false, bool underline = false) {
  return {"Arial", points, bold, underline};
}

// A line of the staff roll: the strip's whole width, centred.
Label Credit(std::string name, int y, int height, std::string caption, Color color, FontSpec font) {
  return MakeLabel(std::move(name), {0, y, 297, height}, std::move(caption), color, std::move(font),
                   Alignment::kCenter);
}

}  // namespace

AboutFormModel::AboutFormModel()
    : imgEmblem{"imgEmblem",
                {8, 8, 32, 32},
                "クリックすることでスタッフロールを見る事が出来ます。",
                true},
      lblK26_1(MakeLabel("lblK26_1", {45, -5, 121, 65}, "MV", kDarkRed, Arial(48, true),
                         Alignment::kCenter)),
      lblK26_2(MakeLabel("lblK26_2", {44, -8, 113, 65}, "MV", kRed, Arial(48, true),
                         Alignment::kCenter)),
      lblTitle1(MakeLabel("lblTitle1", {168, 8, 137, 17}, "Team QUORVEL", kWhite,
                          Arial(9, true, true), Alignment::kLeft)),
      lblTitle2(MakeLabel("lblTitle2", {168, 23, 137, 17}, "Applications", kWhite,
                          Arial(9, true, true), Alignment::kRight)),
      lblVersion(MakeLabel("lblVersion", {168, 41, 137, 17}, "Version " MARVO_VERSION, kWhite,
                           Arial(9, true), Alignment::kCenter)),
      picScroll1{"picScroll1", {8, 64, 297, 89}},
      picScroll2{"picScroll2", {0, 0, 297, 409}},
      cmdOK{"cmdOK",
            {256, 168, 49, 25},
            "OK",
            {"ＭＳ ゴシック", 9, false, false},
            "ﾊﾞｰｼﾞｮﾝ情報を閉じる",
            true},
      ScrollTimer{"ScrollTimer", 1, false} {
  // The first 89 rows show the name and the copyright notice; the roll ends
  // on "Powered By" and the makers' name.
  credits = {
      Credit("lbl_1", 8, 33, "MARVOSTEL", kRed, Arial(21.75, true)),
      Credit("lbl_2", 48, 17, "Copyright (C) 2026 Team QUORVEL", kWhite, Arial(9)),
      Credit("lbl_3", 64, 17, "All Rights Reserved.", kWhite, Arial(9)),
      Credit("lbl_4", 104, 25, "Project Staff", kWhite, Arial(12, true, true)),
      Credit("lbl_5", 136, 17, "Basic Planning", kRed, Arial(9.75)),
      Credit("lbl_6", 152, 17, "Team QUORVEL", kWhite, Arial(9.75)),
      Credit("lbl_7", 176, 17, "Game Design", kRed, Arial(9.75)),
      Credit("lbl_8", 192, 17, "Kiro Vantel", kWhite, Arial(9.75)),
      Credit("lbl_14", 216, 17, "Music Composed", kRed, Arial(9.75)),
      Credit("lbl_15", 232, 17, "Kiro Vantel", kWhite, Arial(9.75)),
      Credit("lbl_17", 264, 17, "Special Thanks", kRed, Arial(9.75)),
      Credit("lbl_16", 280, 17, "Tomo Haskel", kWhite, Arial(9.75)),
      Credit("lbl_32", 312, 17, "Powered By", kWhite, Arial(9.75, true)),
      Credit("lbl_33", 328, 57, "QUORVEL", kDarkGreen, Arial(36, true)),
  };
  // The shadow first, so the red name lies over it.
  labels = {&lblK26_1, &lblK26_2, &lblTitle1, &lblTitle2, &lblVersion};
}

}  // namespace marvo
