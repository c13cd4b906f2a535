#include "drawings.h"
#include "raster.h"

#include <QPainterPathStroker>

#include <array>
#include <cmath>
#include <span>
#include <string_view>

namespace griffwandler::artwork {

namespace {

// A pencil line: the path traced a few times with a slight tremble and
// varying pressure, as a hand would.
void pencil(QPainter &painter, const QPainterPath &path, Noise &noise, qreal width, int darkness,
            int passes = 3)
{
    painter.setBrush(Qt::NoBrush);
    for (int pass = 0; pass < passes; ++pass) {
        const qreal dx = noise.uniform(-0.9, 0.9);
        const qreal dy = noise.uniform(-0.9, 0.9);
        const int grey = int(noise.uniform(0.0, 40.0));
        const int alpha = std::clamp(darkness + int(noise.uniform(-30, 30)), 20, 255);
        painter.setPen(QPen(QColor(grey, grey, grey + 4, alpha), width * noise.uniform(0.7, 1.2),
                            Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPath(path.translated(dx, dy));
    }
}

// Parallel diagonal strokes inside region, light to dark with the given density.
void hatch(QPainter &painter, const QPainterPath &region, Noise &noise, qreal spacing,
           qreal angleDegrees, int alpha, qreal width = 1.0)
{
    painter.save();
    painter.setClipPath(region, Qt::IntersectClip);
    const QRectF box = region.boundingRect().adjusted(-40, -40, 40, 40);
    const qreal a = angleDegrees * M_PI / 180;
    const QPointF dir(std::cos(a), std::sin(a));
    const QPointF normal(-dir.y(), dir.x());
    const QPointF c = box.center();
    const qreal reach = std::hypot(box.width(), box.height()) / 2;
    for (qreal t = -reach; t <= reach; t += spacing) {
        const QPointF base = c + normal * (t + noise.uniform(-0.6, 0.6));
        const QPointF from = base - dir * (reach * noise.uniform(0.8, 1.0));
        const QPointF to = base + dir * (reach * noise.uniform(0.8, 1.0));
        const int g = int(noise.uniform(10, 60));
        painter.setPen(
            QPen(QColor(g, g, g, std::clamp(alpha + int(noise.uniform(-25, 25)), 10, 255)),
                 width * noise.uniform(0.6, 1.3), Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(from, to);
    }
    painter.restore();
}

QPainterPath curve(std::initializer_list<QPointF> points)
{
    // A smooth line through the points (Catmull-Rom as cubic Béziers).
    const QList<QPointF> p(points);
    QPainterPath path(p.first());
    for (qsizetype i = 0; i + 1 < p.size(); ++i) {
        const QPointF p0 = p[std::max<qsizetype>(i - 1, 0)];
        const QPointF p1 = p[i];
        const QPointF p2 = p[i + 1];
        const QPointF p3 = p[std::min<qsizetype>(i + 2, p.size() - 1)];
        path.cubicTo(p1 + (p2 - p0) / 6, p2 - (p3 - p1) / 6, p2);
    }
    return path;
}

QPainterPath closedCurve(std::initializer_list<QPointF> points)
{
    QPainterPath path = curve(points);
    path.closeSubpath();
    return path;
}

void drawPortrait(QPainter &painter)
{
    Noise noise(4242);
    const QPainterPath face = closedCurve({{104, 92},
                                           {100, 122},
                                           {104, 152},
                                           {116, 178},
                                           {134, 196},
                                           {150, 201},
                                           {166, 196},
                                           {184, 178},
                                           {196, 152},
                                           {200, 122},
                                           {197, 92},
                                           {150, 78},
                                           {104, 92}});
    const QPainterPath neck = closedCurve(
        {{128, 186}, {126, 214}, {118, 240}, {182, 240}, {174, 214}, {172, 186}, {128, 186}});
    const QPainterPath hair = closedCurve({{98, 118},
                                           {92, 86},
                                           {102, 56},
                                           {128, 38},
                                           {160, 34},
                                           {190, 44},
                                           {206, 66},
                                           {208, 96},
                                           {202, 118},
                                           {196, 92},
                                           {184, 84},
                                           {170, 90},
                                           {156, 80},
                                           {140, 90},
                                           {124, 82},
                                           {110, 94},
                                           {98, 118}});

    // Shirt with an open collar.
    const QPainterPath shirt = closedCurve(
        {{70, 256}, {84, 236}, {118, 226}, {150, 244}, {182, 226}, {216, 236}, {232, 256}});
    hatch(painter, shirt, noise, 5.0, 60, 55, 1.1);
    pencil(painter, curve({{84, 236}, {118, 226}, {136, 250}}), noise, 1.6, 150);
    pencil(painter, curve({{216, 236}, {182, 226}, {166, 250}}), noise, 1.6, 150);
    pencil(painter, curve({{118, 226}, {150, 246}, {182, 226}}), noise, 1.3, 120);

    // Neck, shaded under the chin and on the right.
    hatch(painter, neck, noise, 3.2, 115, 45);
    QPainterPath chinShadow;
    chinShadow.addEllipse(QPointF(152, 206), 28, 9);
    hatch(painter, chinShadow.intersected(neck).subtracted(face), noise, 2.0, 45, 80);
    pencil(painter, curve({{130, 188}, {128, 212}, {120, 236}}), noise, 1.4, 150);
    pencil(painter, curve({{172, 188}, {174, 212}, {182, 236}}), noise, 1.4, 150);

    // Face: light from the left, so the right cheek and jaw are hatched.
    QPainterPath shadowSide;
    shadowSide.addEllipse(QPointF(206, 140), 36, 70);
    hatch(painter, face.intersected(shadowSide), noise, 3.0, 70, 55);
    QPainterPath temple;
    temple.addEllipse(QPointF(102, 128), 10, 30);
    hatch(painter, face.intersected(temple), noise, 3.5, 70, 40);

    // Ears.
    pencil(painter, curve({{101, 112}, {92, 110}, {90, 126}, {95, 142}, {104, 146}}), noise, 1.6,
           160);
    pencil(painter, curve({{199, 112}, {208, 108}, {211, 124}, {206, 142}, {197, 148}}), noise, 1.6,
           160);
    pencil(painter, curve({{96, 120}, {94, 128}, {99, 136}}), noise, 1.0, 110, 2);
    pencil(painter, curve({{205, 118}, {207, 128}, {202, 138}}), noise, 1.0, 110, 2);

    pencil(painter, face, noise, 1.8, 170);

    // Hair: a light base tone, then strands that sweep from the crown over the
    // forehead and down the sides, darker towards the parting.
    hatch(painter, hair, noise, 3.0, 100, 45, 1.0);
    painter.save();
    painter.setClipPath(hair);
    const QPointF crown(164, 36);
    for (int i = 0; i < 150; ++i) {
        const qreal t = noise.uniform(0, 1);
        // Ends along the fringe and the sides, from the left temple to the right.
        const QPointF end = t < 0.75 ? QPointF(96 + t / 0.75 * 100, 86 + noise.uniform(-4, 12))
                                     : QPointF(200 + noise.uniform(0, 8), 70 + (t - 0.75) * 180);
        const QPointF start = crown + QPointF(noise.uniform(-14, 14), noise.uniform(-4, 6));
        const QPointF bend = (start + end) / 2 + QPointF(noise.uniform(-10, 4), -14);
        const int dark = int(noise.uniform(70, 170));
        pencil(painter, curve({start, bend, end}), noise, noise.uniform(0.8, 1.6), dark, 1);
    }
    painter.restore();
    pencil(painter, hair, noise, 1.5, 150);

    // Brows.
    pencil(painter, curve({{116, 106}, {128, 100}, {142, 104}}), noise, 3.2, 170);
    pencil(painter, curve({{160, 104}, {174, 100}, {188, 105}}), noise, 3.2, 170);

    // Eyes: lids, iris, pupil and a spark of light left white.
    for (const qreal cx : {129.0, 173.0}) {
        const QPainterPath upper = curve({{cx - 13, 123}, {cx - 2, 115}, {cx + 12, 121}});
        const QPainterPath lower = curve({{cx - 12, 124}, {cx, 128}, {cx + 11, 123}});
        QPainterPath eye = upper;
        eye.connectPath(lower.toReversed());
        painter.save();
        painter.setClipPath(eye);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(70, 70, 74, 220));
        painter.drawEllipse(QPointF(cx + 1, 121.5), 5.6, 5.6);
        painter.setBrush(QColor(15, 15, 18));
        painter.drawEllipse(QPointF(cx + 1, 121.5), 2.6, 2.6);
        painter.setBrush(Qt::white);
        painter.drawEllipse(QPointF(cx - 1, 119.5), 1.4, 1.4);
        painter.restore();
        pencil(painter, upper, noise, 2.2, 200);
        pencil(painter, lower, noise, 1.0, 100, 2);
        pencil(painter, curve({{cx - 11, 113}, {cx, 110}, {cx + 10, 114}}), noise, 0.8, 60, 1);
    }

    // Nose: the bridge on the shaded side, the tip and the nostrils.
    pencil(painter, curve({{158, 126}, {162, 146}, {166, 158}}), noise, 1.2, 110, 2);
    pencil(painter, curve({{140, 161}, {146, 166}, {152, 164}, {158, 167}, {164, 162}}), noise, 1.6,
           170);
    QPainterPath noseShade;
    noseShade.addEllipse(QPointF(163, 150), 6, 14);
    hatch(painter, noseShade, noise, 2.2, 60, 45);

    // Mouth, a slight smile, the lower lip suggested by shade.
    pencil(painter, curve({{132, 179}, {142, 181}, {151, 180}, {160, 181}, {170, 178}}), noise, 2.0,
           190);
    pencil(painter, curve({{138, 177}, {151, 174}, {164, 177}}), noise, 0.9, 80, 2);
    QPainterPath lip;
    lip.addEllipse(QPointF(151, 186), 9, 2.6);
    hatch(painter, lip, noise, 2.4, 20, 35);
}

void drawCodeLetters(QPainter &painter, const FontSet &fonts)
{
    // Black F, and below it a black D; a red arrow leads from the F down to the right.
    const qreal size = 98;
    QPainterPath f = textPath(fonts.serifBold, size, QStringLiteral("F"));
    QPainterPath d = textPath(fonts.serifBold, size, QStringLiteral("D"));
    f.translate(QPointF(10, 16) - f.boundingRect().topLeft());
    d.translate(QPointF(8, 150) - d.boundingRect().topLeft());
    // A white halo keeps the letters readable over the drawing.
    for (const QPainterPath &letter : {f, d}) {
        painter.setPen(QPen(Qt::white, 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(letter);
    }
    painter.fillPath(f, Qt::black);
    painter.fillPath(d, Qt::black);

    const QPointF from(72, 76);
    const QPointF to(104, 124);
    const QPointF dir = (to - from) / std::hypot(to.x() - from.x(), to.y() - from.y());
    const QPointF normal(-dir.y(), dir.x());
    QPainterPath arrow;
    const qreal shaft = 6;
    const qreal headLength = 22;
    const qreal headWidth = 14;
    const QPointF neck = to - dir * headLength;
    arrow.moveTo(from + normal * shaft);
    arrow.lineTo(neck + normal * shaft);
    arrow.lineTo(neck + normal * headWidth);
    arrow.lineTo(to);
    arrow.lineTo(neck - normal * headWidth);
    arrow.lineTo(neck - normal * shaft);
    arrow.lineTo(from - normal * shaft);
    arrow.closeSubpath();
    painter.setPen(QPen(Qt::white, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(arrow);
    painter.setPen(Qt::NoPen);
    painter.fillPath(arrow, CardRed);
}

// The portrait icon's small sizes, drawn pixel by pixel for their grid: scaled
// down, the drawing runs together into grey. One character a pixel: K black
// letters, R the red arrow; the portrait in greys: h hair, g strands and shade,
// o outline, e eyes, m mouth, s shirt; '.' white.
constexpr std::array<std::string_view, 16> Icon16 = {
    "................", //
    "KKKKK.....hhhh..", //
    "KK.......hhhhhh.", //
    "KKKK....hhhhhhhh", //
    "KK..R...hhghhghh", //
    "KK...R.Ro......o", //
    "KK....RRo.e..e.o", //
    ".....RRRo......o", //
    "........o...g..o", //
    "KKKK....o......o", //
    "KK.KK....o.mm.o.", //
    "KK.KK.....o..o..", //
    "KK.KK......oo...", //
    "KK.KK......oo...", //
    "KKKK.....oo..oo.", //
    "........o.....o.", //
};

constexpr std::array<std::string_view, 24> Icon24 = {
    "........................", //
    "..............hhhhh.....", //
    "KKKKKKK.....hhhhhhhhhh..", //
    ".KK...K....hhhhhhhhhhhh.", //
    ".KK.......hhhhhhhhhhhh..", //
    ".KK.K.....hhhhhhhhhhhhh.", //
    ".KKKK.....hhhghhhghhghhh", //
    ".KK..RR...hhg.g..g.g.ghh", //
    ".KK..RRR..ho..........oh", //
    ".KK...RRR.Ro.ooo..ooo.o.", //
    "KKKK...RRRRo..........o.", //
    "........RRRo..ee..ee..o.", //
    "......RRRRRo..........o.", //
    "...........o.....g....o.", //
    "KKKKK......o....gg....o.", //
    ".KK.KK......o........o..", //
    ".KK..KK.....o..mmmm..o..", //
    ".KK..KK......o......o...", //
    ".KK..KK.......o....o....", //
    ".KK..KK........oooo.....", //
    ".KK..KK........o..o.....", //
    ".KK.KK.......ooo..ooo...", //
    "KKKKK......oo........oo.", //
    "..........o...........o.", //
};

constexpr std::array<std::string_view, 32> Icon32 = {
    "................................", //
    "................................", //
    "....................hhhhhh......", //
    "KKKKKKKKK........hhhhhhhhhhhh...", //
    ".KKK...KK.......hhhhhhhhhhhhhh..", //
    ".KKK....K......hhhhhhhhhhhhhhhh.", //
    ".KKK...........hhhhhhhhhhhhhhhh.", //
    ".KKK.K........hhhhhhhhhhhhhhhhhh", //
    ".KKKKK........hhhhghhhhghhhghhhh", //
    ".KKK..RR......hhhg.gghg..ghg.ghh", //
    ".KKK..RRR.....hhg.........g..ghh", //
    ".KKK...RRR....o...............o.", //
    ".KKK....RRR..Ro..oooo...oooo..o.", //
    ".KKK.....RRR.Ro...............oo", //
    "KKKKK.....RRRRo..gee.....eeg..oo", //
    "...........RRRo...............oo", //
    "........RRRRRRo........g......o.", //
    "..............o........g......o.", //
    "..............o.......gg......o.", //
    "KKKKKKK........o...g.gg.g....o..", //
    ".KKK..KK.......o.............o..", //
    ".KKK...KK.......o..mmmmmmm..o...", //
    ".KKK...KK.......o...........o...", //
    ".KKK...KK........o.........o....", //
    ".KKK...KK.........ooooooooo.....", //
    ".KKK...KK..........o.....o......", //
    ".KKK...KK..........o.....o......", //
    ".KKK...KK.......oooo.....oooo...", //
    ".KKK...KK....oo.ss.........ss.oo", //
    ".KKK..KK.....o.ss...........ss.o", //
    "KKKKKKK.........................", //
    "................................", //
};

QColor smallIconColour(char c)
{
    switch (c) {
    case 'K':
        return Qt::black;
    case 'R':
        return CardRed;
    case 'h':
        return {40, 40, 44};
    case 'g':
        return {125, 125, 130};
    case 'o':
        return {64, 64, 70};
    case 'e':
        return {15, 15, 18};
    case 'm':
        return {95, 95, 100};
    case 's':
        return {200, 200, 204};
    default:
        return Qt::white;
    }
}

std::span<const std::string_view> smallIconRows(int size)
{
    switch (size) {
    case 16:
        return Icon16;
    case 24:
        return Icon24;
    case 32:
        return Icon32;
    default:
        return {};
    }
}

} // namespace

bool hasSmallPortraitIcon(int size)
{
    return !smallIconRows(size).empty();
}

void drawSmallPortraitIcon(QPainter &painter, int size)
{
    // Whole pixels only: smoothing would bring back the grey this size avoids.
    painter.setRenderHint(QPainter::Antialiasing, false);
    const std::span<const std::string_view> rows = smallIconRows(size);
    for (std::size_t y = 0; y < rows.size(); ++y)
        for (std::size_t x = 0; x < rows[y].size(); ++x)
            painter.fillRect(QRect(int(x), int(y), 1, 1), smallIconColour(rows[y][x]));
}

void drawPortraitIcon(QPainter &painter, const FontSet &fonts)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(QRectF(0, 0, 256, 256), Qt::white);
    drawPortrait(painter);
    drawCodeLetters(painter, fonts);
}

} // namespace griffwandler::artwork
