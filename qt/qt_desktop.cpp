#include "qt/qt_desktop.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>
#include <cstdio>
#include <cstdlib>

namespace marvo {

void QtDesktop::CloseMainWindow() {
  if (main_window_) main_window_->close();
}

void QtDesktop::EndProcess() {
  // At once, even from inside a running game's loop: no further event is
  // handled and no destructor of the window runs under the game's feet.
  std::fflush(nullptr);
  std::_Exit(0);
}

bool QtDesktop::OpenUrl(const std::string& url) {
  return QDesktopServices::openUrl(QUrl(QString::fromStdString(url)));
}

void QtDesktop::SetBusyCursor(bool busy) {
  if (busy == busy_) return;
  busy_ = busy;
  if (busy)
    QApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QApplication::restoreOverrideCursor();
}

void QtDesktop::ShowCriticalMessage(const std::string& text, const std::string& title) {
  QMessageBox::critical(main_window_, QString::fromStdString(title), QString::fromStdString(text));
}

void QtDesktop::ShowHelp(const std::string& /*path*/) {
  // The help window arrives with the help file.
}

void QtDesktop::ShowAboutWindow(AboutFormModel& /*model*/, AboutFormEvents& /*events*/) {
  // The About window arrives with its view.
}

void QtDesktop::CloseAboutWindow() {}

}  // namespace marvo
