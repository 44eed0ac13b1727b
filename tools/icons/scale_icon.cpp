// Scales the game's 32 x 32 icon to the sizes a desktop asks for, pixel by
// pixel: every output pixel is the icon pixel it lands on, never a blend, so
// the icon stays as crisp as the game draws it.
#include <QImage>
#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: %s ICON.png OUTPUT_FOLDER SIZE...\n", argv[0]);
    return 2;
  }
  const QImage icon =
      QImage(QString::fromLocal8Bit(argv[1])).convertToFormat(QImage::Format_ARGB32);
  if (icon.isNull()) {
    std::fprintf(stderr, "%s: cannot read the icon\n", argv[1]);
    return 1;
  }
  for (int i = 3; i < argc; ++i) {
    const int size = std::atoi(argv[i]);
    if (size <= 0) return 2;
    QImage scaled(size, size, QImage::Format_ARGB32);
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) {
        scaled.setPixel(x, y, icon.pixel(x * icon.width() / size, y * icon.height() / size));
      }
    }
    const std::string name = std::string(argv[2]) + "/" + argv[i] + "x" + argv[i] + ".png";
    if (!scaled.save(QString::fromStdString(name), "PNG")) {
      std::fprintf(stderr, "%s: cannot write\n", name.c_str());
      return 1;
    }
  }
  return 0;
}
