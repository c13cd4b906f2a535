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
    QSize size() const
    {
        const int w = one.width() + (two.isNull() ? 0 : Gap / 2 + two.width());
        const int h = std::max(one.height(), two.isNull() ? 0 : two.height());
        return {w, h + LabelHeight};
    }
};

} // namespace

QImage contactSheet(const QList<Artwork> &artworks, const FontSet &fonts)
{
    QList<Tile> tiles;
    for (const Artwork &artwork : artworks) {
        Tile tile{artwork.file, render(artwork, 1), artwork.twin ? render(artwork, 2) : QImage()};
        // The large icons say nothing the 128 px one does not.
        if (artwork.file.startsWith(QStringLiteral("icon/")) && artwork.size.width() > 128)
            continue;
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
        const int width = std::max(s.width(), 60);
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
            painter.drawImage(p.at + QPoint(tile.one.width() + Gap / 2, 0), tile.two);
        const int labelTop = p.at.y() + tile.size().height() - LabelHeight;
        const QPainterPath label =
            textPath(fonts.label, 10.5, tile.name).translated(p.at.x(), labelTop + 13);
        painter.fillPath(label, QColor(30, 30, 30));
    }
    return sheet;
}

} // namespace griffwandler::artwork
