// Build-time step: reads the committed indexed PNG files and writes a C++
// source holding their palette indexes as runs, so the game carries its
// pictures inside the executable and never reads a picture file.
//
//   marvo_embed_pictures OUTPUT.cpp NAME=FILE.png ...

#include <QImage>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "ui/palette.h"

namespace {

using marvo::pictures::kPalette;
using marvo::pictures::kShortRunLimit;

int PaletteIndex(QRgb rgb) {
  const uint32_t bgr = qRed(rgb) | (qGreen(rgb) << 8) | (qBlue(rgb) << 16);
  for (int i = 0; i < 16; ++i) {
    if (kPalette[i] == bgr) return i;
  }
  return -1;
}

void AppendRun(std::vector<unsigned char>& out, int index, long length) {
  if (length <= kShortRunLimit) {
    out.push_back(static_cast<unsigned char>(index << 4 | (length - 1)));
    return;
  }
  out.push_back(static_cast<unsigned char>(index << 4 | kShortRunLimit));
  for (long rest = length - 16;; rest >>= 7) {
    const bool more = rest >= 128;
    out.push_back(static_cast<unsigned char>((rest & 127) | (more ? 128 : 0)));
    if (!more) break;
  }
}

bool Pack(const QImage& image, std::vector<unsigned char>& out, std::string& error) {
  int current = -1;
  long length = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const int index = PaletteIndex(image.pixel(x, y));
      if (index < 0) {
        error =
            "colour outside the 16-colour table at " + std::to_string(x) + "," + std::to_string(y);
        return false;
      }
      if (index == current) {
        ++length;
        continue;
      }
      if (length > 0) AppendRun(out, current, length);
      current = index;
      length = 1;
    }
  }
  if (length > 0) AppendRun(out, current, length);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s OUTPUT.cpp NAME=FILE.png ...\n", argv[0]);
    return 2;
  }
  std::string source =
      "// Written by marvo_embed_pictures from the committed PNG files; do not edit.\n"
      "#include \"resources/packed_picture.h\"\n\nnamespace marvo::embedded {\nnamespace {\n";
  std::string table;
  for (int i = 2; i < argc; ++i) {
    const std::string arg = argv[i];
    const auto eq = arg.find('=');
    if (eq == std::string::npos) {
      std::fprintf(stderr, "expected NAME=FILE, got %s\n", arg.c_str());
      return 2;
    }
    const std::string name = arg.substr(0, eq), file = arg.substr(eq + 1);
    const QImage image(QString::fromStdString(file));
    std::vector<unsigned char> runs;
    std::string error;
    if (image.isNull() || !Pack(image, runs, error)) {
      std::fprintf(stderr, "%s: %s\n", file.c_str(), image.isNull() ? "unreadable" : error.c_str());
      return 1;
    }
    const std::string id = "kRuns" + std::to_string(i - 2);
    source += "const unsigned char " + id + "[] = {";
    for (size_t k = 0; k < runs.size(); ++k) {
      source += (k % 24 == 0 ? "\n" : "") + std::to_string(runs[k]) + ",";
    }
    source += "\n};\n";
    table += "    {\"" + name + "\", " + std::to_string(image.width()) + ", " +
             std::to_string(image.height()) + ", " + id + ", sizeof " + id + "},\n";
  }
  source += "}  // namespace\n\nconst PackedPicture kPackedPictures[] = {\n" + table +
            "};\nconst int kPackedPictureCount = " + std::to_string(argc - 2) +
            ";\n\n}  // namespace marvo::embedded\n";
  std::ofstream out(argv[1], std::ios::binary);
  out << source;
  return out.good() ? 0 : 1;
}
