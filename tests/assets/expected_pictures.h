#pragma once

#include "bilder.h"

#include <QList>
#include <QSize>
#include <QString>

namespace griffwandler::test {

// The picture set as the window expects it, written out independently of the
// library: resource file, size at 1x, whether a 2x twin exists, and how the
// background is made.
enum class Background { White, Transparent };

struct ExpectedPicture {
    QString file; // below ":/griffwandler/", without ".png"
    QSize size;
    bool twin;
    Background background;
};

inline QList<ExpectedPicture> expectedPictures()
{
    static const int blueSizes[12][2] = {{41, 44}, {41, 36}, {44, 43}, {41, 36},
                                         {37, 45}, {36, 44}, {41, 36}, {43, 45},
                                         {41, 36}, {43, 44}, {41, 36}, {44, 43}};
    static const int fretSizes[5][2] = {{30, 43}, {41, 43}, {52, 43}, {53, 44}, {42, 44}};
    QList<ExpectedPicture> list;
    for (int k = 0; k < 12; ++k) {
        const QString n = QStringLiteral("%1").arg(k, 2, 10, QLatin1Char('0'));
        list.append({QStringLiteral("cards/blue-") + n, QSize(blueSizes[k][0], blueSizes[k][1]),
                     true, Background::White});
        list.append({QStringLiteral("cards/red-") + n, QSize(41, 36), true, Background::White});
    }
    for (int f = 0; f < 5; ++f)
        list.append({QStringLiteral("frets/fret-%1").arg(f + 1),
                     QSize(fretSizes[f][0], fretSizes[f][1]), true, Background::White});
    list.append({QStringLiteral("teddy"), QSize(44, 37), true, Background::Transparent});
    list.append({QStringLiteral("heading-old"), QSize(222, 47), true, Background::Transparent});
    list.append(
        {QStringLiteral("heading-new-blue"), QSize(225, 47), true, Background::Transparent});
    list.append({QStringLiteral("heading-new-red"), QSize(225, 47), true, Background::Transparent});
    list.append({QStringLiteral("banner"), QSize(435, 57), true, Background::Transparent});
    list.append({QStringLiteral("neck"), QSize(127, 409), true, Background::Transparent});
    for (const int s : {256, 128, 96, 72, 64, 48, 32, 24, 16})
        list.append({QStringLiteral("icon/icon-%1").arg(s), QSize(s, s), false, Background::White});
    list.append({QStringLiteral("pointer-button"), QSize(32, 32), false, Background::Transparent});
    list.append({QStringLiteral("pointer-window"), QSize(32, 32), false, Background::Transparent});
    return list;
}

} // namespace griffwandler::test
