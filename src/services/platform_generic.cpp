#include "platform.h"

namespace griffwandler::services {

// A platform without a file of its own (macOS, or a Linux build without
// libxcb's headers): the toolkit alone.
const Platform &platform()
{
    static const Platform generic;
    return generic;
}

} // namespace griffwandler::services
