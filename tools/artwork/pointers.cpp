#include "drawings.h"

#include <array>
#include <string_view>

namespace griffwandler::artwork {

namespace {

// The hand as pixel art, one character a pixel: K black, a/b/c the three skin
// tones from light to shade, '.' transparent. The little finger is raised on the
// button hand and bent on the window hand.
constexpr std::array<std::string_view, 32> ButtonHand = {
    "........KKKK..............", //
    ".......KaaaaK.............", //
    ".......KaaabK.............", //
    ".......KaaabK.............", //
    ".......KaaabK.............", //
    ".......KaaabK.............", //
    ".......KaaabK.............", //
    ".......KaaabK.......KK....", //
    ".......KaaabK......KaaK...", //
    ".......KaaabK.KK...KaabK..", //
    ".......KaaabKKaaKK.KaabK..", //
    ".......KaaabKaaabKKKaabK..", //
    ".KKK...KaaabKaaabKaKaabK..", //
    "KaaaK..KaaabKcccKaaKaabK..", //
    "KaabaK.KaaabKaaaKcccKabK..", //
    ".KaabaKKaaaaaaaaaaaaKbbK..", //
    "..KaabaKaaaaaaaaaaaaabbK..", //
    "...KaabaaaaaaaaaaaaaabbK..", //
    "....KaaaaaaaaaaaaaaaabbK..", //
    ".....KaaaaaaaaaaaaaaabbK..", //
    ".....KaaaaaaaaaaaaaaabcK..", //
    "......KaaaaaaaaaaaaabbcK..", //
    "......KaaaaaaaaaaaaabccK..", //
    ".......KaaaaaaaaaaabccK...", //
    ".......KbaaaaaaaaabbccK...", //
    "........KbbbbbbbbbcccK....", //
    "........KKKKKKKKKKKKKK....", //
    "........KKKKKKKKKKKKKK....", //
    "........KKKKKKKKKKKKKK....", //
    "........KKKKKKKKKKKKKK....", //
    "........KKKKKKKKKKKKKK....", //
    "........KKKKKKKKKKKKKK....", //
};

// Rows 7-15 of the window hand: the little finger bent like the other two.
constexpr std::array<std::string_view, 9> BentLittleFinger = {
    ".......KaaabK.............", //
    ".......KaaabK.............", //
    ".......KaaabK.............", //
    ".......KaaabK.KK..........", //
    ".......KaaabKKaaKK.KK.....", //
    ".......KaaabKaaabKKaaKK...", //
    ".KKK...KaaabKaaabKaaabK...", //
    "KaaaK..KaaabKcccKaaabbK...", //
    "KaabaK.KaaabKaaaKcccbbK...", //
};

QColor colourOf(char c)
{
    switch (c) {
    case 'K':
        return Qt::black;
    case 'a':
        return {255, 226, 177};
    case 'b':
        return {255, 199, 177};
    case 'c':
        return {255, 142, 142};
    default:
        return Qt::transparent;
    }
}

} // namespace

void drawHandPointer(QPainter &painter, HandPose pose)
{
    // Crisp pixels: a pointer is shown at its own size, never smoothed.
    painter.setRenderHint(QPainter::Antialiasing, false);
    const int shift = pose == HandPose::Button ? 0 : 6;
    for (int y = 0; y < 32; ++y) {
        std::string_view row = ButtonHand[std::size_t(y)];
        if (pose == HandPose::Window && y >= 7 && y < 7 + int(BentLittleFinger.size()))
            row = BentLittleFinger[std::size_t(y - 7)];
        for (std::size_t x = 0; x < row.size(); ++x) {
            const QColor colour = colourOf(row[x]);
            if (colour.alpha() != 0)
                painter.fillRect(QRect(int(x) + shift, y, 1, 1), colour);
        }
    }
}

} // namespace griffwandler::artwork
