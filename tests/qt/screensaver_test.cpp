#include "qt/screensaver.h"

#include <gtest/gtest.h>

#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QProcess>
#include <QTest>
#include <string>
#include <vector>

namespace marvo {
namespace {

// The desktop's screensaver stood in: it writes down each call and hands out
// cookies from 41 up.
class StandIn final : public QDBusVirtualObject {
 public:
  std::vector<std::string> calls;
  QString introspect(const QString&) const override { return {}; }
  bool handleMessage(const QDBusMessage& call, const QDBusConnection& bus) override {
    const QString arg = call.arguments().value(0).toString();
    calls.push_back(call.member().toStdString() + " " + arg.toStdString());
    bus.send(call.member() == "Inhibit" ? call.createReply(uint32_t(40 + calls.size() / 2 + 1))
                                        : call.createReply());
    return true;
  }
};

// On a private session bus: each hold is given back, at once, when it arrives
// after the game no longer wants it, and when the game goes away holding it.
TEST(ScreenSaverTest, EveryHoldIsGivenBackEvenOneStillOnItsWay) {
  QProcess daemon;
  daemon.start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
  if (!daemon.waitForReadyRead(10000)) GTEST_SKIP() << "no dbus-daemon (scripts/install-deps)";
  const QString address = QString::fromUtf8(daemon.readLine()).trimmed();
  StandIn stand_in;
  QDBusConnection service = QDBusConnection::connectToBus(address, "stand-in");
  ASSERT_TRUE(service.registerVirtualObject("/org/freedesktop/ScreenSaver", &stand_in));
  ASSERT_TRUE(service.registerService("org.freedesktop.ScreenSaver"));
  const auto calls_reach = [&](size_t n) {
    return QTest::qWaitFor([&] { return stand_in.calls.size() >= n; }, 5000);
  };
  {
    ScreenSaverHold hold(QDBusConnection::connectToBus(address, "game"));
    hold.Hold(true);
    hold.Hold(true);  // wanted already: no second call
    ASSERT_TRUE(QTest::qWaitFor([&] { return hold.Held(); }, 5000));
    for (bool wanted : {false, true, false}) hold.Hold(wanted);  // the second given back on its way
    ASSERT_TRUE(calls_reach(4));
    hold.Hold(true);
    ASSERT_TRUE(calls_reach(5) && QTest::qWaitFor([&] { return hold.Held(); }, 5000));
  }
  ASSERT_TRUE(calls_reach(6));
  EXPECT_EQ(stand_in.calls,
            (std::vector<std::string>{"Inhibit MARVOSTEL", "UnInhibit 41", "Inhibit MARVOSTEL",
                                      "UnInhibit 42", "Inhibit MARVOSTEL", "UnInhibit 43"}));
  QDBusConnection::disconnectFromBus("game");
  QDBusConnection::disconnectFromBus("stand-in");  // the daemon goes with `daemon`
}

}  // namespace
}  // namespace marvo
