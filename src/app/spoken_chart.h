#pragma once

#include <QString>

namespace griffwandler::app {

class ControlSet;

// A chord card as screen readers name it: its chord ("Dis") and, for a black key,
// the chord with its flat name ("Dis, auch Es"), else empty.
struct SpokenChord {
    QString name;
    QString detail;
};

// With the capo on a fret, a new card names the old chord it replaces ("spiele D
// statt F") and an old card the chord to play instead ("mit dem Kapo im dritten
// Bund: D"); `capo` is the capo text of Label1 ("Kapo im dritten Bund. Bund III.").
// A black key's flat name comes first, as it does before any fret is chosen.
QString newCardDescription(const SpokenChord &played, const SpokenChord &written);
QString oldCardDescription(const SpokenChord &written, const SpokenChord &played,
                           const QString &capo);

// Gives both rows of cards these descriptions for the chart the window shows now:
// the chords are read from the cards of each column, the capo from Label1.
void describeCards(ControlSet &controls);

} // namespace griffwandler::app
