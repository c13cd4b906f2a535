#include "drawings.h"
#include "raster.h"

#include <QLinearGradient>
#include <QRadialGradient>

#include <array>
#include <cmath>

namespace griffwandler::artwork {

namespace {

// The neck is symmetric about this column.
constexpr qreal Axis = 61.5;
constexpr qreal NutTop = 192;
constexpr qreal NutBottom = 199; // rows 192-198
constexpr qreal Bottom = 409;
// Fret wires, centred on these rows; the gaps shrink down the neck.
constexpr std::array<qreal, 5> FretRows = {242.5, 285.5, 325.5, 363.5, 399.5};
constexpr std::array<qreal, 3> TunerRows = {40, 86, 132};
// Posts stand far enough out that each string passes inside the posts nearer
// the nut.
constexpr qreal PostInset = 33.5; // post centre from the axis

// Fretboard edges: columns 33-89 at the nut, 32-91 at the bottom.
qreal boardLeft(qreal y)
{
    return 33 - (y - NutTop) / (Bottom - NutTop);
}

qreal boardRight(qreal y)
{
    return 90 + 2 * (y - NutTop) / (Bottom - NutTop);
}

// String i (0 = low E, left) where it crosses row y, below the nut.
qreal stringX(int i, qreal y)
{
    const qreal t = (y - NutTop) / (Bottom - NutTop);
    const qreal left = 38.0 - 1.5 * t;
    const qreal right = 85.0 + 3.0 * t;
    return left + (right - left) * i / 5.0;
}

QPointF postCentre(int i)
{
    // Low E, A, D to the left posts (E farthest from the nut), G, B, e to the right.
    const int side = i < 3 ? -1 : 1;
    const int row = i < 3 ? i : 5 - i;
    return {Axis + side * PostInset, TunerRows[row]};
}

QPainterPath headstockOutline()
{
    QPainterPath left;
    left.moveTo(Axis, 12);
    left.cubicTo(55, 6, 48, 2.5, 41, 3);
    left.cubicTo(31, 3.5, 23, 7, 19.5, 15);
    left.cubicTo(20, 60, 20.5, 110, 21.5, 146);
    left.cubicTo(22.5, 166, 28, 178, 33, 186);
    left.lineTo(33, NutBottom + 1);
    left.lineTo(Axis, NutBottom + 1);
    left.closeSubpath();
    QPainterPath whole = left;
    whole.addPath(QTransform(-1, 0, 0, 1, 2 * Axis, 0).map(left));
    return whole.simplified();
}

QPainterPath fretboardOutline()
{
    QPainterPath board;
    board.moveTo(boardLeft(NutTop), NutTop);
    board.lineTo(boardRight(NutTop), NutTop);
    board.lineTo(boardRight(Bottom), Bottom);
    board.lineTo(boardLeft(Bottom), Bottom);
    board.closeSubpath();
    return board;
}

// Long grain lines running down a piece of wood, with pores between them.
void paintGrain(QPainter &painter, const QRectF &area, std::uint32_t seed, const QColor &dark,
                const QColor &light, int lines, qreal waviness)
{
    Noise noise(seed);
    for (int line = 0; line < lines; ++line) {
        const qreal x0 = area.left() + noise.uniform(0, area.width());
        QPainterPath grain;
        const int steps = int(area.height() / 3);
        for (int s = 0; s <= steps; ++s) {
            const qreal y = area.top() + s * area.height() / steps;
            const qreal x = x0 + waviness * valueNoise(seed + std::uint32_t(line), y / 37.0) +
                            0.35 * valueNoise(seed * 7 + std::uint32_t(line), y / 6.0);
            if (s == 0)
                grain.moveTo(x, y);
            else
                grain.lineTo(x, y);
        }
        const bool isLight = noise.next() % 3 == 0;
        QColor c = isLight ? light : dark;
        c.setAlpha(int(noise.uniform(20, isLight ? 55 : 85)));
        painter.setPen(QPen(c, noise.uniform(0.3, 1.1)));
        painter.drawPath(grain);
    }
    painter.setPen(Qt::NoPen);
    for (int pore = 0; pore < int(area.width() * area.height() / 40); ++pore) {
        const QPointF at(noise.uniform(area.left(), area.right()),
                         noise.uniform(area.top(), area.bottom()));
        QColor c = dark;
        c.setAlpha(int(noise.uniform(30, 90)));
        painter.setBrush(c);
        painter.drawEllipse(QRectF(at.x() - 0.25, at.y() - 0.7, 0.5, 1.4));
    }
}

void paintHeadstock(QPainter &painter)
{
    const QPainterPath outline = headstockOutline();
    QLinearGradient wood(QPointF(19, 0), QPointF(104, 0));
    wood.setStops({{0.0, QColor(62, 28, 14)},
                   {0.18, QColor(110, 52, 24)},
                   {0.5, QColor(128, 62, 28)},
                   {0.82, QColor(104, 48, 22)},
                   {1.0, QColor(58, 26, 12)}});
    painter.fillPath(outline, wood);

    painter.save();
    painter.setClipPath(outline);
    paintGrain(painter, QRectF(18, 0, 88, 200), 1201, QColor(50, 20, 8), QColor(190, 110, 60), 70,
               2.2);
    // Lacquer: a soft, broad gloss running down the left half.
    QLinearGradient gloss(QPointF(22, 0), QPointF(70, 0));
    gloss.setStops({{0.0, QColor(255, 255, 255, 0)},
                    {0.35, QColor(255, 240, 220, 46)},
                    {0.55, QColor(255, 240, 220, 12)},
                    {1.0, QColor(255, 255, 255, 0)}});
    painter.fillRect(QRectF(18, 0, 90, 200), gloss);
    // Shade where the headstock narrows into the neck.
    QLinearGradient throat(QPointF(0, 150), QPointF(0, 192));
    throat.setStops({{0.0, QColor(0, 0, 0, 0)}, {1.0, QColor(0, 0, 0, 60)}});
    painter.fillRect(QRectF(18, 150, 90, 50), throat);
    painter.restore();

    // Cream binding round the face, and a dark edge outside it.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(40, 18, 8), 1.4));
    painter.drawPath(outline);
    painter.setPen(QPen(QColor(236, 222, 188), 0.9));
    painter.drawPath(QTransform::fromTranslate(0, 0).map(outline));
    painter.setPen(QPen(QColor(40, 18, 8, 160), 0.5));
    painter.drawPath(outline);

    // Mother-of-pearl inlay: a small four-leaf flower below the top edge.
    QPainterPath flower;
    for (int leaf = 0; leaf < 4; ++leaf) {
        QPainterPath petal;
        petal.moveTo(0, 0);
        petal.cubicTo(-3.2, -3.5, -2.2, -8.5, 0, -9);
        petal.cubicTo(2.2, -8.5, 3.2, -3.5, 0, 0);
        QTransform t;
        t.translate(Axis, 31);
        t.rotate(45 + 90 * leaf);
        flower.addPath(t.map(petal));
    }
    QRadialGradient nacre(QPointF(Axis - 2, 29), 9);
    nacre.setStops({{0.0, QColor(255, 255, 250)},
                    {0.4, QColor(226, 240, 236)},
                    {0.7, QColor(240, 222, 236)},
                    {1.0, QColor(190, 200, 214)}});
    painter.setPen(QPen(QColor(40, 18, 8, 170), 0.4));
    painter.setBrush(nacre);
    painter.drawPath(flower);

    // Truss-rod cover: a small black bell with two screws.
    QPainterPath bell;
    bell.moveTo(Axis, 158);
    bell.cubicTo(Axis + 6, 158, Axis + 7, 170, Axis + 10, 184);
    bell.lineTo(Axis - 10, 184);
    bell.cubicTo(Axis - 7, 170, Axis - 6, 158, Axis, 158);
    paintShadow(painter, bell, QColor(0, 0, 0, 90), QPointF(0.8, 1.0), 1.0);
    QLinearGradient black(QPointF(Axis - 10, 0), QPointF(Axis + 10, 0));
    black.setStops(
        {{0.0, QColor(20, 20, 22)}, {0.4, QColor(62, 62, 66)}, {1.0, QColor(12, 12, 14)}});
    painter.fillPath(bell, black);
    painter.setPen(QPen(QColor(200, 200, 200, 120), 0.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(bell);
    for (const QPointF screw : {QPointF(Axis, 162.5), QPointF(Axis, 179.5)}) {
        QRadialGradient head(screw - QPointF(0.5, 0.5), 1.6);
        head.setStops({{0.0, QColor(250, 250, 250)}, {1.0, QColor(120, 120, 124)}});
        painter.setPen(Qt::NoPen);
        painter.setBrush(head);
        painter.drawEllipse(screw, 1.3, 1.3);
    }
}

void paintTunerKey(QPainter &painter, qreal row, int side)
{
    // Drawn for the left side and mirrored for the right.
    painter.save();
    if (side > 0)
        painter.setTransform(QTransform(-1, 0, 0, 1, 2 * Axis, 0), true);

    // Gear housing peeking out at the headstock's edge, and the shaft.
    const QRectF housing(15.5, row - 4.5, 6, 9);
    QLinearGradient chrome(housing.topLeft(), housing.bottomLeft());
    chrome.setStops({{0.0, QColor(120, 122, 128)},
                     {0.3, QColor(246, 247, 250)},
                     {0.6, QColor(168, 170, 176)},
                     {1.0, QColor(86, 88, 94)}});
    QPainterPath housingShape;
    housingShape.addRoundedRect(housing, 1.5, 1.5);
    painter.fillPath(housingShape, chrome);
    const QRectF shaft(11, row - 1.4, 6, 2.8);
    QLinearGradient shaftMetal(shaft.topLeft(), shaft.bottomLeft());
    shaftMetal.setStops(
        {{0.0, QColor(110, 112, 118)}, {0.45, QColor(250, 250, 252)}, {1.0, QColor(90, 92, 98)}});
    painter.fillRect(shaft, shaftMetal);

    // The button: a keystone-like oval, cream plastic with a metal ferrule.
    QPainterPath button;
    button.moveTo(11.5, row - 2.6);
    button.cubicTo(8, row - 7.5, 2.5, row - 7.5, 2.0, row - 3);
    button.cubicTo(1.6, row, 1.6, row, 2.0, row + 3);
    button.cubicTo(2.5, row + 7.5, 8, row + 7.5, 11.5, row + 2.6);
    button.closeSubpath();
    paintShadow(painter, button, QColor(0, 0, 0, 80), QPointF(0.9, 1.3), 1.1);
    QRadialGradient pearl(QPointF(5.2, row - 3), 9);
    pearl.setStops({{0.0, QColor(255, 252, 238)},
                    {0.55, QColor(232, 222, 190)},
                    {1.0, QColor(168, 152, 116)}});
    painter.fillPath(button, pearl);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(110, 96, 70), 0.55));
    painter.drawPath(button);
    QLinearGradient ferrule(QPointF(0, row - 2.5), QPointF(0, row + 2.5));
    ferrule.setStops(
        {{0.0, QColor(120, 122, 128)}, {0.4, QColor(252, 252, 255)}, {1.0, QColor(100, 102, 108)}});
    painter.fillRect(QRectF(10.5, row - 2.4, 2.2, 4.8), ferrule);
    painter.restore();
}

void paintPost(QPainter &painter, QPointF centre)
{
    // Bushing with a hex washer look, then the post with the string hole.
    paintShadow(
        painter,
        [&] {
            QPainterPath p;
            p.addEllipse(centre, 4.0, 4.0);
            return p;
        }(),
        QColor(0, 0, 0, 110), QPointF(0.8, 1.1), 1.2);
    QRadialGradient washer(centre - QPointF(1.6, 1.8), 6.5);
    washer.setStops(
        {{0.0, QColor(255, 255, 255)}, {0.5, QColor(176, 178, 184)}, {1.0, QColor(80, 82, 88)}});
    painter.setPen(QPen(QColor(60, 60, 66), 0.4));
    painter.setBrush(washer);
    painter.drawEllipse(centre, 4.0, 4.0);
    QRadialGradient post(centre - QPointF(0.7, 0.8), 3.2);
    post.setStops(
        {{0.0, QColor(250, 250, 252)}, {0.6, QColor(150, 152, 158)}, {1.0, QColor(96, 98, 104)}});
    painter.setBrush(post);
    painter.drawEllipse(centre, 2.3, 2.3);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(30, 30, 34));
    painter.drawEllipse(centre, 0.7, 0.7);
}

void paintFretboard(QPainter &painter)
{
    const QPainterPath board = fretboardOutline();
    QLinearGradient wood(QPointF(32, 0), QPointF(92, 0));
    wood.setStops({{0.0, QColor(34, 18, 10)},
                   {0.12, QColor(68, 34, 20)},
                   {0.5, QColor(82, 42, 26)},
                   {0.88, QColor(64, 32, 18)},
                   {1.0, QColor(30, 16, 8)}});
    painter.fillPath(board, wood);
    painter.save();
    painter.setClipPath(board);
    paintGrain(painter, QRectF(31, NutTop, 62, Bottom - NutTop), 907, QColor(16, 6, 2),
               QColor(104, 52, 30), 55, 1.2);
    painter.restore();
    // Thin cream binding along both edges.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(226, 210, 176), 0.9));
    painter.drawLine(QPointF(boardLeft(NutTop) + 0.5, NutTop),
                     QPointF(boardLeft(Bottom) + 0.5, Bottom));
    painter.drawLine(QPointF(boardRight(NutTop) - 0.5, NutTop),
                     QPointF(boardRight(Bottom) - 0.5, Bottom));

    // Inlay dots in the middle of fret spaces 3 and 5.
    for (const qreal row : {(FretRows[1] + FretRows[2]) / 2, (FretRows[3] + FretRows[4]) / 2}) {
        const QPointF centre((boardLeft(row) + boardRight(row)) / 2, row);
        QRadialGradient pearl(centre - QPointF(1.1, 1.2), 4.6);
        pearl.setStops({{0.0, QColor(255, 255, 255)},
                        {0.45, QColor(236, 238, 232)},
                        {0.8, QColor(206, 214, 222)},
                        {1.0, QColor(170, 172, 168)}});
        painter.setPen(QPen(QColor(30, 16, 8, 150), 0.4));
        painter.setBrush(pearl);
        painter.drawEllipse(centre, 3.6, 3.6);
    }

    // Fret wires: nickel silver, rounded, each with a shadow on the wood below.
    for (const qreal row : FretRows) {
        const qreal l = boardLeft(row) - 0.3;
        const qreal r = boardRight(row) + 0.3;
        QPainterPath wire;
        wire.addRoundedRect(QRectF(l, row - 1.2, r - l, 2.4), 1.0, 1.0);
        paintShadow(painter, wire, QColor(0, 0, 0, 150), QPointF(0.2, 1.4), 1.0);
        QLinearGradient metal(QPointF(0, row - 1.2), QPointF(0, row + 1.2));
        metal.setStops({{0.0, QColor(130, 132, 136)},
                        {0.35, QColor(255, 255, 255)},
                        {0.7, QColor(190, 192, 196)},
                        {1.0, QColor(96, 96, 100)}});
        painter.fillPath(wire, metal);
    }

    // The nut: bone-white, rows 192-198, a shade wider than the board.
    const QRectF nut(boardLeft(NutTop) - 0.5, NutTop, boardRight(NutTop) - boardLeft(NutTop) + 1,
                     NutBottom - NutTop);
    QLinearGradient bone(nut.topLeft(), nut.bottomLeft());
    bone.setStops(
        {{0.0, QColor(255, 255, 250)}, {0.5, QColor(246, 242, 226)}, {1.0, QColor(206, 198, 176)}});
    painter.fillRect(nut, bone);
}

void paintString(QPainter &painter, const QPainterPath &path, int i)
{
    // Low E, A, D, G wound (bronze), B and e plain steel.
    static const std::array<qreal, 6> widths = {1.55, 1.35, 1.15, 0.95, 0.72, 0.6};
    const bool wound = i < 4;
    const qreal w = widths[i];
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0, 0, 0, 90), w + 0.6, Qt::SolidLine, Qt::FlatCap));
    painter.drawPath(path.translated(0.9, 0.9));
    painter.setPen(
        QPen(wound ? QColor(150, 118, 66) : QColor(150, 152, 158), w, Qt::SolidLine, Qt::FlatCap));
    painter.drawPath(path);
    painter.setPen(QPen(wound ? QColor(246, 222, 170) : QColor(250, 250, 255), w * 0.45,
                        Qt::SolidLine, Qt::FlatCap));
    painter.drawPath(path.translated(-w * 0.18, 0));
}

} // namespace

