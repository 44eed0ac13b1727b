#include "resources/pictures.h"

#include <algorithm>
#include <map>
#include <stdexcept>
#include <string>

#include "generated/game_files.h"
#include "resources/packed_picture.h"
#include "ui/palette.h"

namespace marvo {
namespace {

Image Unpack(const embedded::PackedPicture& packed) {
  Image image(packed.width, packed.height);
  size_t out = 0;
  for (size_t in = 0; in < packed.size;) {
    const unsigned char head = packed.runs[in++];
    const Color color = pictures::kPalette[head >> 4];
    size_t length = size_t(head & 15) + 1;
    if ((head & 15) == pictures::kShortRunLimit) {
      size_t extra = 0;
      for (int shift = 0;; shift += 7) {
        const unsigned char b = packed.runs[in++];
        extra |= size_t(b & 127) << shift;
        if ((b & 128) == 0) break;
      }
      length = 16 + extra;
    }
    for (size_t end = std::min(out + length, image.pixels.size()); out < end; ++out) {
      image.pixels[out] = color;
    }
  }
  return image;
}

const std::map<std::string, Image>& All() {
  static const std::map<std::string, Image> pictures = [] {
    std::map<std::string, Image> decoded;
    for (int i = 0; i < embedded::kPackedPictureCount; ++i) {
      decoded.emplace(embedded::kPackedPictures[i].name, Unpack(embedded::kPackedPictures[i]));
    }
    return decoded;
  }();
  return pictures;
}

}  // namespace

const Image* LoadPicture(int number) {
  // Only the numbered pictures: the icons are not loadable by number.
  for (int n : kPictureNumbers) {
    if (n == number) return &All().at(std::to_string(n));
  }
  return nullptr;
}

const Image& Icon(int size) { return All().at(size == 16 ? "icon-16" : "icon-32"); }

}  // namespace marvo
