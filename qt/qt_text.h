#pragma once

#include <QFont>

#include "ui/text.h"

namespace marvo {

// Real fonts, two colours only: glyphs come out as ink or no ink.
class QtTextRasterizer final : public TextRasterizer {
 public:
  TextMask Rasterize(const FontSpec& font, std::string_view utf8) const override;
};

// The QFont for one of the game's fonts: pixel size from points at 96 dpi, no
// antialiasing, full hinting, so text looks the same at every desktop scale.
// A zoomed window draws its text at `zoom` times that size, sharp.
QFont MakeFont(const FontSpec& font_spec, int zoom = 1);

// Makes the game's font names resolve to the installed stand-ins. Call once,
// right after the application object exists.
void RegisterFontSubstitutions();

}  // namespace marvo
