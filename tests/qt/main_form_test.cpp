#include "qt/main_form.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>
#include <QTranslator>
#include <cmath>
#include <string>
#include <tuple>
#include <vector>

#include "ui/keys.h"

namespace marvo {
namespace {

using Calls = std::vector<std::string>;

// Writes down every handler the window reaches, keys with their codes.
class RecordingEvents final : public MainFormEvents {
 public:
  void Form_Load() override { calls.push_back(__func__); }
  void Form_Unload(int16_t&) override { calls.push_back(__func__); }
  void Form_KeyDown(int16_t& key, int16_t&) override { Key(__func__, key); }
  void picSTAGE_KeyDown(int16_t& key, int16_t&) override { Key(__func__, key); }
  void DemoTimer_Timer() override { calls.push_back(__func__); }
  void MMG_Start_Click() override { calls.push_back(__func__); }
  void MMG_Watch_Click() override { calls.push_back(__func__); }
  void MMG_End_Click() override { calls.push_back(__func__); }
  void MMG_BGMU_Click() override { calls.push_back(__func__); }
  void MMG_BGMN_Click() override { calls.push_back(__func__); }
  void MMG_BGMT1_Click() override { calls.push_back(__func__); }
  void MMG_BGMT2_Click() override { calls.push_back(__func__); }
  void MMH_Help_Click() override { calls.push_back(__func__); }
  void MMH_Web_Click() override { calls.push_back(__func__); }
  void MMH_About_Click() override { calls.push_back(__func__); }
  void lblBgmName_Click() override { calls.push_back(__func__); }
  void Form_KeyRepeat(int16_t& key, int16_t&) override { Key(__func__, key); }
  void picSTAGE_KeyRepeat(int16_t& key, int16_t&) override { Key(__func__, key); }
  void MMG_Pause_Click() override { calls.push_back(__func__); }
  void Key(std::string handler, int key) { calls.push_back(handler + " " + std::to_string(key)); }
  Calls Take() { return std::exchange(calls, {}); }
  Calls calls;
};

// True when the font has a glyph for every character: no empty boxes.
bool Drawable(const QFont& font, const QString& text) {
  for (char32_t c : text.toUcs4()) {
    if (!QFontMetrics(font).inFontUcs4(c)) return false;
  }
  return true;
}

// A menu on one line: captions ("-" a separator; flagged when the menu's font
// lacks a glyph), shortcuts, marks and states, submenus in braces.
std::string Outline(const QList<QAction*>& actions, const QFont& font) {
  std::string out;
  for (const QAction* action : actions) {
    if (!out.empty()) out += " | ";
    out += action->isSeparator() ? "-" : action->text().toStdString();
    if (!Drawable(font, action->text())) out += " (missing glyphs)";
    if (!action->shortcut().isEmpty())
      out += " [" + action->shortcut().toString().toStdString() + "]";
    if (action->isChecked()) out += " ✓";
    if (!action->isEnabled()) out += " (off)";
    if (action->actionGroup() != nullptr) out += " (radio)";  // not a check mark of its own
    if (const QMenu* menu = action->menu())
      out += " {" + Outline(menu->actions(), menu->font()) + "}";
  }
  return out;
}

class MainFormTest : public testing::Test {
 protected:
  MainFormTest() : form(model, events) {
    form.Load();
    EXPECT_EQ(events.Take(), Calls{"Form_Load"});
    form.ShowCentered();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
  }

  template <class T = QWidget>
  T* Find(const std::string& name) {
    return form.findChild<T*>(QString::fromStdString(name));
  }
  // A click on the widget of that name, or else that key where the focus is.
  void Send(const std::string& input) {
    if (QWidget* widget = Find(input)) return QTest::mouseClick(widget, Qt::LeftButton);
    QWidget* focus = QApplication::focusWidget();
    if (input.ends_with('*')) {  // held down: the keyboard's repeat
      QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ", true);
      QApplication::sendEvent(focus != nullptr ? focus : &form, &repeat);
      return;
    }
    QTest::keyClick(focus != nullptr ? focus : &form, QKeySequence(input.c_str())[0].key());
  }

