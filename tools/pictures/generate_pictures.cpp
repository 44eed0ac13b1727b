// Draws every picture of the game and writes them as indexed PNG files into
// the source tree, plus a contact sheet of all of them for a person to look
// at. Run by a developer, not by the build:
//
//   cmake --build <build dir> --target pictures
//
// then look at artifacts/contact-sheet.png and commit resources/.

#include <QDir>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QPainter>
#include <cstdio>
#include <cstdlib>

#include "tools/pictures/drawings.h"

namespace {

using namespace marvo::pictures;

bool Save(const Canvas& canvas, const QString& path) {
  if (canvas.ToImage().save(path, "PNG")) return true;
  std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
  return false;
}

// What the game does with a banner: AND the mask in, then OR the sheet.
QImage BannerOverStage(const QImage& stage, const QImage& sheet, const QImage& mask, int row) {
  QImage field = stage.convertToFormat(QImage::Format_RGB32);
  QPainter painter(&field);
  painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
  painter.drawImage(QPoint(39, 100), mask.convertToFormat(QImage::Format_RGB32),
                    QRect(0, row, 367, 70));
  painter.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
  painter.drawImage(QPoint(39, 100), sheet.convertToFormat(QImage::Format_RGB32),
                    QRect(0, row, 367, 70));
  return field;
}

QImage Dimmed(const QImage& title, const QImage& mask) {
  QImage field = title.convertToFormat(QImage::Format_RGB32);
  QPainter painter(&field);
  painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
  painter.drawImage(0, 0, mask.convertToFormat(QImage::Format_RGB32));
  return field;
}

void WriteContactSheet(const QString& root, const QString& path) {
  struct Cell {
    QString label;
    QImage image;
  };
  const QString dir = root + "/resources/pictures/";
  std::vector<Cell> cells;
  for (int n : {101, 102, 103, 104, 105, 106, 107, 110, 111}) {
    cells.push_back({QString::number(n), QImage(dir + QString::number(n) + ".png")});
  }
  const QImage sheet(dir + "120.png"), mask(dir + "121.png");
  cells.push_back({"110 AND 111", Dimmed(cells[7].image, cells[8].image)});
  cells.push_back({"120", sheet});
  cells.push_back({"121", mask});
  cells.push_back({"GAME OVER on 105", BannerOverStage(cells[4].image, sheet, mask, 0)});
  cells.push_back({"GET READY! on 107", BannerOverStage(cells[6].image, sheet, mask, 71)});
  cells.push_back({"STAGE CLEAR! on 104", BannerOverStage(cells[3].image, sheet, mask, 141)});
  QImage icons(447, 343, QImage::Format_RGB32);
  icons.fill(QColor(40, 40, 40));
  {
    QPainter painter(&icons);
    painter.drawImage(QRect(40, 40, 256, 256), QImage(root + "/resources/icon-32.png"));
    painter.drawImage(QRect(320, 40, 96, 96), QImage(root + "/resources/icon-16.png"));
    painter.drawImage(320, 160, QImage(root + "/resources/icon-32.png"));
    painter.drawImage(360, 168, QImage(root + "/resources/icon-16.png"));
  }
  cells.push_back({"icons (x8, x6, x1)", icons});

  const int columns = 3, cell_w = 447 + 16, cell_h = 343 + 30;
  const int rows = int(cells.size() + columns - 1) / columns;
  QImage contact(columns * cell_w + 16, rows * cell_h + 16, QImage::Format_RGB32);
  contact.fill(QColor(64, 64, 72));
  QPainter painter(&contact);
  painter.setPen(Qt::white);
  painter.setFont(QFont("Liberation Sans", 11, QFont::Bold));
  for (size_t i = 0; i < cells.size(); ++i) {
    const int x = 16 + int(i % columns) * cell_w, y = 16 + int(i / columns) * cell_h;
    painter.drawText(x, y + 14, cells[i].label);
    painter.drawImage(x, y + 22, cells[i].image);
  }
  painter.end();
  contact.save(path, "PNG");
  std::printf("contact sheet: %s\n", qPrintable(path));
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s SOURCE_DIR\n", argv[0]);
    return 2;
  }
  // Without these the letters would silently come from some other font.
  for (const QString family : {"IPAGothic", "Liberation Sans"}) {
    if (!QFontDatabase::families().contains(family)) {
      std::fprintf(stderr, "font %s is missing (fonts-ipafont-gothic, fonts-liberation2)\n",
                   qPrintable(family));
      return EXIT_FAILURE;
    }
  }
  const QString root = QString::fromLocal8Bit(argv[1]);
  const QString dir = root + "/resources/pictures/";
  QDir().mkpath(dir);
  QDir().mkpath(root + "/artifacts");
  bool ok = true;
  for (int n = 101; n <= 107; ++n) ok &= Save(StagePicture(n), dir + QString::number(n) + ".png");
  const Canvas title = TitlePicture(), sheet = BannerSheet();
  ok &= Save(title, dir + "110.png") && Save(TitleMask(title), dir + "111.png");
  ok &= Save(sheet, dir + "120.png") && Save(BannerMask(sheet), dir + "121.png");
  ok &= Save(IconPicture(32), root + "/resources/icon-32.png");
  ok &= Save(IconPicture(16), root + "/resources/icon-16.png");
  if (ok) WriteContactSheet(root, root + "/artifacts/contact-sheet.png");
  return ok ? EXIT_SUCCESS : EXIT_FAILURE;
}
