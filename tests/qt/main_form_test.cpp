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
  void Form_Load() override { calls.push_back("Form_Load"); }
  void Form_Unload(int16_t&) override { calls.push_back("Form_Unload"); }
  void Form_KeyDown(int16_t& key, int16_t&) override {
    calls.push_back("Form_KeyDown " + std::to_string(key));
  }
  void picSTAGE_KeyDown(int16_t& key, int16_t&) override {
    calls.push_back("picSTAGE_KeyDown " + std::to_string(key));
  }
  void DemoTimer_Timer() override { calls.push_back("DemoTimer_Timer"); }
  void MMG_Start_Click() override { calls.push_back("MMG_Start_Click"); }
  void MMG_End_Click() override { calls.push_back("MMG_End_Click"); }
  void MMG_BGMU_Click() override { calls.push_back("MMG_BGMU_Click"); }
  void MMG_BGMN_Click() override { calls.push_back("MMG_BGMN_Click"); }
  void MMG_BGMT1_Click() override { calls.push_back("MMG_BGMT1_Click"); }
  void MMG_BGMT2_Click() override { calls.push_back("MMG_BGMT2_Click"); }
  void MMH_Help_Click() override { calls.push_back("MMH_Help_Click"); }
  void MMH_Web_Click() override { calls.push_back("MMH_Web_Click"); }
  void MMH_About_Click() override { calls.push_back("MMH_About_Click"); }
  void lblBgmName_Click() override { calls.push_back("lblBgmName_Click"); }

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
  const char* family;  // the installed stand-in
  int pixel_size;
  bool underline;
  Qt::Alignment alignment;
  bool on_field;
  bool visible;
};

TEST_F(MainFormTest, LabelsStandWhereTheLayoutPutsThemInTheirFontsAndColours) {
  const auto centre = Qt::AlignHCenter, left = Qt::AlignLeft;
  const char* gothic = "IPAGothic";
  const LabelRow rows[] = {
      {"lblPoint", {456, 8, 73, 25}, "SCORE", kWhite, gothic, 21, false, centre, false, true},
      {"lblSC", {456, 32, 73, 25}, "000000", kCyan, gothic, 21, false, centre, false, true},
      {"lblRound", {456, 64, 73, 25}, "STAGE", kWhite, gothic, 21, false, centre, false, true},
      {"lblNumber", {456, 88, 73, 25}, "", kCyan, gothic, 21, false, centre, false, true},
      {"lblTimer", {456, 120, 73, 25}, "TURN", kWhite, gothic, 21, false, centre, false, true},
      {"lblBN", {456, 144, 73, 25}, "", kCyan, gothic, 21, false, centre, false, true},
      {"lblBgmName",
       {8, 350, 521, 15},
       "MARVOSTEL Version 1.0.5",
       kButtonFace,
       gothic,
       13,
       false,
       left,
       false,
       true},
      {"lblHSCTitle",
       {8, 80, 433, 41},
       "HALL OF FAME",
       kCyan,
       gothic,
       29,
       true,
       centre,
       true,
       false},
      {"lblHSC1",
       {8, 118, 433, 25},
       "TOP : 000000",
       kWhite,
       gothic,
       24,
       false,
       centre,
       true,
       false},
      {"lblHSC2",
       {8, 152, 433, 25},
       "No2 : 000000",
       kSilver,
       gothic,
       21,
       false,
       centre,
       true,
       false},
      {"lblHSC3",
       {8, 176, 433, 25},
       "No3 : 000000",
       kSilver,
       gothic,
       21,
       false,
       centre,
       true,
       false},
      {"lblHSC4",
       {8, 200, 433, 25},
       "No4 : 000000",
       kSilver,
       gothic,
       21,
       false,
       centre,
       true,
       false},
      {"lblHSC5",
       {8, 224, 433, 25},
       "No5 : 000000",
       kSilver,
       gothic,
       21,
       false,
       centre,
       true,
       false},
      {"lblMsg",
       {7, 96, 433, 73},
       "ALL CLEAR!",
       kRed,
       "Liberation Sans",
       64,
       false,
       centre,
       true,
       false},
      {"lblbonus1",
       {8, 175, 433, 17},
       "All Clear Bonus  +100000",
       kRed,
       gothic,
       16,
       false,
       centre,
       true,
       false},
      {"lblbonus2",
       {8, 199, 433, 17},
       "Perfect Bonus  +50000",
       kRed,
       gothic,
       16,
       false,
       centre,
       true,
       false},
  };
  const QColor button_face = QApplication::palette().color(QPalette::Button);
  for (const LabelRow& row : rows) {
    SCOPED_TRACE(row.name);
    auto* label = Find<QLabel>(row.name);
    if (label == nullptr) continue;
    EXPECT_EQ(label->geometry(), row.rect);
    EXPECT_EQ(label->text().toStdString(), row.text);
    const QColor expected = row.color == kButtonFace ? button_face : QColor(Rgb(row.color));
    EXPECT_EQ(label->palette().color(QPalette::Active, QPalette::WindowText), expected);
    EXPECT_EQ(label->palette().color(QPalette::Disabled, QPalette::WindowText), expected);
    const QFontInfo font(label->font());
    EXPECT_EQ(font.family().toStdString(), row.family);
    EXPECT_EQ(font.pixelSize(), row.pixel_size);
    EXPECT_TRUE(label->font().bold());
    EXPECT_EQ(label->font().underline(), row.underline);
    EXPECT_EQ(label->font().styleStrategy() & QFont::NoAntialias, QFont::NoAntialias);
    EXPECT_EQ(label->alignment() & Qt::AlignHorizontal_Mask, row.alignment);
    EXPECT_FALSE(label->autoFillBackground());
    EXPECT_EQ(label->parentWidget()->objectName(), row.on_field ? "picSTAGE" : "client");
    EXPECT_EQ(label->isVisibleTo(&form), row.visible);
  }
  auto* field = Find("picSTAGE");
  EXPECT_EQ(field->geometry(), QRect(0, 0, 447, 342));
  EXPECT_TRUE(field->isVisible());
  EXPECT_FALSE(field->isEnabled());
  auto* timer = Find<QTimer>("DemoTimer");
  EXPECT_TRUE(timer->isActive());
  EXPECT_EQ(timer->interval(), 10000);
}

