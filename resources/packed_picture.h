#pragma once

#include <cstddef>

namespace marvo::embedded {

// One picture as the build embeds it: palette indexes in runs (the encoding is
// described in ui/palette.h), row by row from the top.
struct PackedPicture {
  const char* name;  // "101" ... "121", "icon-32", "icon-16"
  int width;
  int height;
  const unsigned char* runs;
  size_t size;
};

// Written at build time from the committed PNG files.
extern const PackedPicture kPackedPictures[];
extern const int kPackedPictureCount;

}  // namespace marvo::embedded
