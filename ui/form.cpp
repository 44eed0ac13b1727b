#include "ui/form.h"

#include <utility>

#include "ui/bonuses.h"
#include "ui/field_layout.h"
#include "ui/tracks.h"

namespace marvo {

namespace {

FontSpec Gothic(double points, bool bold = true, bool underline = false) {
  return {"ＭＳ ゴシック", points, bold, underline};
}

// Hall-of-fame, message and bonus lines over the field: centred, 433 wide, hidden.
Label FieldLabel(std::string name, int x, int y, int height, std::string caption, Color color,
                 FontSpec font) {
  return MakeLabel(std::move(name), {x, y, 433, height}, std::move(caption), color, std::move(font),
                   Alignment::kCenter, false);
}

MenuItem Item(std::string name, std::string caption, std::string shortcut = {}) {
  MenuItem item;
  item.name = std::move(name);
  item.caption = std::move(caption);
  item.shortcut = std::move(shortcut);
  return item;
}

MenuItem Separator(std::string name) {
  MenuItem item = Item(std::move(name), "-");
  item.separator = true;
  return item;
}

Line MakeLine(std::string name, int x1, int y1, int x2, int y2) {
  return {std::move(name), x1, y1, x2, y2, kWhite, true};
}

}  // namespace

Label MakeLabel(std::string name, Rect rect, std::string caption, Color color, FontSpec font,
                Alignment alignment, bool visible) {
  return {std::move(name), rect, std::move(caption), color, std::move(font), alignment, visible};
}

PictureBox::PictureBox(std::string name, Rect rect, Surface::Sizing sizing, bool visible)
    : name(std::move(name)),
      rect(rect),
      surface(rect.width, rect.height, sizing),
      visible(visible) {}

MainFormModel::MainFormModel()
    : font(Gothic(9.75, false)),
      picSTAGE("picSTAGE", {0, 0, kFieldWidth, kFieldHeight}, Surface::Sizing::kFixed, true),
      lblPoint(MakeLabel("lblPoint", {456, 8, 73, 25}, "SCORE", kWhite, Gothic(15.75))),
      lblSC(MakeLabel("lblSC", {456, 32, 73, 25}, "000000", kCyan, Gothic(15.75))),
      lblRound(MakeLabel("lblRound", {456, 64, 73, 25}, "STAGE", kWhite, Gothic(15.75))),
      lblNumber(MakeLabel("lblNumber", {456, 88, 73, 25}, "", kCyan, Gothic(15.75))),
      lblTimer(MakeLabel("lblTimer", {456, 120, 73, 25}, "TURN", kWhite, Gothic(15.75))),
      lblBN(MakeLabel("lblBN", {456, 144, 73, 25}, "", kCyan, Gothic(15.75))),
      Line1(MakeLine("Line1", 449, 2, 449, 339)),
      Line2(MakeLine("Line2", 449, 2, 536, 2)),
      Line3(MakeLine("Line3", 449, 340, 537, 340)),
      Line4(MakeLine("Line4", 536, 2, 536, 339)),
      Shape1{"Shape1", {2, 344, 535, 25}, kWhite, true},
      lblBgmName(MakeLabel("lblBgmName", {8, 350, 521, 15}, kTitleCaption, kButtonFace,
                           Gothic(9.75), Alignment::kLeft)),
      picCG1("picCG1", {456, 312, 17, 17}, Surface::Sizing::kAutoSize, false),
      picCG2("picCG2", {456, 288, 17, 17}, Surface::Sizing::kAutoSize, false),
      picCG3("picCG3", {456, 264, 17, 17}, Surface::Sizing::kAutoSize, false),
      picCG4("picCG4", {0, 376, kFieldCopyWidth, kFieldCopyHeight}, Surface::Sizing::kFixed, false),
      DemoTimer{"DemoTimer", 10000, true},
      lblHSCTitle(
          FieldLabel("lblHSCTitle", 8, 80, 41, "HALL OF FAME", kCyan, Gothic(21.75, true, true))),
      lblHSC1(FieldLabel("lblHSC1", 8, 118, 25, "TOP : 000000", kWhite, Gothic(18))),
      lblHSC2(FieldLabel("lblHSC2", 8, 152, 25, "No2 : 000000", kSilver, Gothic(15.75))),
      lblHSC3(FieldLabel("lblHSC3", 8, 176, 25, "No3 : 000000", kSilver, Gothic(15.75))),
      lblHSC4(FieldLabel("lblHSC4", 8, 200, 25, "No4 : 000000", kSilver, Gothic(15.75))),
      lblHSC5(FieldLabel("lblHSC5", 8, 224, 25, "No5 : 000000", kSilver, Gothic(15.75))),
      lblMsg(FieldLabel("lblMsg", 7, 96, 73, "ALL CLEAR!", kRed, {"Arial", 48, true, false})),
      lblbonus1(FieldLabel("lblbonus1", 8, 175, 17, BonusCaption("All Clear Bonus", kAllClearBonus),
                           kRed, Gothic(12))),
      lblbonus2(FieldLabel("lblbonus2", 8, 199, 17, BonusCaption("Perfect Bonus", kPerfectBonus),
                           kRed, Gothic(12))),
      MM_Game(Item("MM_Game", "ｹﾞｰﾑ(&G)")),
      MMG_Start(Item("MMG_Start", "ｹﾞｰﾑ開始(&S)", "F2")),
      MMG_Pause(Item("MMG_Pause", "ﾎﾟｰｽﾞ(&P)", "P")),
      MMG_Watch(Item("MMG_Watch", "ﾍﾞｽﾄﾌﾟﾚｲ再生(&R)")),
      Sep00(Separator("Sep00")),
      MMG_End(Item("MMG_End", "終了(&X)", "Ctrl+Q")),
      MM_Setting(Item("MM_Setting", "設定(&S)")),
      MMS_BGM(Item("MMS_BGM", "BGM 有無")),
      MMG_BGMU(Item("MMG_BGMU", "BGM有り")),
      MMG_BGMN(Item("MMG_BGMN", "BGM無し")),
      Sep03(Separator("Sep03")),
      MMS_BGM2(Item("MMS_BGM2", "曲目変更")),
      MMG_BGMT1(Item("MMG_BGMT1", TrackTitle(1))),
      MMG_BGMT2(Item("MMG_BGMT2", TrackTitle(2))),
      Sep04(Separator("Sep04")),
      MMS_Display(Item("MMS_Display", "表示(&D)")),
      MMD_ZoomIn(Item("MMD_ZoomIn", "拡大(&I)", "Ctrl++")),
      MMD_ZoomOut(Item("MMD_ZoomOut", "縮小(&O)", "Ctrl+-")),
      MMD_ActualSize(Item("MMD_ActualSize", "等倍(&A)", "Ctrl+0")),
      MMD_FullScreen(Item("MMD_FullScreen", "全画面表示(&F)", "F11")),
      MMS_OneButton(Item("MMS_OneButton", "ﾜﾝﾎﾞﾀﾝｽﾀｰﾄ(&B)")),
      MMS_HeldOnce(Item("MMS_HeldOnce", "長押しは1回だけ回転(&H)")),
      MMS_Speed(Item("MMS_Speed", "ｽﾋﾟｰﾄﾞ(&P)")),
      MMP_100(Item("MMP_100", "100%(&1)")),
      MMP_75(Item("MMP_75", "75%(&7)")),
      MMP_50(Item("MMP_50", "50%(&5)")),
      MMS_FocusPause(Item("MMS_FocusPause", "ﾌｫｰｶｽを失ったらﾎﾟｰｽﾞ(&L)")),
      MMS_BestRun(Item("MMS_BestRun", "ｹﾞｰﾑの合間にﾍﾞｽﾄﾌﾟﾚｲを表示(&W)")),
      MM_Help(Item("MM_Help", "ﾍﾙﾌﾟ(&H)")),
      MMH_Help(Item("MMH_Help", "MARVOSTEL ﾍﾙﾌﾟ(&H)...", "F1")),
      MMH_Web(Item("MMH_Web", "公式ｻﾎﾟｰﾄﾍﾟｰｼﾞ(&W)...")),
      Sep01(Separator("Sep01")),
      MMH_About(Item("MMH_About", "ﾊﾞｰｼﾞｮﾝ情報(&A)...")) {
  // The field: silver text in bold gothic, red fills (the goal), no keyboard yet.
  picSTAGE.surface.fore_color = kSilver;
  picSTAGE.surface.fill_color = kRed;
  picSTAGE.surface.font = Gothic(9.75);
  picSTAGE.enabled = false;

  MMG_BGMU.checked = true;
  MMG_BGMT1.checked = true;
  MMP_100.checked = true;
  // Only a game can be paused.
  MMG_Pause.enabled = false;
  for (MenuItem* item : {&MMD_ZoomIn, &MMD_ZoomOut, &MMD_ActualSize, &MMD_FullScreen})
    item->shortcut_shown_only = true;

  // Watching waits for a best run to be found.
  MMG_Watch.enabled = false;
  MM_Game.children = {&MMG_Start, &MMG_Pause, &MMG_Watch, &Sep00, &MMG_End};
  MMS_BGM.children = {&MMG_BGMU, &MMG_BGMN};
  MMS_BGM2.children = {&MMG_BGMT1, &MMG_BGMT2};
  MMS_Display.children = {&MMD_ZoomIn, &MMD_ZoomOut, &MMD_ActualSize, &MMD_FullScreen};
  MMS_Speed.children = {&MMP_100, &MMP_75, &MMP_50};
  MM_Setting.children = {&MMS_BGM,       &Sep03,        &MMS_BGM2,  &Sep04,          &MMS_Display,
                         &MMS_OneButton, &MMS_HeldOnce, &MMS_Speed, &MMS_FocusPause, &MMS_BestRun};
  MM_Help.children = {&MMH_Help, &MMH_Web, &Sep01, &MMH_About};
  menu_bar = {&MM_Game, &MM_Setting, &MM_Help};

  window_labels = {&lblPoint, &lblSC, &lblRound, &lblNumber, &lblTimer, &lblBN, &lblBgmName};
  field_labels = {&lblHSCTitle, &lblHSC1, &lblHSC2,   &lblHSC3,  &lblHSC4,
                  &lblHSC5,     &lblMsg,  &lblbonus1, &lblbonus2};
  lines = {&Line1, &Line2, &Line3, &Line4};
  holders = {&picCG1, &picCG2, &picCG3, &picCG4};
}

}  // namespace marvo