void drawNeck(QPainter &painter)
{
    painter.setRenderHint(QPainter::Antialiasing);
    // The whole guitar casts a soft shadow onto the window to the lower right.
    QPainterPath silhouette = headstockOutline();
    silhouette.addPath(fretboardOutline());
    paintShadow(painter, silhouette.simplified(), QColor(0, 0, 0, 70), QPointF(2.0, 1.5), 1.8);

    paintHeadstock(painter);
    for (int row = 0; row < 3; ++row) {
        paintTunerKey(painter, TunerRows[row], -1);
        paintTunerKey(painter, TunerRows[row], 1);
    }
    paintFretboard(painter);

    for (int i = 0; i < 6; ++i) {
        const QPointF post = postCentre(i);
        const qreal nutX = stringX(i, NutTop);
        const int side = i < 3 ? -1 : 1;
        // The string leaves the post on the side facing the neck's axis.
        const QPointF leave(post.x() - side * 2.4, post.y() + 0.6);
        QPainterPath path;
        path.moveTo(leave);
        path.lineTo(nutX, NutTop + 2);
        path.lineTo(stringX(i, Bottom), Bottom + 1);
        paintString(painter, path, i);
    }
    for (int i = 0; i < 6; ++i)
        paintPost(painter, postCentre(i));
    // A few turns of each string round its post.
    for (int i = 0; i < 6; ++i) {
        const QPointF c = postCentre(i);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(i < 4 ? QColor(196, 160, 96, 220) : QColor(220, 222, 228, 220), 0.6));
        painter.drawEllipse(c, 2.6, 2.6);
    }
    // String slots in the nut.
    for (int i = 0; i < 6; ++i) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(120, 110, 90, 160));
        painter.drawRect(QRectF(stringX(i, NutTop) - 0.8, NutTop, 1.6, 1.4));
    }
}

} // namespace griffwandler::artwork
