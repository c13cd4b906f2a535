#include "contact_sheet.h"

#include "raster.h"

#include <algorithm>

namespace griffwandler::artwork {

namespace {

constexpr int SheetWidth = 1280;
constexpr int Gap = 14;
constexpr int LabelHeight = 18;
const QColor WindowGrey(192, 192, 192);

struct Tile {
    QString name;
    QImage one;
    QImage two; // null when the picture has no twin
    // Wide pictures show their twin below, the others beside.
    bool stacked() const { return !two.isNull() && one.width() > 200; }
    QPoint twinOffset() const
    {
        return stacked() ? QPoint(0, one.height() + Gap / 2) : QPoint(one.width() + Gap / 2, 0);
    }
    QSize size() const
    {
        if (two.isNull())
            return {one.width(), one.height() + LabelHeight};
        const QPoint o = twinOffset();
        return {std::max(one.width(), o.x() + two.width()),
                std::max(one.height(), o.y() + two.height()) + LabelHeight};
    }
};

} // namespace

QImage contactSheet(const QList<Artwork> &artworks, const FontSet &fonts)
{
    QList<Tile> tiles;
    for (const Artwork &artwork : artworks) {
        // The large icons, and the web app's, say nothing the 128 px one does not.
        if ((artwork.icon && artwork.size.width() > 128) || !artwork.decoded)
            continue;
        Tile tile{artwork.file, render(artwork, 1), artwork.twin ? render(artwork, 2) : QImage()};
        // The small icons are drawn pixel by pixel; beside them, each pixel 8 x 8.
        if (artwork.icon && artwork.size.width() <= 32) {
            tile.two =
                tile.one.scaled(tile.one.size() * 8, Qt::IgnoreAspectRatio, Qt::FastTransformation);
            tile.name += QStringLiteral(" (and 8x)");
        }
        tiles.append(tile);
    }

    // Flow layout, row by row; first pass measures, second paints.
    struct Placed {
        int index;
        QPoint at;
    };
    QList<Placed> placed;
    int x = Gap, y = Gap, rowHeight = 0;
    for (qsizetype i = 0; i < tiles.size(); ++i) {
        const QSize s = tiles[i].size();
        const int labelWidth =
            int(textPath(fonts.label, 10.5, tiles[i].name).boundingRect().width()) + 4;
        const int width = std::max(s.width(), labelWidth);
        if (x + width + Gap > SheetWidth && x > Gap) {
            x = Gap;
            y += rowHeight + Gap;
            rowHeight = 0;
        }
        placed.append({int(i), QPoint(x, y)});
        x += width + Gap;
        rowHeight = std::max(rowHeight, s.height());
    }
    const int height = y + rowHeight + Gap;

    QImage sheet = blankImage(QSize(SheetWidth, height), 1, WindowGrey);
    QPainter painter(&sheet);
    painter.setRenderHint(QPainter::Antialiasing);
    for (const Placed &p : placed) {
        const Tile &tile = tiles[p.index];
        painter.drawImage(p.at, tile.one);
        if (!tile.two.isNull())
            painter.drawImage(p.at + tile.twinOffset(), tile.two);
        const int labelTop = p.at.y() + tile.size().height() - LabelHeight;
        const QPainterPath label =
            textPath(fonts.label, 10.5, tile.name).translated(p.at.x(), labelTop + 13);
        painter.fillPath(label, QColor(30, 30, 30));
    }
    return sheet;
}

} // namespace griffwandler::artwork
