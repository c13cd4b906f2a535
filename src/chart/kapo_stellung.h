#pragma once

#include "akkorde.h"
#include "benannte_steuerelemente.h"

#include <QString>
#include <QtGlobal>

#include <array>

namespace griffwandler {

// What the window shows with the capo on one fret: everything follows from the
// fret index alone, never from an earlier click.
struct KapoStellung {
    int bund = 0;                                    // fret number n = index + 1, 1 to 5
    QString beschriftung;                            // caption of Label1
    std::array<int, SpaltenAnzahl> quelle{};         // column c shows Rote(quelle[c])
    std::array<bool, BundAnzahl> streifen{};         // visibility of KapoStreifen(j)
    Steuerelement ueberschrift{Name::derneueAkkord}; // picture source of Image4

    friend bool operator==(const KapoStellung &, const KapoStellung &) = default;
};

// The capo setting of fret index 0 to 4. Any other index throws
// std::out_of_range naming the index and the allowed range.
KapoStellung kapoStellung(int bundIndex);

// Applies a capo setting to the window in its fixed order: hide all strips,
// show the chosen one, red heading, caption, then the twelve new-chord cards.
void kapoAnwenden(BenannteSteuerelemente &controls, const KapoStellung &stellung);

// Click on fret button `index`.
void BundTaste_Click(BenannteSteuerelemente &controls, qint16 index);

} // namespace griffwandler
