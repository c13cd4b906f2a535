#pragma once

#include "assets/bilder.h"

#include <QString>

namespace griffwandler::app {

class ControlSet;

// A picture as screen readers name it: a chord card by its chord ("Dis"), a fret
// numeral as "Bund III", the others by a few words ("Teddybär"); the banner, whose
// words are its own, by the program's title. The detail, for a black key's card,
// adds the flat name ("Dis, auch Es"); else it is empty.
struct SpokenPicture {
    QString name;
    QString detail;
};
SpokenPicture spokenPicture(assets::BildId id);

// With the capo on a fret, a new card names the old chord it replaces ("spiele D
// statt F") and an old card the chord to play instead ("mit dem Kapo im dritten
// Bund: D"); `capo` is the capo text of Label1 ("Kapo im dritten Bund. Bund III.").
// A black key's flat name comes first, as it does before any fret is chosen.
QString newCardDescription(const SpokenPicture &played, const SpokenPicture &written);
QString oldCardDescription(const SpokenPicture &written, const SpokenPicture &played,
                           const QString &capo);

// Gives both rows of cards these descriptions for the chart the window shows now:
// the chords are read from the cards of each column, the capo from Label1.
void describeCards(ControlSet &controlSet);

} // namespace griffwandler::app
