#include "plattform.h"

namespace griffwandler::services {

// A platform without a file of its own: the toolkit alone.
const Plattform &plattform()
{
    static const Plattform allgemein;
    return allgemein;
}

} // namespace griffwandler::services