// A menu entry as the window should show it; "-" is a separator.
struct Entry {
  std::string name;
  std::string text;
  std::string shortcut = {};
  bool checked = false;
  std::vector<Entry> children = {};
};

void ExpectMenu(const QList<QAction*>& actions, const std::vector<Entry>& expected) {
  ASSERT_EQ(size_t(actions.size()), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    const QAction& action = *actions[qsizetype(i)];
    const Entry& entry = expected[i];
    SCOPED_TRACE(entry.name);
    EXPECT_EQ(action.objectName().toStdString(), entry.name);
    EXPECT_EQ(action.isSeparator(), entry.text == "-");
    if (!action.isSeparator()) {
      EXPECT_EQ(action.text().toStdString(), entry.text);
    }
    EXPECT_EQ(action.shortcut().toString().toStdString(), entry.shortcut);
    EXPECT_EQ(action.isChecked(), entry.checked);
    EXPECT_TRUE(action.isEnabled());
    // A check mark of its own, not one of a group's radio dots.
    EXPECT_EQ(action.actionGroup(), nullptr);
    EXPECT_EQ(action.menu() != nullptr, !entry.children.empty());
    if (action.menu() != nullptr) ExpectMenu(action.menu()->actions(), entry.children);
  }
}

TEST_F(MainFormTest, MenuBarHasTheCaptionsShortcutsAndMarksOfTheLayout) {
  const std::vector<Entry> menus = {
      {"MM_Game",
       "ｹﾞｰﾑ(&G)",
       "",
       false,
       {{"MMG_Start", "ｹﾞｰﾑ開始(&S)", "F2"}, {"Sep00", "-"}, {"MMG_End", "終了(&X)"}}},
      {"MM_Setting",
       "設定(&S)",
       "",
       false,
       {{"MMS_BGM",
         "BGM 有無",
         "",
         false,
         {{"MMG_BGMU", "BGM有り", "", true}, {"MMG_BGMN", "BGM無し"}}},
        {"Sep03", "-"},
        {"MMS_BGM2",
         "曲目変更",
         "",
         false,
         {{"MMG_BGMT1", "TIDAL ARCADE", "", true}, {"MMG_BGMT2", "UNDERTOW"}}}}},
      {"MM_Help",
       "ﾍﾙﾌﾟ(&H)",
       "",
       false,
       {{"MMH_Help", "MARVOSTEL ﾍﾙﾌﾟ(&H)..."},
        {"MMH_Web", "公式ｻﾎﾟｰﾄﾍﾟｰｼﾞ(&W)..."},
        {"Sep01", "-"},
        {"MMH_About", "ﾊﾞｰｼﾞｮﾝ情報(&A)..."}}},
  };
  ExpectMenu(form.menuBar()->actions(), menus);
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
