#pragma once

#include <QColor>
#include <QLabel>
#include <QRect>
#include <QString>
#include <string>

#include "ui/form.h"

namespace marvo {

// The core's values as Qt takes them: each conversion has this one home.

// 0x00BBGGRR to a Qt colour; the button-face system colour from the palette.
QColor ToQColor(Color color);
inline QString ToQString(const std::string& utf8) { return QString::fromStdString(utf8); }
inline QRect ToQRect(const Rect& r) { return QRect(r.x, r.y, r.width, r.height); }
// Text sits at the top of its label; only the horizontal place varies.
Qt::Alignment ToQAlignment(Alignment alignment);

// Brings a label widget in line with its model: text, font, place, colour in
// every colour group (a label on a disabled window keeps its colour) and
// visibility. A word wider than its label (a seven-digit score) spills over the
// label's edges as its alignment places it, rather than losing its ends.
void ApplyLabel(QLabel& widget, const Label& label);

}  // namespace marvo
