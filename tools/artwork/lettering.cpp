#include "drawings.h"
#include "raster.h"

#include <QLinearGradient>

#include <algorithm>
#include <cmath>

namespace griffwandler::artwork {

namespace {

const QColor LetterShadow(0, 0, 0, 80);
const QPointF LetterShadowOffset(2.2, 2.2);
constexpr qreal LetterShadowBlur = 1.8;

// Casual lettering: each letter a little tilted and off the line, the capitals
// that start a word drawn taller than the rest.
QPainterPath handLettering(const QRawFont &face, const QString &text, qreal capitalSize,
                           qreal smallSize, std::uint32_t seed)
{
    Noise noise(seed);
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    qreal x = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const bool initial = c.isUpper() && (i == 0 || text.at(i - 1).isSpace());
        const qreal size = initial ? capitalSize : smallSize;
        const QList<quint32> glyphs = face.glyphIndexesForString(QString(c));
        const qreal advance =
            face.advancesForGlyphIndexes(glyphs).value(0).x() * size / face.pixelSize();
        const qreal angle = noise.uniform(-4.0, 4.0);
        const qreal lift = noise.uniform(-0.8, 0.8);
        if (!c.isSpace()) {
            const QPainterPath glyph = textPath(face, size, QString(c));
            QTransform t;
            t.translate(x + advance / 2, lift);
            t.rotate(angle);
            t.translate(-advance / 2, 0);
            path.addPath(t.map(glyph));
        }
        x += advance * (initial ? 0.96 : 1.0) - (c.isSpace() ? size * 0.05 : size * 0.015);
    }
    return path;
}

// Moves and, if needed, shrinks path so it fits centred in box.
QPainterPath fitInto(const QPainterPath &path, const QRectF &box)
{
    const QRectF r = path.boundingRect();
    const qreal factor = std::min({1.0, box.width() / r.width(), box.height() / r.height()});
    QTransform t;
    t.translate(box.center().x(), box.center().y());
    t.scale(factor, factor);
    t.translate(-r.center().x(), -r.center().y());
    return t.map(path);
}

void paintLettering(QPainter &painter, const QPainterPath &path, const QColor &ink)
{
    paintShadow(painter, path, LetterShadow, LetterShadowOffset, LetterShadowBlur);
    painter.fillPath(path, ink);
}

QPainterPath eighthNote(QPointF head)
{
    QPainterPath note;
    note.setFillRule(Qt::WindingFill);
    QPainterPath oval;
    oval.addEllipse(QPointF(0, 0), 5.4, 3.7);
    QTransform tilt;
    tilt.translate(head.x(), head.y());
    tilt.rotate(-22);
    note.addPath(tilt.map(oval));
    const qreal stemX = head.x() + 4.6;
    const qreal top = head.y() - 27;
    note.addRect(QRectF(stemX - 0.8, top, 1.7, head.y() - top - 1));
    QPainterPath flag;
    flag.moveTo(stemX + 0.9, top);
    flag.cubicTo(stemX + 2.5, top + 6, stemX + 10.5, top + 9, stemX + 8.0, top + 19);
    flag.cubicTo(stemX + 8.8, top + 12.5, stemX + 4.0, top + 10.5, stemX + 0.9, top + 9);
    flag.closeSubpath();
    note.addPath(flag);
    return note;
}

void drawWoodBar(QPainter &painter, const QRectF &bar)
{
    QPainterPath shape;
    shape.addRoundedRect(bar, bar.height() / 2.6, bar.height() / 2.6);
    paintShadow(painter, shape, QColor(0, 0, 0, 70), QPointF(2.0, 2.2), 2.2);

    QLinearGradient body(bar.topLeft(), bar.bottomLeft());
    body.setStops(
        {{0.0, QColor(240, 205, 150)}, {0.45, QColor(222, 178, 117)}, {1.0, QColor(176, 126, 70)}});
    painter.fillPath(shape, body);

    // Grain: long, gently waving lines along the bar.
    painter.save();
    painter.setClipPath(shape);
    for (int line = 0; line < 16; ++line) {
        const qreal y0 = bar.top() + 2 + line * (bar.height() - 4) / 15.0;
        QPainterPath grain;
        for (int step = 0; step <= 120; ++step) {
            const qreal x = bar.left() + step * bar.width() / 120.0;
            const qreal y = y0 + 1.6 * valueNoise(std::uint32_t(77 + line), x / 23.0) +
                            0.5 * valueNoise(std::uint32_t(900 + line), x / 5.0);
            if (step == 0)
                grain.moveTo(x, y);
            else
                grain.lineTo(x, y);
        }
        const int alpha = 28 + int(20 * (0.5 + 0.5 * valueNoise(3, line * 1.3)));
        painter.setPen(QPen(QColor(120, 72, 30, alpha), line % 3 == 0 ? 0.9 : 0.5));
        painter.drawPath(grain);
    }
    painter.restore();

    // A soft rim: light above, darker below, as a rounded turned bar.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(255, 240, 210, 150), 1.0));
    painter.drawPath(QTransform::fromTranslate(0, 0.6).map(shape));
    painter.setPen(QPen(QColor(110, 66, 28, 200), 0.9));
    painter.drawPath(shape);
}

void drawKeyboard(QPainter &painter, const QRectF &area)
{
    const qreal keyWidth = area.width() / 7;
    QPainterPath frame;
    frame.addRoundedRect(area.adjusted(-1.5, -1.5, 1.5, 1.5), 2, 2);
    painter.fillPath(frame, QColor(70, 40, 18));
    for (int k = 0; k < 7; ++k) {
        const QRectF key(area.left() + k * keyWidth + 0.35, area.top(), keyWidth - 0.7,
                         area.height());
        QLinearGradient ivory(key.topLeft(), key.bottomLeft());
        ivory.setStops({{0.0, QColor(236, 236, 232)},
                        {0.85, QColor(255, 255, 252)},
                        {1.0, QColor(205, 205, 200)}});
        QPainterPath keyShape;
        keyShape.addRoundedRect(key, 0.8, 0.8);
        painter.fillPath(keyShape, ivory);
    }
    // Black keys after white keys 0, 1 (C#, D#) and 3, 4, 5 (F#, G#, A#).
    for (const int after : {0, 1, 3, 4, 5}) {
        const qreal cx = area.left() + (after + 1) * keyWidth;
        const QRectF key(cx - keyWidth * 0.32, area.top(), keyWidth * 0.64, area.height() * 0.6);
        QLinearGradient ebony(key.topLeft(), key.topRight());
        ebony.setStops(
            {{0.0, QColor(10, 10, 12)}, {0.5, QColor(58, 58, 64)}, {1.0, QColor(14, 14, 16)}});
        QPainterPath keyShape;
        keyShape.addRoundedRect(key, 0.7, 0.7);
        painter.fillPath(keyShape, ebony);
    }
}

} // namespace

