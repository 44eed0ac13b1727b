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
using marvo::kPictureBannerMask, marvo::kPictureBannerSheet, marvo::kPictureTitle,
    marvo::kPictureTitleMask;

QString File(const QString& dir, int number) { return dir + QString::number(number) + ".png"; }

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
  const QPoint at(marvo::kBannerX, marvo::kBannerY);
  const QRect banner(0, row, marvo::kBannerWidth, marvo::kBannerHeight);
  painter.drawImage(at, mask.convertToFormat(QImage::Format_RGB32), banner);
  painter.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
  painter.drawImage(at, sheet.convertToFormat(QImage::Format_RGB32), banner);
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
  // The stage pictures, the title and its mask first, in the table's order.
  for (int n : marvo::kPictureNumbers) {
    if (n != kPictureBannerSheet && n != kPictureBannerMask)
      cells.push_back({QString::number(n), QImage(File(dir, n))});
  }
  const QImage sheet(File(dir, kPictureBannerSheet)), mask(File(dir, kPictureBannerMask));
  cells.push_back({QString("%1 AND %2").arg(kPictureTitle).arg(kPictureTitleMask),
                   Dimmed(cells[7].image, cells[8].image)});
  cells.push_back({QString::number(kPictureBannerSheet), sheet});
  cells.push_back({QString::number(kPictureBannerMask), mask});
  cells.push_back({"GAME OVER on stage 5",
                   BannerOverStage(cells[4].image, sheet, mask, marvo::kBannerGameOver)});
  cells.push_back({"GET READY! on stage 7",
                   BannerOverStage(cells[6].image, sheet, mask, marvo::kBannerGetReady)});
  cells.push_back({"STAGE CLEAR! on stage 4",
                   BannerOverStage(cells[3].image, sheet, mask, marvo::kBannerStageClear)});
  QImage icons(marvo::kFieldPictureWidth, marvo::kFieldPictureHeight, QImage::Format_RGB32);
  icons.fill(QColor(40, 40, 40));
  {
    QPainter painter(&icons);
    painter.drawImage(QRect(40, 40, 256, 256), QImage(root + "/resources/icon-32.png"));
    painter.drawImage(QRect(320, 40, 96, 96), QImage(root + "/resources/icon-16.png"));
    painter.drawImage(320, 160, QImage(root + "/resources/icon-32.png"));
    painter.drawImage(360, 168, QImage(root + "/resources/icon-16.png"));
  }
  cells.push_back({"icons (x8, x6, x1)", icons});

  const int columns = 3, cell_w = marvo::kFieldPictureWidth + 16,
            cell_h = marvo::kFieldPictureHeight + 30;
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
  for (int n :
       {marvo::kPictureStage1, marvo::kPictureStage2, marvo::kPictureStage3, marvo::kPictureStage4,
        marvo::kPictureStage5, marvo::kPictureStage6, marvo::kPictureStage7})
    ok &= Save(StagePicture(n), File(dir, n));
  const Canvas title = TitlePicture(), sheet = BannerSheet();
  ok &=
      Save(title, File(dir, kPictureTitle)) && Save(TitleMask(title), File(dir, kPictureTitleMask));
  ok &= Save(sheet, File(dir, kPictureBannerSheet)) &&
        Save(BannerMask(sheet), File(dir, kPictureBannerMask));
  ok &= Save(IconPicture(32), root + "/resources/icon-32.png");
  ok &= Save(IconPicture(16), root + "/resources/icon-16.png");
  if (ok) WriteContactSheet(root, root + "/artifacts/contact-sheet.png");
  return ok ? EXIT_SUCCESS : EXIT_FAILURE;
}
