#include "raster.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <vector>

namespace griffwandler::artwork {

QImage blankImage(QSize logical, int scale, const QColor &fill)
{
    QImage image(logical * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(fill);
    // Fixed resolution (96 dpi) so the written files never depend on the screen.
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    return image;
}

namespace {

// One horizontal box pass of width 2r+1 over every channel, from src to dst.
void boxPass(const std::vector<std::uint32_t> &src, std::vector<std::uint32_t> &dst, int width,
             int height, int r, bool horizontal)
{
    const int lines = horizontal ? height : width;
    const int length = horizontal ? width : height;
    const int window = 2 * r + 1;
    for (int line = 0; line < lines; ++line) {
        auto at = [&](int i) -> std::uint32_t {
            if (i < 0 || i >= length)
                return 0;
            return horizontal ? src[std::size_t(line) * width + i]
                              : src[std::size_t(i) * width + line];
        };
        int sum[4] = {0, 0, 0, 0};
        for (int i = -r; i <= r; ++i) {
            const std::uint32_t v = at(i);
            for (int c = 0; c < 4; ++c)
                sum[c] += int((v >> (8 * c)) & 0xff);
        }
        for (int i = 0; i < length; ++i) {
            std::uint32_t out = 0;
            for (int c = 0; c < 4; ++c)
                out |= std::uint32_t((sum[c] + window / 2) / window) << (8 * c);
            if (horizontal)
                dst[std::size_t(line) * width + i] = out;
            else
                dst[std::size_t(i) * width + line] = out;
            const std::uint32_t leaving = at(i - r);
            const std::uint32_t entering = at(i + r + 1);
            for (int c = 0; c < 4; ++c)
                sum[c] += int((entering >> (8 * c)) & 0xff) - int((leaving >> (8 * c)) & 0xff);
        }
    }
}

} // namespace

void blur(QImage &image, qreal radius)
{
    Q_ASSERT(image.format() == QImage::Format_ARGB32_Premultiplied);
    // Three box passes of this width approximate a Gaussian of the given radius.
    const int r = std::max(0, int(std::lround(radius / 1.7)));
    if (r == 0)
        return;
    const int w = image.width();
    const int h = image.height();
    std::vector<std::uint32_t> a(std::size_t(w) * h), b(a.size());
    for (int y = 0; y < h; ++y) {
        const auto *line = reinterpret_cast<const std::uint32_t *>(image.constScanLine(y));
        std::copy(line, line + w, a.begin() + std::ptrdiff_t(y) * w);
    }
    for (int pass = 0; pass < 3; ++pass) {
        boxPass(a, b, w, h, r, true);
        boxPass(b, a, w, h, r, false);
    }
    for (int y = 0; y < h; ++y) {
        auto *line = reinterpret_cast<std::uint32_t *>(image.scanLine(y));
        std::copy(a.begin() + std::ptrdiff_t(y) * w, a.begin() + std::ptrdiff_t(y + 1) * w, line);
    }
}

void paintShadow(QPainter &painter, const QPainterPath &shape, const QColor &colour, QPointF offset,
                 qreal radius)
{
    auto *device = dynamic_cast<QImage *>(painter.device());
    Q_ASSERT(device);
    QImage layer(device->size(), QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    const QTransform world = painter.worldTransform();
    {
        QPainter p(&layer);
        p.setRenderHint(QPainter::Antialiasing);
        p.setTransform(world);
        p.translate(offset);
        p.fillPath(shape, colour);
    }
    blur(layer, radius * world.m11());
    painter.save();
    painter.resetTransform();
    painter.drawImage(0, 0, layer);
    painter.restore();
}

QPainterPath textPath(const QRawFont &face, qreal pixelSize, const QString &text)
{
    const QList<quint32> glyphs = face.glyphIndexesForString(text);
    const QList<QPointF> advances = face.advancesForGlyphIndexes(glyphs, QRawFont::KernedAdvances);
    const qreal factor = pixelSize / face.pixelSize();
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    qreal x = 0;
    for (qsizetype i = 0; i < glyphs.size(); ++i) {
        path.addPath(face.pathForGlyph(glyphs[i]).translated(x, 0));
        x += advances.value(i).x();
    }
    return QTransform::fromScale(factor, factor).map(path);
}

qreal capHeight(const QRawFont &face, qreal pixelSize)
{
    return textPath(face, pixelSize, QStringLiteral("H")).boundingRect().height();
}

std::uint32_t Noise::next()
{
    // xorshift32: small, fast and the same everywhere.
    m_state ^= m_state << 13;
    m_state ^= m_state >> 17;
    m_state ^= m_state << 5;
    return m_state;
}

qreal Noise::uniform(qreal low, qreal high)
{
    return low + (high - low) * (next() / 4294967296.0);
}

namespace {
qreal lattice(std::uint32_t seed, int i)
{
    std::uint32_t h = seed * 0x9e3779b1u ^ std::uint32_t(i) * 0x85ebca6bu;
    h ^= h >> 15;
    h *= 0xc2b2ae35u;
    h ^= h >> 13;
    return (h & 0xffffu) / 32767.5 - 1.0;
}
} // namespace

qreal valueNoise(std::uint32_t seed, qreal x)
{
    const qreal f = std::floor(x);
    const int i = int(f);
    const qreal t = x - f;
    const qreal s = t * t * (3 - 2 * t);
    return lattice(seed, i) * (1 - s) + lattice(seed, i + 1) * s;
}

QColor mix(const QColor &a, const QColor &b, qreal t)
{
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t),
                            float(a.greenF() + (b.greenF() - a.greenF()) * t),
                            float(a.blueF() + (b.blueF() - a.blueF()) * t),
                            float(a.alphaF() + (b.alphaF() - a.alphaF()) * t));
}

} // namespace griffwandler::artwork
