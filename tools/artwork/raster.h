#pragma once

#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QPointF>
#include <QRawFont>
#include <QSize>

#include <cstdint>

namespace griffwandler::artwork {

// Every picture is drawn in logical pixels; the painter is scaled by the
// picture's scale (1 or 2), so a 2x twin is really drawn at that resolution.
QImage blankImage(QSize logical, int scale, const QColor &fill);

// Gaussian-like blur (three box passes) of a premultiplied ARGB image, in place.
void blur(QImage &image, qreal radius);

// Paints the soft shadow of a shape onto the painter's device: the shape, moved by
// offset (logical pixels), filled in colour and blurred by radius (logical pixels).
void paintShadow(QPainter &painter, const QPainterPath &shape, const QColor &colour, QPointF offset,
                 qreal radius);

// The outline of a text at a fractional pixel size, unhinted, baseline at y = 0 and
// starting at x = 0, so that it is the same shape at every scale.
QPainterPath textPath(const QRawFont &face, qreal pixelSize, const QString &text);

// Cap height of a face at a pixel size, from the outline of "H".
qreal capHeight(const QRawFont &face, qreal pixelSize);

// Deterministic pseudo-random numbers for grain and pencil strokes.
class Noise {
public:
    explicit Noise(std::uint32_t seed) : m_state(seed ? seed : 1u) {}
    std::uint32_t next();
    // Uniform in [low, high).
    qreal uniform(qreal low, qreal high);

private:
    std::uint32_t m_state;
};

// Smooth one-dimensional value noise in [-1, 1], the same for the same seed and x.
qreal valueNoise(std::uint32_t seed, qreal x);

QColor mix(const QColor &a, const QColor &b, qreal t);

} // namespace griffwandler::artwork
