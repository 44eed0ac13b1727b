#include "qt/help_window.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <set>
#include <string>

#include "qt/translation.h"
#include "shell/file_io.h"

namespace marvo {

namespace {

// Pictures and pages the help refers to are read through the same checks as
// the help itself, so that a pipe beside it cannot hold up the game.
class CheckedBrowser final : public QTextBrowser {
 public:
  using QTextBrowser::QTextBrowser;
  QString folder;                // where the help file lies
  std::set<std::string> failed;  // said once, not tried again

 protected:
  QVariant loadResource(int type, const QUrl& name) override {
    if (!name.isRelative() && !name.isLocalFile()) return QTextBrowser::loadResource(type, name);
    const QString local = name.isLocalFile() ? name.toLocalFile() : name.path();
    const std::string path = QFileInfo(QDir(folder), local).absoluteFilePath().toStdString();
    std::string bytes;
    if (failed.contains(path) || ReadDataFile(path, DataFile::kHelp, bytes) != FileRead::kOk) {
      failed.insert(path);
      return {};
    }
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
  }
};

}  // namespace

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("HelpWindow");
  setWindowTitle(Translated("MARVOSTEL ﾍﾙﾌﾟ"));
  browser_ = new CheckedBrowser(this);
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
  auto* browser = static_cast<CheckedBrowser*>(browser_);
  browser->folder = QFileInfo(path_).absolutePath();
  browser->failed.clear();
  browser->setSearchPaths({browser->folder});
  browser_->setMarkdown(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

}  // namespace marvo
