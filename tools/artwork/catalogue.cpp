#include "catalogue.h"

#include "drawings.h"
#include "raster.h"

#include "assets/bildkatalog.h"
#include "chart/akkorde.h"

#include <memory>
#include <stdexcept>

namespace griffwandler::artwork {

namespace {

QString fileName(const assets::Bilddatei &entry)
{
    return QString::fromUtf16(entry.datei.data(), qsizetype(entry.datei.size()));
}

QString chordName(int column)
{
    const std::u16string_view name = Akkorde.at(std::size_t(column)).geschrieben;
    return QString::fromUtf16(name.data(), qsizetype(name.size()));
}

// How each kind of picture is drawn; the file's size comes from the manifest.
std::function<void(QPainter &)> drawing(const assets::Bilddatei &entry, const FontSet &fonts,
                                        const std::shared_ptr<QImage> &iconMaster)
{
    using assets::Bildart;
    const QSize size(entry.breite, entry.hoehe);
    switch (entry.art) {
    case Bildart::BlaueKarte:
    case Bildart::RoteKarte: {
        const QColor ink = entry.art == Bildart::BlaueKarte ? CardBlue : CardRed;
        return [&fonts, size, name = chordName(entry.index), ink](QPainter &p) {
            drawChordCard(p, fonts, size, name, ink);
        };
    }
    case Bildart::Bundzahl:
        return [&fonts, size, fret = entry.index + 1](QPainter &p) {
            drawFretNumeral(p, fonts, size, fret);
        };
    case Bildart::Teddy:
        return drawTeddy;
    case Bildart::UeberschriftAlt:
        return [&fonts, size](QPainter &p) {
            drawHeading(p, fonts, size, QStringLiteral("Der alte Akkord"), HeadingBlue);
        };
    case Bildart::UeberschriftNeuBlau:
        return [&fonts, size](QPainter &p) {
            drawHeading(p, fonts, size, QStringLiteral("Der neue Akkord"), HeadingBlue);
        };
    case Bildart::UeberschriftNeuRot:
        return [&fonts, size](QPainter &p) {
            drawHeading(p, fonts, size, QStringLiteral("Der neue Akkord"), HeadingRed);
        };
    case Bildart::Titel:
        return [&fonts](QPainter &p) {
            drawBanner(p, fonts);
        };
    case Bildart::Gitarrenhals:
        return drawNeck;
    case Bildart::Symbol:
    case Bildart::WebSymbol:
        // The icon is drawn once large and reduced with area averaging, so every
        // size is the same drawing, scaled down; the smallest sizes, where that
        // turns grey, are the same motif drawn pixel by pixel.
        return [&fonts, iconMaster, side = entry.breite](QPainter &p) {
            if (hasSmallPortraitIcon(side)) {
                drawSmallPortraitIcon(p, side);
                return;
            }
            if (iconMaster->isNull()) {
                *iconMaster = blankImage({1024, 1024}, 1, Qt::white);
                QPainter big(iconMaster.get());
                big.scale(4, 4);
                drawPortraitIcon(big, fonts);
            }
            p.drawImage(QPointF(0, 0), iconMaster->scaled(side, side, Qt::IgnoreAspectRatio,
                                                          Qt::SmoothTransformation));
        };
    case Bildart::Zeiger:
        return [pose = entry.index == 0 ? HandPose::Button : HandPose::Window](QPainter &p) {
            drawHandPointer(p, pose);
        };
    }
    throw std::logic_error("the manifest names a kind the generator cannot draw");
}

} // namespace

QList<Artwork> catalogue(const FontSet &fonts)
{
    auto iconMaster = std::make_shared<QImage>();
    QList<Artwork> list;
    for (const assets::Bilddatei &entry : assets::Bilddateien)
        list.append({fileName(entry), QSize(entry.breite, entry.hoehe), entry.doppelt,
                     entry.deckend, entry.art == assets::Bildart::Symbol,
                     entry.art != assets::Bildart::WebSymbol, drawing(entry, fonts, iconMaster)});
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
