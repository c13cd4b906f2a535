#pragma once

#include "font_set.h"

#include <QList>
#include <QPainter>
#include <QSize>
#include <QString>

#include <functional>

namespace griffwandler::artwork {

// One picture file to produce.
struct Artwork {
    QString file; // below the assets folder, without ".png"
    QSize size;   // in pixels at 1x
    bool twin;    // also written at twice the resolution as "<file>@2x.png"
    bool opaque;  // white background, written without alpha
    std::function<void(QPainter &)> draw;
};

// Every picture of the set, in the order of the contact sheet.
QList<Artwork> catalogue(const FontSet &fonts);

// The icon's sizes, largest first (the order of the entries in the .ico file).
const QList<int> &iconSizes();

// Draws one artwork at the given scale.
QImage render(const Artwork &artwork, int scale);

} // namespace griffwandler::artwork
