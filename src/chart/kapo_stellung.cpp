#include "kapo_stellung.h"

#include <stdexcept>
#include <string>

namespace griffwandler {

namespace {

QString capoText(int bundIndex)
{
    switch (bundIndex) {
    case 0:
        return QStringLiteral("Kapo im ersten Bund. Bund I.");
    case 1:
        return QStringLiteral("Kapo im zweiten Bund. Bund II.");
    case 2:
        return QStringLiteral("Kapo im dritten Bund. Bund III.");
    case 3:
        return QStringLiteral("Kapo im vierten Bund. Bund IV.");
    default:
        return QStringLiteral("Kapo im fünften Bund. Bund V.");
    }
}

} // namespace

KapoStellung kapoStellung(int bundIndex)
{
    if (bundIndex < 0 || bundIndex >= BundAnzahl)
        throw std::out_of_range("fret index " + std::to_string(bundIndex) +
                                " is outside the range 0 to 4");

    KapoStellung stellung;
    stellung.bund = bundIndex + 1;
    stellung.beschriftung = capoText(bundIndex);
    // The chord n semitones lower; adding 12 keeps the remainder non-negative.
    for (int c = 0; c < SpaltenAnzahl; ++c)
        stellung.quelle[c] = (c - stellung.bund + SpaltenAnzahl) % SpaltenAnzahl;
    for (int j = 0; j < BundAnzahl; ++j)
        stellung.streifen[j] = (j == bundIndex);
    return stellung;
}

void kapoAnwenden(BenannteSteuerelemente &controls, const KapoStellung &stellung)
{
    for (int j = 0; j < BundAnzahl; ++j)
        controls.setVisible({Name::KapoStreifen, j}, false);
    controls.setVisible({Name::KapoStreifen, stellung.bund - 1}, true);

    controls.setPicture({Name::Image4}, controls.picture(stellung.ueberschrift));
    controls.setCaption({Name::Label1}, stellung.beschriftung);

    for (int c = 0; c < SpaltenAnzahl; ++c)
        controls.setPicture({Name::Noten2, c}, controls.picture({Name::Rote, stellung.quelle[c]}));
}

void BundTaste_Click(BenannteSteuerelemente &controls, qint16 index)
{
    kapoAnwenden(controls, kapoStellung(index));
}

} // namespace griffwandler
