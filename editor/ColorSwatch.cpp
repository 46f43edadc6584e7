#include "ColorSwatch.h"

#include "ini/IntegerText.h"

#include <algorithm>

#include <QLineEdit>
#include <QPalette>
#include <QWidget>

namespace {

std::uint8_t ComponentOf(const QLineEdit *box)
{
    const auto number = ParseInteger(box->text().toStdString());
    return static_cast<std::uint8_t>(std::clamp(number.value_or(0), 0, 255));
}

void PaintRole(QWidget *widget, QPalette::ColorRole role, ScreenColor color)
{
    const QColor wanted = ToQColor(color);
    QPalette palette = widget->palette();
    if (palette.color(role) == wanted)
        return;
    palette.setColor(role, wanted);
    widget->setPalette(palette);
}

void PaintNumberBox(QLineEdit *box, const QColor &background)
{
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, background);
    palette.setColor(QPalette::Text, Qt::white);
    box->setPalette(palette);
}

} // namespace

ScreenColor RgbToScreenColor(RgbColor color)
{
    return ScreenColor{color.red} | (ScreenColor{color.green} << 8)
           | (ScreenColor{color.blue} << 16);
}

ScreenColor InvertedScreenColor(RgbColor color)
{
    return RgbToScreenColor({static_cast<std::uint8_t>(255 - color.red),
                             static_cast<std::uint8_t>(255 - color.green),
                             static_cast<std::uint8_t>(255 - color.blue)});
}

RgbColor ScreenColorToRgb(ScreenColor color)
{
    return {static_cast<std::uint8_t>(color & 0xFF),
            static_cast<std::uint8_t>((color >> 8) & 0xFF),
            static_cast<std::uint8_t>((color >> 16) & 0xFF)};
}

QColor ToQColor(ScreenColor color)
{
    const RgbColor rgb = ScreenColorToRgb(color);
    return QColor(rgb.red, rgb.green, rgb.blue);
}

ScreenColor FromQColor(const QColor &color)
{
    return RgbToScreenColor({static_cast<std::uint8_t>(color.red()),
                             static_cast<std::uint8_t>(color.green()),
                             static_cast<std::uint8_t>(color.blue())});
}

void PaintBackground(QWidget *widget, ScreenColor color)
{
    widget->setAutoFillBackground(true);
    PaintRole(widget, widget->backgroundRole(), color);
}

void PaintText(QWidget *widget, ScreenColor color)
{
    PaintRole(widget, widget->foregroundRole(), color);
}

ScreenColor BackgroundOf(const QWidget *widget)
{
    return FromQColor(widget->palette().color(widget->backgroundRole()));
}

ScreenColor TextOf(const QWidget *widget)
{
    return FromQColor(widget->palette().color(widget->foregroundRole()));
}

bool PickColorWithDialog(QLineEdit *red,
                         QLineEdit *green,
                         QLineEdit *blue,
                         const std::function<std::optional<RgbColor>(RgbColor)> &pickColor)
{
    const RgbColor start{ComponentOf(red), ComponentOf(green), ComponentOf(blue)};
    const std::optional<RgbColor> chosen = pickColor(start);
    if (!chosen)
        return false;
    red->setText(QString::number(chosen->red));
    green->setText(QString::number(chosen->green));
    blue->setText(QString::number(chosen->blue));
    return true;
}

void PaintComponentBoxes(QLineEdit *red, QLineEdit *green, QLineEdit *blue)
{
    PaintNumberBox(red, QColor(255, 0, 0));
    PaintNumberBox(green, QColor(0, 128, 0));
    PaintNumberBox(blue, QColor(0, 0, 255));
}
