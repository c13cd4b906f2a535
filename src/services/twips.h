#pragma once

#include <climits>

namespace griffwandler::services {

// Lengths in twips, 1/1440 inch: 15 to a pixel on a screen of 96 dots per inch.
inline constexpr int TwipsPerPixel = 15;

// The whole pixel nearest to a length in twips, which may be fractional;
// halves round away from zero. Beyond the range of int the result stays at
// its end.
constexpr int twipsToPixels(double twips)
{
    const double pixels = twips / TwipsPerPixel;
    if (!(pixels > double(INT_MIN)))
        return INT_MIN;
    if (!(pixels < double(INT_MAX)))
        return INT_MAX;
    return static_cast<int>(pixels < 0 ? pixels - 0.5 : pixels + 0.5);
}

constexpr float pixelsToTwips(double pixels)
{
    return static_cast<float>(pixels * TwipsPerPixel);
}

static_assert(twipsToPixels(1672.5) == 112 && twipsToPixels(-7.5) == -1 &&
              twipsToPixels(22.5) == 2 && twipsToPixels(11895) == 793);

} // namespace griffwandler::services
