#include "drawings.h"

#include "chart/akkorde.h"
#include "raster.h"

#include <QStringList>

#include <algorithm>

namespace griffwandler::artwork {

namespace {

constexpr qreal LetterCapHeight = 22;
constexpr qreal ShadowBlur = 1.6;
const QPointF ShadowOffset(2.8, 2.6);
const QColor CardShadow(40, 40, 60, 120);

// Centres the ink of path (plus its shadow, which hangs down-right) in the picture.
QPainterPath centred(const QPainterPath &path, QSize size)
{
    const QRectF box = path.boundingRect();
    const QPointF inkCentre = box.center() + ShadowOffset * 0.35;
    const QPointF target(size.width() / 2.0, size.height() / 2.0);
    return path.translated(target - inkCentre);
}

void paintLetters(QPainter &painter, const QPainterPath &path, const QColor &ink)
{
    paintShadow(painter, path, CardShadow, ShadowOffset, ShadowBlur);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(path, ink);
}

} // namespace

void drawChordCard(QPainter &painter, const FontSet &fonts, QSize size, const QString &name,
                   const QColor &ink)
{
    const qreal ratio = capHeight(fonts.serifBold, 100) / 100;
    const qreal pixelSize = LetterCapHeight / ratio;
    QPainterPath path = textPath(fonts.serifBold, pixelSize, name.left(1));
    if (name.size() > 1) {
        // The sharp: small and raised, its top a little above the capital's and
        // tucked in over the capital's shoulder.
        const QPainterPath letter = path;
        QPainterPath sharp = textPath(fonts.serifBold, pixelSize * 0.5, QStringLiteral("#"));
        const QRectF l = letter.boundingRect();
        const QRectF s = sharp.boundingRect();
        sharp.translate(l.right() - 1.2 - s.left(), l.top() - 1.5 - s.top());
        path.addPath(sharp);
    }
    // No name may be wider than the 41 px face leaves room for, shadow included.
    constexpr qreal MaxWidth = 29;
    const QRectF box = path.boundingRect();
    if (box.width() > MaxWidth)
        path = QTransform::fromScale(MaxWidth / box.width(), 1).map(path);
    paintLetters(painter, centred(path, size), ink);
}

void drawFretNumeral(QPainter &painter, const FontSet &fonts, QSize size, int fret)
{
    const std::u16string_view written = Bundzahlen.at(std::size_t(fret - 1));
    const QString numeral = QString::fromUtf16(written.data(), qsizetype(written.size()));
    const qreal ratio = capHeight(fonts.serifBold, 100) / 100;
    const qreal pixelSize = LetterCapHeight / ratio;
    // Letters set close, the serifs of neighbours just touching, as on a clock face.
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    qreal x = 0;
    for (const QChar c : numeral) {
        QPainterPath glyph = textPath(fonts.serifBold, pixelSize, QString(c));
        const QRectF box = glyph.boundingRect();
        glyph.translate(x - box.left(), 0);
        path.addPath(glyph);
        x += box.width() + 0.5;
    }
    // The numeral must fit on the 41 px face it is centred on.
    constexpr qreal MaxWidth = 29;
    const QRectF box = path.boundingRect();
    if (box.width() > MaxWidth)
        path = QTransform::fromScale(MaxWidth / box.width(), 1).map(path);
    paintLetters(painter, centred(path, size), CardBlue);
}

} // namespace griffwandler::artwork
