#include "drawings.h"
#include "raster.h"

#include <QRadialGradient>

#include <cmath>

namespace griffwandler::artwork {

namespace {

const QColor FurLight(190, 124, 62);
const QColor FurDark(112, 60, 24);
const QColor Outline(62, 32, 12);

// An ellipse whose edge is slightly ruffled, like fur.
QPainterPath furryEllipse(QPointF centre, qreal rx, qreal ry, std::uint32_t seed, qreal ruffle)
{
    QPainterPath path;
    constexpr int Steps = 72;
    for (int s = 0; s <= Steps; ++s) {
        const qreal a = 2 * M_PI * s / Steps;
        const qreal wobble =
            1 + ruffle * (0.6 * valueNoise(seed, s * 0.9) + 0.4 * std::abs(std::sin(a * 11)));
        const QPointF p(centre.x() + rx * wobble * std::cos(a),
                        centre.y() + ry * wobble * std::sin(a));
        if (s == 0)
            path.moveTo(p);
        else
            path.lineTo(p);
    }
    path.closeSubpath();
    return path;
}

QPainterPath ellipse(QPointF centre, qreal rx, qreal ry)
{
    QPainterPath path;
    path.addEllipse(centre, rx, ry);
    return path;
}

void paintEye(QPainter &painter, QPointF centre, qreal rx, qreal ry)
{
    QRadialGradient white(centre + QPointF(-rx * 0.3, -ry * 0.35), ry * 1.2);
    white.setStops(
        {{0.0, QColor(236, 254, 255)}, {0.7, QColor(176, 236, 248)}, {1.0, QColor(128, 204, 226)}});
    painter.setPen(QPen(Outline, 0.8));
    painter.setBrush(white);
    painter.drawEllipse(centre, rx, ry);
    // Looking a little to the left and up at the chord card above.
    const QPointF pupil = centre + QPointF(-rx * 0.32, -ry * 0.08);
    QRadialGradient iris(pupil, rx * 0.6);
    iris.setStops(
        {{0.0, QColor(10, 30, 120)}, {0.7, QColor(20, 80, 214)}, {1.0, QColor(12, 48, 160)}});
    painter.setPen(Qt::NoPen);
    painter.setBrush(iris);
    painter.drawEllipse(pupil, rx * 0.56, ry * 0.5);
    painter.setBrush(QColor(255, 255, 255, 235));
    painter.drawEllipse(pupil + QPointF(-rx * 0.18, -ry * 0.2), rx * 0.18, rx * 0.18);
}

} // namespace

void drawTeddy(QPainter &painter)
{
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF headCentre(20, 19.5);
    const QPainterPath leftEar = ellipse({8.5, 7.8}, 6.6, 6.4);
    const QPainterPath rightEar = ellipse({31.8, 7.0}, 6.0, 5.9);
    const QPainterPath head = furryEllipse(headCentre, 16.4, 14.2, 7, 0.025);

    QPainterPath silhouette = head;
    silhouette.addPath(leftEar);
    silhouette.addPath(rightEar);
    paintShadow(painter, silhouette.simplified(), QColor(0, 0, 0, 90), QPointF(2.6, 2.4), 1.7);

    QRadialGradient fur(QPointF(15, 12), 22);
    fur.setStops({{0.0, FurLight}, {0.65, QColor(158, 96, 44)}, {1.0, FurDark}});
    painter.setPen(QPen(Outline, 1.0));
    painter.setBrush(fur);
    painter.drawPath(leftEar);
    painter.drawPath(rightEar);
    // Inner ears, lighter and turned towards the face.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(226, 170, 118));
    painter.drawEllipse(QPointF(9.6, 8.8), 3.4, 3.2);
    painter.drawEllipse(QPointF(30.6, 8.2), 2.9, 2.8);

    painter.setPen(QPen(Outline, 1.0));
    painter.setBrush(fur);
    painter.drawPath(head);

    // A few strokes of fur on the crown and cheeks.
    Noise noise(19);
    painter.setPen(QPen(QColor(96, 50, 18, 120), 0.5, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 26; ++i) {
        const qreal a = noise.uniform(0, 2 * M_PI);
        const qreal r = noise.uniform(0.45, 0.9);
        const QPointF p(headCentre.x() + 16.4 * r * std::cos(a),
                        headCentre.y() + 14.2 * r * std::sin(a));
        painter.drawLine(p, p + QPointF(std::cos(a) * 1.4, std::sin(a) * 1.4));
    }

    // Muzzle, set to the left as the face turns that way.
    QRadialGradient muzzle(QPointF(15, 23), 9);
    muzzle.setStops({{0.0, QColor(246, 222, 184)}, {1.0, QColor(220, 178, 130)}});
    painter.setPen(QPen(QColor(150, 96, 50, 160), 0.6));
    painter.setBrush(muzzle);
    painter.drawEllipse(QPointF(15.8, 25.2), 8.4, 6.4);

    // Rosy cheek on the side that comes towards the viewer.
    QRadialGradient blush(QPointF(27.5, 23.5), 3.6);
    blush.setStops({{0.0, QColor(240, 110, 110, 120)}, {1.0, QColor(240, 110, 110, 0)}});
    painter.setPen(Qt::NoPen);
    painter.setBrush(blush);
    painter.drawEllipse(QPointF(27.5, 23.5), 3.6, 3.6);

    paintEye(painter, {11.6, 15.0}, 3.7, 4.6);
    paintEye(painter, {21.4, 14.4}, 4.2, 5.1);

    // Nose: a soft black triangle with a highlight.
    QPainterPath nose;
    nose.moveTo(11.2, 21.2);
    nose.cubicTo(12.5, 20.0, 17.5, 20.0, 18.6, 21.2);
    nose.cubicTo(18.8, 22.6, 16.4, 24.6, 14.9, 24.8);
    nose.cubicTo(13.4, 24.6, 11.0, 22.6, 11.2, 21.2);
    painter.setBrush(QColor(16, 12, 10));
    painter.drawPath(nose);
    painter.setBrush(QColor(255, 255, 255, 170));
    painter.drawEllipse(QPointF(13.6, 21.4), 1.2, 0.6);

    // Smiling mouth.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(30, 16, 8), 0.9, Qt::SolidLine, Qt::RoundCap));
    QPainterPath mouth;
    mouth.moveTo(14.9, 24.8);
    mouth.lineTo(14.9, 26.6);
    mouth.moveTo(9.6, 26.0);
    mouth.cubicTo(11.2, 29.4, 13.8, 29.0, 14.9, 26.6);
    mouth.cubicTo(16.2, 29.2, 19.6, 29.4, 21.4, 25.4);
    painter.drawPath(mouth);
}

} // namespace griffwandler::artwork
