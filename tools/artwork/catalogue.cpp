#include "catalogue.h"

#include "drawings.h"
#include "raster.h"

#include <memory>

namespace griffwandler::artwork {

namespace {

struct CardSpec {
    const char16_t *name;
    QSize blueSize;
};

// Columns 0-11: chord name and the size of its blue card; every red card is 41 x 36.
const CardSpec Cards[12] = {
    {u"C", {41, 44}},  {u"C#", {41, 36}}, {u"D", {44, 43}},  {u"D#", {41, 36}},
    {u"E", {37, 45}},  {u"F", {36, 44}},  {u"F#", {41, 36}}, {u"G", {43, 45}},
    {u"G#", {41, 36}}, {u"A", {43, 44}},  {u"B", {41, 36}},  {u"H", {44, 43}},
};
const QSize RedCardSize(41, 36);
const QSize FretSizes[5] = {{30, 43}, {41, 43}, {52, 43}, {53, 44}, {42, 44}};

QString twoDigits(int i)
{
    return QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0'));
}

} // namespace

const QList<int> &iconSizes()
{
    static const QList<int> sizes = {256, 128, 96, 72, 64, 48, 32, 24, 16};
    return sizes;
}

QList<Artwork> catalogue(const FontSet &fonts)
{
    QList<Artwork> list;
    for (int k = 0; k < 12; ++k) {
        const QString name = QString::fromUtf16(Cards[k].name);
        const QSize size = Cards[k].blueSize;
        list.append({QStringLiteral("cards/blue-") + twoDigits(k), size, true, true,
                     [&fonts, name, size](QPainter &p) {
                         drawChordCard(p, fonts, size, name, CardBlue);
                     }});
    }
    for (int k = 0; k < 12; ++k) {
        const QString name = QString::fromUtf16(Cards[k].name);
        list.append({QStringLiteral("cards/red-") + twoDigits(k), RedCardSize, true, true,
                     [&fonts, name](QPainter &p) {
                         drawChordCard(p, fonts, RedCardSize, name, CardRed);
                     }});
    }
    for (int f = 1; f <= 5; ++f) {
        const QSize size = FretSizes[f - 1];
        list.append({QStringLiteral("frets/fret-%1").arg(f), size, true, true,
                     [&fonts, size, f](QPainter &p) {
                         drawFretNumeral(p, fonts, size, f);
                     }});
    }
    list.append({QStringLiteral("teddy"), {44, 37}, true, false, drawTeddy});
    list.append(
        {QStringLiteral("heading-old"), {222, 47}, true, false, [&fonts](QPainter &p) {
             drawHeading(p, fonts, {222, 47}, QStringLiteral("Der alte Akkord"), HeadingBlue);
         }});
    list.append(
        {QStringLiteral("heading-new-blue"), {225, 47}, true, false, [&fonts](QPainter &p) {
             drawHeading(p, fonts, {225, 47}, QStringLiteral("Der neue Akkord"), HeadingBlue);
         }});
    list.append(
        {QStringLiteral("heading-new-red"), {225, 47}, true, false, [&fonts](QPainter &p) {
             drawHeading(p, fonts, {225, 47}, QStringLiteral("Der neue Akkord"), HeadingRed);
         }});
    list.append({QStringLiteral("banner"), {435, 57}, true, false, [&fonts](QPainter &p) {
                     drawBanner(p, fonts);
                 }});
    list.append({QStringLiteral("neck"), {127, 409}, true, false, drawNeck});
    // The icon is drawn once large and reduced with area averaging, so every size is
    // the same drawing, scaled down; the smallest sizes, where that turns grey, are
    // the same motif drawn pixel by pixel.
    auto master = std::make_shared<QImage>();
    for (const int size : iconSizes()) {
        list.append({QStringLiteral("icon/icon-%1").arg(size),
                     {size, size},
                     false,
                     true,
                     [&fonts, master, size](QPainter &p) {
                         if (hasSmallPortraitIcon(size)) {
                             drawSmallPortraitIcon(p, size);
                             return;
                         }
                         if (master->isNull()) {
                             *master = blankImage({1024, 1024}, 1, Qt::white);
                             QPainter big(master.get());
                             big.scale(4, 4);
                             drawPortraitIcon(big, fonts);
                         }
                         p.drawImage(QPointF(0, 0),
                                     master->scaled(size, size, Qt::IgnoreAspectRatio,
                                                    Qt::SmoothTransformation));
                     }});
    }
    list.append({QStringLiteral("pointer-button"), {32, 32}, false, false, [](QPainter &p) {
                     drawHandPointer(p, HandPose::Button);
                 }});
    list.append({QStringLiteral("pointer-window"), {32, 32}, false, false, [](QPainter &p) {
                     drawHandPointer(p, HandPose::Window);
                 }});
    return list;
}

QImage render(const Artwork &artwork, int scale)
{
    QImage image = blankImage(artwork.size, scale, artwork.opaque ? Qt::white : Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.scale(scale, scale);
        artwork.draw(painter);
    }
    return artwork.opaque ? image.convertToFormat(QImage::Format_RGB32) : image;
}

} // namespace griffwandler::artwork
