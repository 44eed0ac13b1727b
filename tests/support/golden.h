#pragma once

#include <gtest/gtest.h>

#include <string>

#include "ui/image.h"

namespace marvo::support {

// Whether `image` is, pixel for pixel, the PNG file `file` of the source tree
// ("tests/golden/title.png"). On a mismatch artifacts/<name>.actual.png and
// <name>.diff.png are written in the build tree. With MARVO_GOLDEN_REFRESH=1
// (`make golden`) a file under tests/golden/ is written from the image instead.
testing::AssertionResult MatchesPng(const Image& image, const std::string& file);

}  // namespace marvo::support
