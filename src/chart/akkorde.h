#pragma once

#include <QString>

#include <array>
#include <string_view>

namespace griffwandler {

inline constexpr int BundAnzahl = 5;     // fret buttons and capo strips, index 0 to 4
inline constexpr int SpaltenAnzahl = 12; // chord columns, index 0 (C) to 11 (H)

// The chord of a column, the root k semitones above C: as its card writes it,
// as German speakers say it, and, for the black keys, the flat name a song
// sheet may use instead (B is a flat already and has none).
struct Akkord {
    std::u16string_view geschrieben;
    std::u16string_view gesprochen;
    std::u16string_view auchAls;
};

inline constexpr std::array<Akkord, SpaltenAnzahl> Akkorde{{
    {u"C", u"C", {}},
    {u"C#", u"Cis", u"Des"},
    {u"D", u"D", {}},
    {u"D#", u"Dis", u"Es"},
    {u"E", u"E", {}},
    {u"F", u"F", {}},
    {u"F#", u"Fis", u"Ges"},
    {u"G", u"G", {}},
    {u"G#", u"Gis", u"As"},
    {u"A", u"A", {}},
    {u"B", u"B", {}},
    {u"H", u"H", {}},
}};

// The Roman numeral of fret number n = index + 1.
inline constexpr std::array<std::u16string_view, BundAnzahl> Bundzahlen{u"I", u"II", u"III", u"IV",
                                                                        u"V"};

inline QString text(std::u16string_view view)
{
    return QString::fromUtf16(view.data(), qsizetype(view.size()));
}

// The chord of column 0 to 11; std::out_of_range otherwise.
const Akkord &akkord(int spalte);

// Throws std::out_of_range, "<what> 7 is outside the range 0 to 4", unless
// 0 <= index < count.
void indexPruefen(const char *what, int index, int count);

} // namespace griffwandler
