#pragma once

#include "sections/TextColorsSection.h"

#include <cstdint>
#include <functional>
#include <optional>

#include <QColor>

class QLineEdit;
class QWidget;

// The window system's colour value: red in bits 0-7, green in 8-15, blue in 16-23 (0x00BBGGRR).
using ScreenColor = std::uint32_t;

ScreenColor RgbToScreenColor(RgbColor color);
// Each component replaced by 255 minus itself: a text colour readable on top of color.
ScreenColor InvertedScreenColor(RgbColor color);
// The top byte is ignored.
RgbColor ScreenColorToRgb(ScreenColor color);

QColor ToQColor(ScreenColor color);
ScreenColor FromQColor(const QColor &color);

// Paints through the widget's palette (its background and foreground roles) rather than a style
// sheet, since previews are repainted on every mouse move. Setting the colour already there does
// nothing.
void PaintBackground(QWidget *widget, ScreenColor color);
void PaintText(QWidget *widget, ScreenColor color);
ScreenColor BackgroundOf(const QWidget *widget);
ScreenColor TextOf(const QWidget *widget);

// A page's red, green and blue number boxes, each wearing its component's colour with white digits.
void PaintComponentBoxes(QLineEdit *red, QLineEdit *green, QLineEdit *blue);

// The colour dialog's round trip for a page's red, green and blue number boxes. The dialog starts
// at the boxes' colour (a box that is not an integer counts as 0; numbers are clamped to 0..255).
// When the user confirms, red, green and blue are written into the boxes as decimal text, in that
// order, each write raising the box's own change notification. Returns whether the user confirmed.
bool PickColorWithDialog(QLineEdit *red,
                         QLineEdit *green,
                         QLineEdit *blue,
                         const std::function<std::optional<RgbColor>(RgbColor)> &pickColor);
