#pragma once

#include "bildkatalog.h" // Bildart and the list of picture files, from bilder.manifest

#include <QCursor>
#include <QFont>
#include <QIcon>
#include <QPixmap>
#include <QString>

namespace griffwandler::assets {

// A picture of the set: its kind and index (chord column 0-11, fret 0-4, 0 for
// single pictures).
struct BildId {
    Bildart art;
    int index = 0;
    friend bool operator==(const BildId &, const BildId &) = default;
};

// A picture and the short German description a screen reader says for it
// (chord cards: the chord's spoken name, e.g. "F", "Cis", "B", "H"; fret numerals
// "Bund I" …; headings their words; teddy "Teddybär"; banner, neck: a short German
// name), and for the black keys' cards a detail with the flat name ("Cis, auch Des").
struct Picture {
    QPixmap pixmap; // device pixel ratio 2 twin chosen automatically on 2x screens
    QString description;
    QString detail; // empty when there is nothing to add
};

// The picture file of a kind and index, as the manifest lists it; null when the
// manifest has none.
const Bilddatei *bilddatei(BildId id);

// Loaded once and cached until the application ends; needs a QGuiApplication.
// Throws std::out_of_range for a picture the program does not embed.
Picture picture(BildId id);
QIcon programIcon();     // all sizes of the manifest
QCursor buttonPointer(); // 32x32 hand, hot spot at the fingertip
QCursor windowPointer();
QFont formFont();    // embedded Liberation Sans Bold, pixel size 16 (Arial 12 pt bold)
QFont controlFont(); // embedded Liberation Sans Regular, small (pixel size 11)

} // namespace griffwandler::assets
