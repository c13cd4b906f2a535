#pragma once
#include "steuerelement.h" // griffwandler::Name from the chart library
#include <QCursor>
#include <QFont>
#include <QIcon>
#include <QList>
#include <QPixmap>
#include <QString>

namespace griffwandler::assets {

// The distinct kinds of picture; index selects the chord column (0-11) or fret (0-4).
enum class Bildart {
    BlaueKarte,
    RoteKarte,
    Bundzahl,
    Teddy,
    UeberschriftAlt,
    UeberschriftNeuBlau,
    UeberschriftNeuRot,
    Titel,
    Gitarrenhals
};

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

// Loaded once and cached; needs a QGuiApplication. Throws std::out_of_range for an
// index outside the kind's range (chord cards 0-11, frets 0-4, single pictures 0).
Picture picture(BildId id);
// The spoken German name of a column's chord: 0 "C", 1 "Cis", … 10 "B", 11 "H" (the
// card writes the sharps as "C#"). Throws std::out_of_range.
QString chordName(int column);
QIcon programIcon();     // all nine sizes
QCursor buttonPointer(); // 32x32 hand, hot spot at the fingertip
QCursor windowPointer();
QFont formFont();    // embedded Liberation Sans Bold, pixel size 16 (Arial 12 pt bold)
QFont controlFont(); // embedded Liberation Sans Regular, small (pixel size 11)

// Which control shows which picture when the window is built:
// Noten1(k), Noten2(k) -> BlaueKarte k; Rote(k) -> RoteKarte k; BundTaste(k) -> Bundzahl k;
// Teddy(k) -> Teddy; Image1 Gitarrenhals; Image2 Titel; Image3 UeberschriftAlt;
// Image4 UeberschriftNeuBlau; derneueAkkord UeberschriftNeuRot. Single controls have index -1.
struct Startbild {
    Name name;
    int index;
    BildId bild;
};
const QList<Startbild> &startbilder();

} // namespace griffwandler::assets