  MainFormModel model;
  RecordingEvents events;
  MainForm form;
};

TEST_F(MainFormTest, AFixedWindowWithWidgetsAsTheModelSays) {
  // The client area under the menu bar is seen end to end.
  EXPECT_EQ(form.minimumSize(), form.maximumSize());
  EXPECT_EQ(form.windowIcon().availableSizes(), (QList<QSize>{{16, 16}, {32, 32}}));
  // Each label: its colour also when disabled (the field is, and the window under
  // the About window), the installed stand-in font at 96 dpi, bitmap-sharp.
  for (const auto* labels : {&model.window_labels, &model.field_labels}) {
    for (Label* m : *labels) {
      SCOPED_TRACE(m->name);
      const QLabel* label = Find<QLabel>(m->name);
      EXPECT_EQ(label->isVisibleTo(&form), std::exchange(m->visible, true));  // then shown
      form.Mirror();
      EXPECT_EQ(label->geometry(), QRect(m->rect.x, m->rect.y, m->rect.width, m->rect.height));
      EXPECT_EQ(label->text().toStdString(), m->caption);
      const Color c = m->fore_color;
      const QColor colour = c == kButtonFace ? QApplication::palette().color(QPalette::Button)
                                             : QColor(RedOf(c), GreenOf(c), BlueOf(c));
      for (auto group : {QPalette::Active, QPalette::Disabled})
        EXPECT_EQ(label->palette().color(group, QPalette::WindowText), colour);
      const QFontInfo font(label->font());
      EXPECT_EQ(font.family(), m->font.family == "Arial" ? "Liberation Sans" : "IPAGothic");
      EXPECT_EQ(
          std::tuple(font.pixelSize(), font.bold(), font.underline()),
          std::tuple(int(std::lround(m->font.points * 96 / 72)), m->font.bold, m->font.underline));
      EXPECT_TRUE(label->font().styleStrategy() & QFont::NoAntialias);
      EXPECT_TRUE(Drawable(label->font(), label->text()));
    }
  }
  const QWidget* field = Find("picSTAGE");
  EXPECT_EQ(field->geometry(), QRect(0, 0, 447, 342));
  EXPECT_TRUE(field->isVisible() && !field->isEnabled());

  // Mirrored: a seven-digit score spills evenly over both edges of its label,
  // holders stay hidden with pictures in. The field in 2 x 2 blocks when
  // zoomed is zoom_e2e.sh's.
  model.lblSC.caption = "1234567";
  const Image picture(30, 20, kBlue);
  for (PictureBox* holder : model.holders) holder->surface.AssignPicture(&picture);
  form.Mirror();
  const QLabel* score = Find<QLabel>("lblSC");
  EXPECT_GE(score->width(), QFontMetrics(score->font()).horizontalAdvance("1234567"));
  EXPECT_LE(std::abs(score->geometry().center().x() - QRect(456, 32, 73, 25).center().x()), 1);
  for (const PictureBox* holder : model.holders)
    EXPECT_FALSE(Find(holder->name)->isVisibleTo(&form)) << holder->name;
}

TEST_F(MainFormTest, MenusCarryTheCaptionsShortcutsAndMarksOfTheModel) {
  EXPECT_EQ(
      Outline(form.menuBar()->actions(), form.menuBar()->font()),
      "ｹﾞｰﾑ(&G) {ｹﾞｰﾑ開始(&S) [F2] | ﾎﾟｰｽﾞ(&P) [P] (off) | ﾍﾞｽﾄﾌﾟﾚｲ再生(&R) (off) | - | 終了(&X) "
      "[Ctrl+Q]} | "
      "設定(&S) {BGM 有無 {BGM有り ✓ | BGM無し} | - | 曲目変更 {TIDAL ARCADE ✓ | UNDERTOW} | - | "
      "表示(&D) {拡大(&I)\tCtrl++ | 縮小(&O)\tCtrl+- | 等倍(&A)\tCtrl+0 | 全画面表示(&F)\tF11} | "
      "ﾜﾝﾎﾞﾀﾝｽﾀｰﾄ(&B) | 長押しは1回だけ回転(&H) | ｽﾋﾟｰﾄﾞ(&P) {100%(&1) ✓ | 75%(&7) | 50%(&5)} | "
      "ﾌｫｰｶｽを失ったらﾎﾟｰｽﾞ(&L) | ｹﾞｰﾑの合間にﾍﾞｽﾄﾌﾟﾚｲを表示(&W)} | "
      "ﾍﾙﾌﾟ(&H) {MARVOSTEL ﾍﾙﾌﾟ(&H)... [F1] | 公式ｻﾎﾟｰﾄﾍﾟｰｼﾞ(&W)... | - | ﾊﾞｰｼﾞｮﾝ情報(&A)...}");
  model.MMG_BGMU.checked = false;
  model.MMG_BGMN.checked = true;
  model.MMG_BGMT2.enabled = false;
  form.Mirror();
  Find<QAction>("MMG_BGMU")->trigger();  // the click leaves the marks to the handler
  EXPECT_FALSE(Find<QAction>("MMG_BGMU")->isChecked());

  // In English every access letter stays (Alt+G then X still exits); the marks
  // and states follow the model.
  QTranslator english;
  ASSERT_TRUE(english.load(MARVO_GAME_DIR "/marvostel_en.qm"));
  QCoreApplication::installTranslator(&english);
  form.Mirror();
  QCoreApplication::removeTranslator(&english);
  EXPECT_EQ(
      Outline(form.menuBar()->actions(), form.menuBar()->font()),
      "&Game {&Start Game [F2] | &Pause [P] (off) | Watch the Best &Run (off) | - | E&xit "
      "[Ctrl+Q]} | "
      "&Settings {&Music {Music &On | Music O&ff ✓} | - | "
      "&Track {&TIDAL ARCADE ✓ | &UNDERTOW (off)} | - | &Display {Zoom &In\tCtrl++ | "
      "Zoom &Out\tCtrl+- | &Actual Size\tCtrl+0 | &Full Screen\tF11} | One-&Button Start | "
      "&Held Key Turns Once | S&peed {&100% ✓ | &75% | &50%} | Pause When Focus Is &Lost | "
      "Sho&w the Best Run Between Games} | "
      "&Help {MARVOSTEL &Help... [F1] | Official Support &Web Page... | - | &About MARVOSTEL...}");
}

TEST_F(MainFormTest, KeysClicksMenuCommandsAndTheTimerReachTheirHandlers) {
  for (std::string name : {"MMG_Start", "MMG_End", "MMG_BGMU", "MMG_BGMN", "MMG_BGMT1", "MMG_BGMT2",
                           "MMH_Help", "MMH_Web", "MMH_About"}) {
    Find<QAction>(name)->trigger();
    EXPECT_EQ(events.Take(), Calls{name + "_Click"});
  }
  bool none = false;
  const auto press = [](const std::string& handler, int16_t key) {
    return Calls{handler + " " + std::to_string(key)};
  };
  // Each step sets a flag of the model, then sends a key or a click.
  const std::tuple<bool*, bool, std::string, Calls> steps[] = {
      {&none, false, "F2", {"MMG_Start_Click"}},
      {&none, false, "Return", press("Form_KeyDown", kKeyEnter)},
      {&none, false, "Space", press("Form_KeyDown", kKeySpace)},
      {&model.picSTAGE.enabled, true, "Space", press("picSTAGE_KeyDown", kKeySpace)},
      {&model.picSTAGE.enabled, true, "picSTAGE",
       press("picSTAGE_KeyDown", kKeySpace)},  // the mouse turns
      {&model.picSTAGE.enabled, false, "Space", press("Form_KeyDown", kKeySpace)},
      // At the title a click on the field is the window's Space (one-button start).
      {&none, false, "picSTAGE", press("Form_KeyDown", kKeySpace)},
      {&model.MMG_Start.enabled, false, "F2", press("Form_KeyDown", kKeyF2)},
      {&none, false, "Space*", press("Form_KeyRepeat", kKeySpace)},
      {&none, false, "Esc", press("Form_KeyDown", kKeyEscape)},
      {&none, false, "P", press("Form_KeyDown", kKeyP)},
      {&model.MMG_Pause.enabled, true, "P", {"MMG_Pause_Click"}},
      {&model.picSTAGE.enabled, true, "Space*", press("picSTAGE_KeyRepeat", kKeySpace)},
      {&model.picSTAGE.enabled, true, "Pause", press("picSTAGE_KeyDown", kKeyPause)},
      {&none, false, "lblBgmName", {"lblBgmName_Click"}},
      {&none, false, "lblSC", {}},
  };
  for (const auto& [flag, value, input, expected] : steps) {
    *flag = value;
    form.Mirror();
    Send(input);
    EXPECT_EQ(events.Take(), expected) << input;
  }
  // The timer, quickened, ticks until it is switched off.
  model.DemoTimer.interval_ms = 5;
  form.Mirror();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !events.calls.empty(); }, 5000));
  EXPECT_EQ(events.calls.front(), "DemoTimer_Timer");
  model.DemoTimer.enabled = false;
  form.Mirror();
  EXPECT_FALSE(Find<QTimer>("DemoTimer")->isActive());
}

}  // namespace
}  // namespace marvo
