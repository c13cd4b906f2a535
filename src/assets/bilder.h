#pragma once

#include "assets/bildkatalog.h" // Bildart and the list of picture files, from bilder.manifest

#include <QCursor>
#include <QFont>
#include <QIcon>
#include <QPixmap>

namespace griffwandler::assets {

// A picture of the set: its kind and index (chord column 0-11, fret 0-4, 0 for
// single pictures).
struct BildId {
    Bildart art;
    int index = 0;
    friend bool operator==(const BildId &, const BildId &) = default;
};

// The picture file of a kind and index, as the manifest lists it; null when the
// manifest has none.
const Bilddatei *bilddatei(BildId id);

// The picture, loaded once and cached until the application ends; on screens
// finer than 1:1 its twin at twice the resolution. Needs a QGuiApplication.
// Throws std::out_of_range for a picture the program does not embed.
QPixmap bild(BildId id);

QIcon programIcon();     // all sizes of the manifest
QCursor buttonPointer(); // 32x32 hand, hot spot at the fingertip
QCursor windowPointer();
QFont formFont();    // embedded Liberation Sans Bold, pixel size 16 (Arial 12 pt bold)
QFont controlFont(); // embedded Liberation Sans Regular, small (pixel size 11)

} // namespace griffwandler::assets
