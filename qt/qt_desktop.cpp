#include "qt/qt_desktop.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>
#include <QWindow>
#include <cstdio>
#include <cstdlib>

#include "qt/about_window.h"
#include "qt/help_window.h"
#include "qt/main_form.h"
#include "qt/translation.h"

namespace marvo {

QtDesktop::QtDesktop() = default;

QtDesktop::~QtDesktop() { delete about_.data(); }

AboutWindow* QtDesktop::About() const { return about_; }

void QtDesktop::SetMainWindow(MainForm* window) { main_window_ = window; }

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
  QMessageBox::critical(main_window_, Translated(title), Translated(text));
}

void QtDesktop::ShowHelp(const std::string& path) {
  if (!help_) help_ = std::make_unique<HelpWindow>();
  help_->ShowFile(QString::fromStdString(path));
}

void QtDesktop::ShowAboutWindow(AboutFormModel& model, AboutFormEvents& events) {
  if (about_ && about_->Model() == &model) {
    about_->show();
    about_->raise();
    about_->activateWindow();
    return;
  }
  CloseAboutWindow();
  // A window of its own, not a child: the main window is disabled meanwhile,
  // and a child would be disabled with it. It stays above the main window.
  about_ = new AboutWindow(model, events, [this] { MirrorMainWindow(); });
  if (main_window_) about_->SetZoom(main_window_->Zoom());
  if (main_window_ && main_window_->windowHandle()) {
    about_->winId();
    about_->windowHandle()->setTransientParent(main_window_->windowHandle());
  }
  about_->ShowCentered();
}

void QtDesktop::CloseAboutWindow() {
  if (about_) about_->Dismiss();
  about_ = nullptr;
}

void QtDesktop::MirrorMainWindow() {
  if (main_window_) main_window_->Mirror();
}

}  // namespace marvo
