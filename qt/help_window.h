#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;

namespace marvo {

// The game's own help viewer: one window showing the Markdown help file.
class HelpWindow final : public QWidget {
 public:
  explicit HelpWindow(QWidget* parent = nullptr);

  // Shows the file: opens it, or only raises the window when it already shows
  // that file. A file that cannot be read is named in a sentence saying so.
  void ShowFile(const QString& path);
  QTextBrowser* Browser() const { return browser_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Load();

  QTextBrowser* browser_ = nullptr;
  QString path_;
};

}  // namespace marvo
