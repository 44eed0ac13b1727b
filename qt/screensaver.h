#pragma once

#include <QDBusConnection>
#include <QObject>
#include <cstdint>
#include <optional>

namespace marvo {

// Holds the desktop's screensaver and screen blanking off through the session
// bus's org.freedesktop.ScreenSaver while a game is in play. Every call is
// asynchronous: a screensaver that hangs never stalls the game. Without a
// session bus or such a service it says nothing and does nothing.
class ScreenSaverHold final : public QObject {
 public:
  // On the session bus; tests hand in a private one.
  ScreenSaverHold();
  explicit ScreenSaverHold(const QDBusConnection& bus);
  ~ScreenSaverHold() override;

  // Asks for the hold, or gives it back. Repeating the same wish does nothing.
  void Hold(bool hold);
  bool Held() const { return cookie_.has_value(); }

 private:
  void Inhibit();
  void UnInhibit(uint32_t cookie);

  std::optional<QDBusConnection> bus_;
  bool wanted_ = false;
  bool asking_ = false;             // an Inhibit is on its way
  std::optional<uint32_t> cookie_;  // what the service handed back for the hold
};

}  // namespace marvo
