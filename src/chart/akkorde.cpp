#include "akkorde.h"

#include <stdexcept>
#include <string>

namespace griffwandler {

const Akkord &akkord(int spalte)
{
    indexPruefen("chord column", spalte, SpaltenAnzahl);
    return Akkorde[std::size_t(spalte)];
}

void indexPruefen(const char *what, int index, int count)
{
    if (index < 0 || index >= count)
        throw std::out_of_range(std::string(what) + ' ' + std::to_string(index) +
                                " is outside the range 0 to " + std::to_string(count - 1));
}

} // namespace griffwandler
