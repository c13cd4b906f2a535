#include "classic_palette.h"

#include <QPainter>

namespace griffwandler::controls {

void frameLine(QPainter &painter, const QRect &rect, const QColor &topLeft,
               const QColor &bottomRight)
{
    if (rect.width() <= 0 || rect.height() <= 0)
        return;
    // Filled rectangles: the same pixels as lines, without the line
    // rasteriser's work for each of them.
    painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), 1), topLeft);
    painter.fillRect(QRect(rect.left(), rect.top(), 1, rect.height()), topLeft);
    painter.fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), bottomRight);
    painter.fillRect(QRect(rect.right(), rect.top(), 1, rect.height()), bottomRight);
}

} // namespace griffwandler::controls
