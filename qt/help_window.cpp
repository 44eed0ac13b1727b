#include "qt/help_window.h"

#include <QFileInfo>
#include <QKeyEvent>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <string>

#include "qt/translation.h"
#include "shell/file_io.h"

namespace marvo {

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("HelpWindow");
  setWindowTitle(Translated("MARVOSTEL ﾍﾙﾌﾟ"));
  browser_ = new QTextBrowser(this);
  browser_->setObjectName("HelpText");
  browser_->setOpenExternalLinks(true);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(browser_);
  resize(600, 640);
}

void HelpWindow::keyPressEvent(QKeyEvent* event) {
  // Escape closes it, as it closes the About window; the text passes it on.
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
    close();
  else
    QWidget::keyPressEvent(event);
}

void HelpWindow::ShowFile(const QString& path) {
  if (!isVisible() || path != path_) {
    path_ = path;
    Load();
  }
  show();
  raise();
  activateWindow();
}

void HelpWindow::Load() {
  std::string text, reason;
  if (ReadDataText(path_.toStdString(), DataFile::kHelp, text, &reason) != FileRead::kOk) {
    browser_->setPlainText(QStringLiteral("ヘルプファイルを開けませんでした。\n"
                                          "The help file %1 could not be opened (%2).")
                               .arg(path_, QString::fromStdString(reason)));
    return;
  }
  // Pictures and links in the file are looked up beside it.
  browser_->setSearchPaths({QFileInfo(path_).absolutePath()});
  browser_->setMarkdown(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

}  // namespace marvo
