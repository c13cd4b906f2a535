#pragma once

#include "benannte_steuerelemente.h"
#include "kapo_stellung.h"

#include <QtGlobal>

#include <array>
#include <optional>

namespace griffwandler {

// Where the chord pointer stands: the column of the one visible teddy figure
// and pointer line, or no column at all before the first card click.
struct ZeigerStellung {
    std::optional<int> spalte;
    std::array<bool, SpaltenAnzahl> teddy{};     // visibility of Teddy(j)
    std::array<bool, SpaltenAnzahl> teddyLine{}; // visibility of TeddyLine(j)

    friend bool operator==(const ZeigerStellung &, const ZeigerStellung &) = default;
};

// The pointer on column 0 to 11. Any other index throws std::out_of_range
// naming the index and the allowed range.
ZeigerStellung zeigerStellung(int spalte);

// Applies a pointer to the window: hide every figure and line, column by column,
// then show the figure and the line of the pointer column.
void zeigerAnwenden(BenannteSteuerelemente &controls, const ZeigerStellung &stellung);

// Clicks on an old-chord card and on a new-chord card; both point at the column.
void Noten1_Click(BenannteSteuerelemente &controls, qint16 index);
void Noten2_Click(BenannteSteuerelemente &controls, qint16 index);

} // namespace griffwandler
