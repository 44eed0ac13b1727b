#include "qt/main_form.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <string>
#include <vector>

namespace marvo {
namespace {

// Writes down every handler the window reaches, keys with their codes.
class RecordingEvents final : public MainFormEvents {
 public:
#define RECORD(handler) \
  void handler() override { calls.push_back(#handler); }
  RECORD(Form_Load)
  RECORD(DemoTimer_Timer)
  RECORD(MMG_Start_Click)
  RECORD(MMG_End_Click)
  RECORD(MMG_BGMU_Click)
  RECORD(MMG_BGMN_Click)
  RECORD(MMG_BGMT1_Click)
  RECORD(MMG_BGMT2_Click)
  RECORD(MMH_Help_Click)
  RECORD(MMH_Web_Click)
  RECORD(MMH_About_Click)
  RECORD(lblBgmName_Click)
#undef RECORD
  void Form_Unload(int16_t&) override { calls.push_back("Form_Unload"); }
  void Form_KeyDown(int16_t& key, int16_t&) override {
    calls.push_back("Form_KeyDown " + std::to_string(key));
  }
  void picSTAGE_KeyDown(int16_t& key, int16_t&) override {
    calls.push_back("picSTAGE_KeyDown " + std::to_string(key));
  }

  // The calls since the last look.
  std::vector<std::string> Take() { return std::exchange(calls, {}); }
  std::vector<std::string> calls;
};

using Calls = std::vector<std::string>;

QRgb Rgb(Color c) { return qRgb(RedOf(c), GreenOf(c), BlueOf(c)); }

class MainFormTest : public ::testing::Test {
 protected:
  MainFormTest() : form(model, events) {
    form.Load();
    EXPECT_EQ(events.Take(), Calls{"Form_Load"});
    form.ShowCentered();
    form.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
    events.Take();
  }

  template <class T = QWidget>
  T* Find(const char* name) {
    T* found = form.findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  QImage Client() { return form.centralWidget()->grab().toImage(); }

  MainFormModel model;
  RecordingEvents events;
  MainForm form;
};

TEST_F(MainFormTest, WindowHasItsCaptionFixedSizeClientAreaAndFrames) {
  EXPECT_EQ(form.windowTitle(), "MARVOSTEL");
  const QList<QSize> icon_sizes = form.windowIcon().availableSizes();
  EXPECT_TRUE(icon_sizes.contains(QSize(16, 16)));
  EXPECT_TRUE(icon_sizes.contains(QSize(32, 32)));
  const int menu_height = form.menuBar()->height();
  EXPECT_GT(menu_height, 10);
  EXPECT_EQ(form.centralWidget()->geometry(), QRect(0, menu_height, 539, 372));
  EXPECT_EQ(form.size(), QSize(539, 372 + menu_height));
  EXPECT_EQ(form.minimumSize(), form.maximumSize());
  const QPoint screen_centre = form.screen()->availableGeometry().center();
  // Odd sizes put the centre half a pixel off on each axis.
  EXPECT_LE((form.geometry().center() - screen_centre).manhattanLength(), 2);

  const QImage client = Client();
  const QRgb white = qRgb(255, 255, 255), black = qRgb(0, 0, 0);
  // The read-out panel's frame: Line1 to Line4, both ends drawn.
  for (int y : {2, 170, 339}) {
    EXPECT_EQ(client.pixel(449, y), white) << y;
    EXPECT_EQ(client.pixel(536, y), white) << y;
  }
  for (int x : {449, 500, 536}) EXPECT_EQ(client.pixel(x, 2), white) << x;
  for (int x : {449, 500, 537}) EXPECT_EQ(client.pixel(x, 340), white) << x;
  for (auto [x, y] : {std::pair{448, 2}, {450, 3}, {538, 340}, {535, 200}}) {
    EXPECT_EQ(client.pixel(x, y), black) << x << "," << y;
  }
  // The caption strip's frame covers exactly (2, 344) to (536, 368).
  for (auto [x, y] : {std::pair{2, 344}, {536, 344}, {2, 368}, {536, 368}, {300, 368}}) {
    EXPECT_EQ(client.pixel(x, y), white) << x << "," << y;
  }
  for (auto [x, y] : {std::pair{3, 345}, {537, 344}, {2, 369}, {538, 371}}) {
    EXPECT_EQ(client.pixel(x, y), black) << x << "," << y;
  }
}

struct LabelRow {
  const char* name;
  QRect rect;
  const char* text;
  Color color;
  const char* font;  // the installed stand-in, pixel size, underline
};

void ExpectLabel(QLabel* label, const LabelRow& row) {
  SCOPED_TRACE(row.name);
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->geometry(), row.rect);
  EXPECT_EQ(label->text().toStdString(), row.text);
  const QColor expected = row.color == kButtonFace ? QApplication::palette().color(QPalette::Button)
                                                   : QColor(Rgb(row.color));
  EXPECT_EQ(label->palette().color(QPalette::Active, QPalette::WindowText), expected);
  EXPECT_EQ(label->palette().color(QPalette::Disabled, QPalette::WindowText), expected);
  const QFontInfo font(label->font());
  const QString shown = QString("%1 %2%3")
                            .arg(font.family())
                            .arg(font.pixelSize())
                            .arg(font.underline() ? " underlined" : "");
  EXPECT_EQ(shown.toStdString(), row.font);
  EXPECT_TRUE(font.bold());
  EXPECT_EQ(label->font().styleStrategy() & QFont::NoAntialias, QFont::NoAntialias);
  EXPECT_FALSE(label->autoFillBackground());
}

TEST_F(MainFormTest, LabelsStandWhereTheLayoutPutsThemInTheirFontsAndColours) {
  const LabelRow panel[] = {
      {"lblPoint", {456, 8, 73, 25}, "SCORE", kWhite, "IPAGothic 21"},
      {"lblSC", {456, 32, 73, 25}, "000000", kCyan, "IPAGothic 21"},
      {"lblRound", {456, 64, 73, 25}, "STAGE", kWhite, "IPAGothic 21"},
      {"lblNumber", {456, 88, 73, 25}, "", kCyan, "IPAGothic 21"},
      {"lblTimer", {456, 120, 73, 25}, "TURN", kWhite, "IPAGothic 21"},
      {"lblBN", {456, 144, 73, 25}, "", kCyan, "IPAGothic 21"},
  };
  for (const LabelRow& row : panel) {
    auto* label = Find<QLabel>(row.name);
    ExpectLabel(label, row);
    EXPECT_EQ(label->parentWidget()->objectName(), "client");
    EXPECT_EQ(label->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_TRUE(label->isVisible());
  }
  auto* strip = Find<QLabel>("lblBgmName");
  ExpectLabel(
      strip,
      {"lblBgmName", {8, 350, 521, 15}, "MARVOSTEL Version 1.0.5", kButtonFace, "IPAGothic 13"});
  EXPECT_EQ(strip->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
  EXPECT_TRUE(strip->isVisible());

  const LabelRow over_field[] = {
      {"lblHSCTitle", {8, 80, 433, 41}, "HALL OF FAME", kCyan, "IPAGothic 29 underlined"},
      {"lblHSC1", {8, 118, 433, 25}, "TOP : 000000", kWhite, "IPAGothic 24"},
      {"lblHSC2", {8, 152, 433, 25}, "No2 : 000000", kSilver, "IPAGothic 21"},
      {"lblHSC3", {8, 176, 433, 25}, "No3 : 000000", kSilver, "IPAGothic 21"},
      {"lblHSC4", {8, 200, 433, 25}, "No4 : 000000", kSilver, "IPAGothic 21"},
      {"lblHSC5", {8, 224, 433, 25}, "No5 : 000000", kSilver, "IPAGothic 21"},
      {"lblMsg", {7, 96, 433, 73}, "ALL CLEAR!", kRed, "Liberation Sans 64"},
      {"lblbonus1", {8, 175, 433, 17}, "All Clear Bonus  +100000", kRed, "IPAGothic 16"},
      {"lblbonus2", {8, 199, 433, 17}, "Perfect Bonus  +50000", kRed, "IPAGothic 16"},
  };
  for (const LabelRow& row : over_field) {
    auto* label = Find<QLabel>(row.name);
    ExpectLabel(label, row);
    EXPECT_EQ(label->parentWidget()->objectName(), "picSTAGE");
    EXPECT_EQ(label->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_FALSE(label->isVisibleTo(&form));
  }

  auto* field = Find("picSTAGE");
  EXPECT_EQ(field->geometry(), QRect(0, 0, 447, 342));
  EXPECT_TRUE(field->isVisible());
  EXPECT_FALSE(field->isEnabled());
  auto* timer = Find<QTimer>("DemoTimer");
  EXPECT_TRUE(timer->isActive());
  EXPECT_EQ(timer->interval(), 10000);
}

// The menu bar as an outline, one line per entry, indented by level: name,
// caption ("-" for a separator), shortcut and state.
void Outline(const QList<QAction*>& actions, int depth, std::vector<std::string>& lines) {
  for (const QAction* action : actions) {
    std::string line = std::string(size_t(2 * depth), ' ') + action->objectName().toStdString();
    line += " " + (action->isSeparator() ? std::string("-") : action->text().toStdString());
    if (!action->shortcut().isEmpty())
      line += " [" + action->shortcut().toString().toStdString() + "]";
    if (action->isChecked()) line += " checked";
    if (!action->isEnabled()) line += " disabled";
    // Check marks of their own, not a group's radio dots.
    if (action->actionGroup() != nullptr) line += " grouped";
    lines.push_back(line);
    if (action->menu() != nullptr) Outline(action->menu()->actions(), depth + 1, lines);
  }
}

TEST_F(MainFormTest, MenuBarHasTheCaptionsShortcutsAndMarksOfTheLayout) {
  std::vector<std::string> outline;
  Outline(form.menuBar()->actions(), 0, outline);
  const std::vector<std::string> expected = {
      "MM_Game ｹﾞｰﾑ(&G)",
      "  MMG_Start ｹﾞｰﾑ開始(&S) [F2]",
      "  Sep00 -",
      "  MMG_End 終了(&X)",
      "MM_Setting 設定(&S)",
      "  MMS_BGM BGM 有無",
      "    MMG_BGMU BGM有り checked",
      "    MMG_BGMN BGM無し",
      "  Sep03 -",
      "  MMS_BGM2 曲目変更",
      "    MMG_BGMT1 TIDAL ARCADE checked",
      "    MMG_BGMT2 UNDERTOW",
      "MM_Help ﾍﾙﾌﾟ(&H)",
      "  MMH_Help MARVOSTEL ﾍﾙﾌﾟ(&H)...",
      "  MMH_Web 公式ｻﾎﾟｰﾄﾍﾟｰｼﾞ(&W)...",
      "  Sep01 -",
      "  MMH_About ﾊﾞｰｼﾞｮﾝ情報(&A)...",
  };
  EXPECT_EQ(outline, expected);
}

TEST_F(MainFormTest, EveryCaptionHasItsGlyphsInTheStandInFonts) {
  std::vector<std::pair<QFont, QString>> texts;
  for (QLabel* label : form.findChildren<QLabel*>())
    texts.emplace_back(label->font(), label->text());
  for (QMenu* menu : form.findChildren<QMenu*>()) {
    texts.emplace_back(form.menuBar()->font(), menu->title());
    for (QAction* action : menu->actions()) texts.emplace_back(menu->font(), action->text());
  }
  ASSERT_GT(texts.size(), 30u);
  for (const auto& [font, text] : texts) {
    const QFontMetrics metrics(font);
    for (char32_t c : text.toUcs4()) {
      EXPECT_TRUE(metrics.inFontUcs4(c)) << text.toStdString() << ": U+" << std::hex << uint32_t(c)
                                         << " in " << QFontInfo(font).family().toStdString();
    }
  }
}

TEST_F(MainFormTest, MenuCommandsShortcutKeysAndTheStripReachTheirHandlers) {
  const char* commands[] = {"MMG_Start", "MMG_End",  "MMG_BGMU", "MMG_BGMN", "MMG_BGMT1",
                            "MMG_BGMT2", "MMH_Help", "MMH_Web",  "MMH_About"};
  for (const char* name : commands) {
    Find<QAction>(name)->trigger();
    EXPECT_EQ(events.Take(), Calls{std::string(name) + "_Click"});
  }

  // In the title state the field is disabled: keys reach the window's handler,
  // and F2 is the start command's shortcut.
  QTest::keyClick(&form, Qt::Key_F2);
  QTest::keyClick(&form, Qt::Key_Return);
  QTest::keyClick(&form, Qt::Key_Space);
  EXPECT_EQ(events.Take(), (Calls{"MMG_Start_Click", "Form_KeyDown 13", "Form_KeyDown 32"}));

  // A disabled start command takes no F2; the key itself goes to the window.
  model.MMG_Start.enabled = false;
  form.Mirror();
  QTest::keyClick(&form, Qt::Key_F2);
  EXPECT_EQ(events.Take(), Calls{"Form_KeyDown 113"});

  // An enabled field takes the keyboard, until it is disabled again.
  model.picSTAGE.enabled = true;
  form.Mirror();
  QWidget* field = Find("picSTAGE");
  EXPECT_EQ(QApplication::focusWidget(), field);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
  EXPECT_EQ(events.Take(), Calls{"picSTAGE_KeyDown 32"});
  model.picSTAGE.enabled = false;
  form.Mirror();
  EXPECT_NE(QApplication::focusWidget(), field);
  QTest::keyClick(&form, Qt::Key_Space);
  EXPECT_EQ(events.Take(), Calls{"Form_KeyDown 32"});

  QTest::mouseClick(Find("lblBgmName"), Qt::LeftButton);
  QTest::mouseClick(Find("lblSC"), Qt::LeftButton);
  EXPECT_EQ(events.Take(), Calls{"lblBgmName_Click"});

  form.close();
  EXPECT_EQ(events.Take(), Calls{"Form_Unload"});
}

TEST_F(MainFormTest, TimerFiresItsHandlerWhileEnabled) {
  auto* timer = Find<QTimer>("DemoTimer");
  model.DemoTimer.interval_ms = 5;
  form.Mirror();
  EXPECT_EQ(timer->interval(), 5);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !events.calls.empty(); }, 5000));
  EXPECT_EQ(events.calls.front(), "DemoTimer_Timer");
  model.DemoTimer.enabled = false;
  form.Mirror();
  EXPECT_FALSE(timer->isActive());
}

TEST_F(MainFormTest, ModelChangesReachTheWidgets) {
  model.lblSC.caption = "1234567";
  model.lblBN.fore_color = kRed;
  model.lblHSC1.visible = true;
  model.MMG_BGMU.checked = false;
  model.MMG_BGMN.checked = true;
  model.MM_Setting.enabled = false;
  model.MMG_BGMT2.enabled = false;
  form.Mirror();
  auto* score = Find<QLabel>("lblSC");
  EXPECT_EQ(score->text(), "1234567");
  // Every digit shows: the read-out spills evenly over its edges.
  EXPECT_GE(score->width(), QFontMetrics(score->font()).horizontalAdvance("1234567"));
  EXPECT_LE(std::abs(score->geometry().center().x() - QRect(456, 32, 73, 25).center().x()), 1);
  EXPECT_EQ(Find<QLabel>("lblBN")->palette().color(QPalette::WindowText), QColor(Qt::red));
  EXPECT_TRUE(Find<QLabel>("lblHSC1")->isVisible());
  EXPECT_FALSE(Find<QAction>("MMG_BGMU")->isChecked());
  EXPECT_TRUE(Find<QAction>("MMG_BGMN")->isChecked());
  EXPECT_FALSE(Find<QAction>("MM_Setting")->isEnabled());
  EXPECT_FALSE(Find<QAction>("MMG_BGMT2")->isEnabled());

  // A click on a marked entry does not take its mark away: the handler decides.
  Find<QAction>("MMG_BGMN")->trigger();
  EXPECT_TRUE(Find<QAction>("MMG_BGMN")->isChecked());

  // The About window disables this one; its read-outs look the same meanwhile.
  const QImage enabled_look = Client();
  model.enabled = false;
  form.Mirror();
  EXPECT_FALSE(form.isEnabled());
  EXPECT_EQ(Client(), enabled_look);
}

TEST_F(MainFormTest, HoldersStayHiddenWithPicturesInThem) {
  const Image picture(30, 20, kBlue);
  for (PictureBox* holder : model.holders) holder->surface.AssignPicture(&picture);
  form.Mirror();
  for (PictureBox* holder : model.holders) {
    EXPECT_FALSE(Find(holder->name.c_str())->isVisibleTo(&form)) << holder->name;
  }
  EXPECT_EQ(Find("picCG1")->size(), QSize(30, 20));
  const QImage client = Client();
  for (auto [x, y] : {std::pair{460, 315}, {460, 291}, {460, 267}}) {
    EXPECT_EQ(client.pixel(x, y), qRgb(0, 0, 0)) << x << "," << y;
  }
}

TEST_F(MainFormTest, FieldIsDrawnInWholeBlocksOnAHighDensityScreen) {
  model.picSTAGE.surface.Point(10, 10, kYellow);
  form.Mirror();
  QImage shown(447 * 2, 342 * 2, QImage::Format_RGB32);
  shown.setDevicePixelRatio(2);
  shown.fill(Qt::black);
  Find("picSTAGE")->render(&shown);
  for (auto [x, y] : {std::pair{20, 20}, {21, 20}, {20, 21}, {21, 21}}) {
    EXPECT_EQ(shown.pixel(x, y), Rgb(kYellow)) << x << "," << y;
  }
  for (auto [x, y] : {std::pair{19, 20}, {22, 21}, {21, 22}}) {
    EXPECT_EQ(shown.pixel(x, y), qRgb(0, 0, 0)) << x << "," << y;
  }
  EXPECT_EQ(model.picSTAGE.surface.GetPixel(10, 10), kYellow);
}

}  // namespace
}  // namespace marvo
