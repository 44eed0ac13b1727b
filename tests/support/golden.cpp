#include "tests/support/golden.h"

#include <png.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <vector>

namespace marvo::support {
namespace {

// The pixels of a PNG file, or an empty image.
Image ReadPng(const std::string& path) {
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&png, path.c_str())) return {};
  png.format = PNG_FORMAT_RGBA;  // a Color in memory, with alpha in its unused byte
  Image image(int(png.width), int(png.height));
  if (!png_image_finish_read(&png, nullptr, image.pixels.data(), 0, nullptr)) return {};
  for (Color& c : image.pixels) c &= 0xFFFFFF;
  return image;
}

// Indexed, as the committed pictures are: a field holds 16 colours at most.
bool WritePng(const Image& image, const std::string& path) {
  std::vector<Color> colours;
  std::vector<png_byte> indexes, map;
  for (Color c : image.pixels) {
    auto at = std::find(colours.begin(), colours.end(), c);
    if (at == colours.end()) at = colours.insert(at, c);
    indexes.push_back(png_byte(at - colours.begin()));
  }
  for (Color c : colours) map.insert(map.end(), {png_byte(c), png_byte(c >> 8), png_byte(c >> 16)});
  png_image png{};
  png.version = PNG_IMAGE_VERSION, png.format = PNG_FORMAT_RGB_COLORMAP;
  png.width = png_uint_32(image.width), png.height = png_uint_32(image.height);
  png.colormap_entries = png_uint_32(colours.size());
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  return colours.size() <= 256 &&
         png_image_write_to_file(&png, path.c_str(), 0, indexes.data(), 0, map.data());
}

}  // namespace

testing::AssertionResult MatchesPng(const Image& image, const std::string& file) {
  const std::string path = MARVO_SOURCE_DIR "/" + file;
  const char* refresh = std::getenv("MARVO_GOLDEN_REFRESH");
  if (refresh && refresh == std::string("1") && file.starts_with("tests/golden/")) {
    if (WritePng(image, path)) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "cannot write " << path;
  }
  Image diff = ReadPng(path);
  const bool same_size = diff.width == image.width && diff.height == image.height;
  if (same_size && diff.pixels == image.pixels) return testing::AssertionSuccess();
  const auto drawn = MARVO_ARTIFACTS_DIR "/" + std::filesystem::path(file).stem().string();
  WritePng(image, drawn + ".actual.png");
  auto failure = testing::AssertionFailure()
                 << path << " is " << diff.width << "x" << diff.height << ", the image "
                 << image.width << "x" << image.height;
  if (same_size) {
    long differing = 0;
    for (size_t i = 0; i < diff.pixels.size(); ++i) {
      const bool same = diff.pixels[i] == image.pixels[i];
      diff.pixels[i] = same ? (diff.pixels[i] >> 2) & 0x3F3F3F : kMagenta;
      differing += !same;
    }
    WritePng(diff, drawn + ".diff.png");
    failure << "; " << differing << " pixels differ (magenta in " << drawn << ".diff.png)";
  }
  return failure << "; the image: " << drawn << ".actual.png (`make golden` takes it)";
}

}  // namespace marvo::support
