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
    bool icon;    // one of the program icon's sizes, also in the .ico file
    bool decoded; // also written decoded (.argb), to be embedded in the program
    std::function<void(QPainter &)> draw;
};

// Every picture of the set, in the order of the manifest and of the contact
// sheet; the program icon's sizes come largest first, as in the .ico file.
QList<Artwork> catalogue(const FontSet &fonts);

// Draws one artwork at the given scale.
QImage render(const Artwork &artwork, int scale);

} // namespace griffwandler::artwork
