#pragma once

#include <QColor>
#include <QRect>

class QPainter;

namespace griffwandler::controls {

// The classic "Windows Standard" colours the window and its controls are drawn
// in; nothing is taken from the desktop's colours.
namespace classic {
inline constexpr QRgb Face = qRgb(192, 192, 192);      // button face and the window's grey
inline constexpr QRgb Highlight = qRgb(255, 255, 255); // the lit outer bevel line
inline constexpr QRgb Light = qRgb(223, 223, 223);     // the lit inner bevel line
inline constexpr QRgb Shadow = qRgb(128, 128, 128);
inline constexpr QRgb DarkShadow = qRgb(0, 0, 0);
inline constexpr QRgb Text = qRgb(0, 0, 0);
inline constexpr QRgb Window = qRgb(255, 255, 255); // an opaque shape that names no colour
// The inner line of the sunken client edge keeps the darker greys it has
// always been drawn with.
inline constexpr QRgb EdgeDarkShadow = qRgb(0x40, 0x40, 0x40);
inline constexpr QRgb EdgeLight = qRgb(0xD4, 0xD0, 0xC8);
} // namespace classic

// A frame one pixel wide along the inside of `rect`: the top and left edge in
// one colour, the bottom and right edge (corners included) in the other.
void frameLine(QPainter &painter, const QRect &rect, const QColor &topLeft,
               const QColor &bottomRight);

} // namespace griffwandler::controls
