#include "zeiger_stellung.h"

namespace griffwandler {

ZeigerStellung zeigerStellung(int spalte)
{
    indexPruefen("column index", spalte, SpaltenAnzahl);

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
    for (int j = 0; j < SpaltenAnzahl; ++j)
        if (stellung.teddy[j])
            controls.setVisible({Name::Teddy, j}, true);
    for (int j = 0; j < SpaltenAnzahl; ++j)
        if (stellung.teddyLine[j])
            controls.setVisible({Name::TeddyLine, j}, true);
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