void drawHeading(QPainter &painter, const FontSet &fonts, QSize size, const QString &words,
                 const QColor &ink)
{
    const std::uint32_t seed = words.contains(QStringLiteral("alte")) ? 31u : 47u;
    const QPainterPath lettering = handLettering(fonts.hand, words, 38, 28, seed);
    // Keep clear of the top rows (a rule may show through there) and leave room for
    // the shadow at the right and bottom.
    const QRectF box(3, 6, size.width() - 8, size.height() - 11);
    paintLettering(painter, fitInto(lettering, box), ink);
}

void drawBanner(QPainter &painter, const FontSet &fonts)
{
    // Three eighth notes rising like the start of a tune.
    QPainterPath notes;
    notes.setFillRule(Qt::WindingFill);
    notes.addPath(eighthNote({10, 44}));
    notes.addPath(eighthNote({31, 38}));
    notes.addPath(eighthNote({52, 32}));
    paintShadow(painter, notes, QColor(0, 0, 0, 70), QPointF(1.6, 1.8), 1.5);
    painter.fillPath(notes, Qt::black);

    const QPainterPath tonarten = fitInto(
        handLettering(fonts.hand, QStringLiteral("Tonarten"), 27, 22, 5), QRectF(74, 2, 112, 25));
    const QPainterPath umschreiben =
        fitInto(handLettering(fonts.hand, QStringLiteral("umschreiben"), 27, 22, 9),
                QRectF(74, 27, 116, 26));
    QPainterPath words = tonarten;
    words.addPath(umschreiben);
    paintLettering(painter, words, HeadingBlue);

    const QRectF bar(196, 5, 235, 46);
    drawWoodBar(painter, bar);
    drawKeyboard(painter, QRectF(bar.left() + 13, bar.top() + 7, 50, bar.height() - 14));
    const QPainterPath name =
        fitInto(handLettering(fonts.hand, QStringLiteral("Griffwandler"), 34, 27, 13),
                QRectF(bar.left() + 70, bar.top() + 4, bar.width() - 80, bar.height() - 10));
    paintLettering(painter, name, HeadingBlue);
}

} // namespace griffwandler::artwork
