#include "resources/pictures.h"

#include <algorithm>
#include <memory>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

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

// The picture of that name, decoded on its own first use: a screen that never
// shows a picture never pays for it. Each lives for the whole run.
const Image& Decoded(std::string_view name) {
  struct Slot {
    std::once_flag once;
    std::optional<Image> image;
  };
  static const std::unique_ptr<Slot[]> slots(new Slot[size_t(embedded::kPackedPictureCount)]);
  for (int i = 0; i < embedded::kPackedPictureCount; ++i) {
    const embedded::PackedPicture& packed = embedded::kPackedPictures[i];
    if (name != packed.name) continue;
    Slot& slot = slots[size_t(i)];
    std::call_once(slot.once, [&] { slot.image.emplace(Unpack(packed)); });
    return *slot.image;
  }
  throw std::out_of_range("no built-in picture " + std::string(name));
}

}  // namespace

const Image* LoadPicture(int number) {
  // Only the numbered pictures: the icons are not loadable by number.
  for (int n : kPictureNumbers) {
    if (n == number) return &Decoded(std::to_string(n));
  }
  return nullptr;
}

const Image& Icon(int size) { return Decoded(size == 16 ? "icon-16" : "icon-32"); }

}  // namespace marvo
