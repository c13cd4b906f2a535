#include "kapo_stellung.h"

#include <array>
#include <string_view>

namespace griffwandler {

namespace {

// "Kapo im dritten Bund. Bund III.": the fret as an ordinal word and as its numeral.
constexpr std::array<std::u16string_view, BundAnzahl> KapoTexte{
    u"Kapo im ersten Bund. Bund I.", u"Kapo im zweiten Bund. Bund II.",
    u"Kapo im dritten Bund. Bund III.", u"Kapo im vierten Bund. Bund IV.",
    u"Kapo im f\u00fcnften Bund. Bund V."};

// Whether `text` ends in " <numeral>.".
constexpr bool endsWithNumeral(std::u16string_view text, std::u16string_view numeral)
{
    const std::size_t tail = numeral.size() + 2;
    return text.size() > tail && text[text.size() - tail] == u' ' &&
           text.substr(text.size() - tail + 1, numeral.size()) == numeral && text.back() == u'.';
}

static_assert(
    [] {
        for (std::size_t k = 0; k < KapoTexte.size(); ++k)
            if (!endsWithNumeral(KapoTexte[k], Bundzahlen[k]))
                return false;
        return true;
    }(),
    "every capo text names its fret by the fret's numeral");

} // namespace

KapoStellung kapoStellung(int bundIndex)
{
    indexPruefen("fret index", bundIndex, BundAnzahl);

    KapoStellung stellung;
    stellung.bund = bundIndex + 1;
    stellung.beschriftung = text(KapoTexte[std::size_t(bundIndex)]);
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
    for (int j = 0; j < BundAnzahl; ++j)
        if (stellung.streifen[j])
            controls.setVisible({Name::KapoStreifen, j}, true);

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
