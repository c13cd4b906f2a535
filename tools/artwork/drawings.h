#pragma once

#include "font_set.h"

#include <QColor>
#include <QPainter>
#include <QSize>
#include <QString>

namespace griffwandler::artwork {

// Each function draws one picture in its logical pixel coordinates; the painter
// is already scaled to the output resolution and the background already filled.

inline const QColor CardBlue(5, 3, 175);
inline const QColor CardRed(224, 12, 10);
inline const QColor HeadingBlue(0, 0, 196);
inline const QColor HeadingRed(255, 0, 0);

// A chord name ("C", "C#", ...) as a bold serif capital centred on the card.
void drawChordCard(QPainter &painter, const FontSet &fonts, QSize size, const QString &name,
                   const QColor &ink);
// Roman numeral of fret 1-5 in the style of the chord cards.
void drawFretNumeral(QPainter &painter, const FontSet &fonts, QSize size, int fret);

// Casual hand lettering with taller initial capitals and a soft shadow.
void drawHeading(QPainter &painter, const FontSet &fonts, QSize size, const QString &words,
                 const QColor &ink);
void drawBanner(QPainter &painter, const FontSet &fonts);

void drawNeck(QPainter &painter);
void drawTeddy(QPainter &painter);

// The portrait icon in a 256 x 256 box; scale the painter for smaller sizes.
void drawPortraitIcon(QPainter &painter, const FontSet &fonts);
// The sizes too small for the scaled drawing (16, 24, 32) are drawn for their grid.
bool hasSmallPortraitIcon(int size);
void drawSmallPortraitIcon(QPainter &painter, int size);

enum class HandPose { Button, Window };
// A 32 x 32 pixel-art hand in crisp, unsmoothed pixels; the fingertip is at the
// top edge, columns 8-11 (button hand) or 14-17 (window hand).
void drawHandPointer(QPainter &painter, HandPose pose);

} // namespace griffwandler::artwork
