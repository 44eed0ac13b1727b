#pragma once

#include "ui/image.h"

namespace marvo {

// The built-in picture with that number (101–107, 110, 111, 120, 121); nullptr
// for any other. Pictures are decoded on first use and live for the whole run,
// so a surface may keep the pointer.
const Image* LoadPicture(int number);

// The window icon, 32 x 32 or 16 x 16 (any other size gives the 32 x 32 one).
const Image& Icon(int size);

}  // namespace marvo
