#include "zeiger_stellung.h"

#include <stdexcept>
#include <string>

namespace griffwandler {

ZeigerStellung zeigerStellung(int spalte)
{
    if (spalte < 0 || spalte >= SpaltenAnzahl)
        throw std::out_of_range("column index " + std::to_string(spalte) +
                                " is outside the range 0 to 11");

    ZeigerStellung stellung;
    stellung.spalte = spalte;
    stellung.teddy[spalte] = true;
    stellung.teddyLine[spalte] = true;
    return stellung;
}

void zeigerAnwenden(BenannteSteuerelemente &controls, const ZeigerStellung &stellung)
{
    for (int j = 0; j < SpaltenAnzahl; ++j) {
        controls.setVisible({Name::Teddy, j}, false);
        controls.setVisible({Name::TeddyLine, j}, false);
    }
    if (!stellung.spalte)
        return;
    controls.setVisible({Name::Teddy, *stellung.spalte}, true);
    controls.setVisible({Name::TeddyLine, *stellung.spalte}, true);
}

void Noten1_Click(BenannteSteuerelemente &controls, qint16 index)
{
    zeigerAnwenden(controls, zeigerStellung(index));
}

void Noten2_Click(BenannteSteuerelemente &controls, qint16 index)
{
    zeigerAnwenden(controls, zeigerStellung(index));
}

} // namespace griffwandler
