#pragma once

#include <climits>

namespace griffwandler::services {

// Lengths in twips, 1/1440 inch: 15 to a pixel on a screen of 96 dots per inch.
inline constexpr int TwipsProPixel = 15;

// The whole pixel nearest to a length in twips, which may be fractional;
// halves round away from zero. Beyond the range of int the result stays at
// its end.
constexpr int twipsZuPixeln(double twips)
{
    const double pixels = twips / TwipsProPixel;
    if (!(pixels > double(INT_MIN)))
        return INT_MIN;
    if (!(pixels < double(INT_MAX)))
        return INT_MAX;
    return static_cast<int>(pixels < 0 ? pixels - 0.5 : pixels + 0.5);
}

constexpr float pixelZuTwips(double pixels)
{
    return static_cast<float>(pixels * TwipsProPixel);
}

static_assert(twipsZuPixeln(1672.5) == 112 && twipsZuPixeln(-7.5) == -1 &&
              twipsZuPixeln(22.5) == 2 && twipsZuPixeln(11895) == 793);

} // namespace griffwandler::services
