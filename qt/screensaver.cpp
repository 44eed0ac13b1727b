#include "qt/screensaver.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDir>
#include <QFileInfo>

namespace marvo {

namespace {

const char* const kService = "org.freedesktop.ScreenSaver";
const char* const kPath = "/org/freedesktop/ScreenSaver";
const char* const kInterface = "org.freedesktop.ScreenSaver";

// Whether a session bus is to be had at all: its address in the environment,
// or the socket where the desktop puts it. Without either, asking for the bus
// could start a program to provide one.
bool SessionBusAround() {
  if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")) return true;
  const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
  return !runtime.isEmpty() && QFileInfo::exists(QDir(runtime).filePath("bus"));
}

}  // namespace

ScreenSaverHold::ScreenSaverHold() {
  if (SessionBusAround()) bus_ = QDBusConnection::sessionBus();
}

ScreenSaverHold::ScreenSaverHold(const QDBusConnection& bus) : bus_(bus) {}

ScreenSaverHold::~ScreenSaverHold() { Hold(false); }

void ScreenSaverHold::Hold(bool hold) {
  if (hold == wanted_) return;
  wanted_ = hold;
  if (!bus_ || !bus_->isConnected()) return;
  if (hold && !cookie_ && !asking_) Inhibit();
  // A hold still on its way is given back as soon as it arrives.
  if (!hold && cookie_) UnInhibit(*std::exchange(cookie_, std::nullopt));
}

void ScreenSaverHold::Inhibit() {
  QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, "Inhibit");
  call << QStringLiteral("MARVOSTEL") << QStringLiteral("Playing a game");
  asking_ = true;
  auto* watcher = new QDBusPendingCallWatcher(bus_->asyncCall(call), this);
  connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
    w->deleteLater();
    asking_ = false;
    const QDBusPendingReply<uint32_t> reply = *w;
    if (reply.isError()) return;  // no screensaver here: play on
    if (wanted_)
      cookie_ = reply.value();
    else
      UnInhibit(reply.value());
  });
}

void ScreenSaverHold::UnInhibit(uint32_t cookie) {
  QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, "UnInhibit");
  call << cookie;
  // Nothing to wait for: the answer changes nothing here.
  bus_->asyncCall(call);
}

}  // namespace marvo
