#include "font_set.h"

#include <QFileInfo>

#include <stdexcept>

namespace griffwandler::artwork {

namespace {

// Outlines are taken at this size and scaled, so any fractional size is exact.
constexpr qreal ReferenceSize = 200;

QRawFont loadFont(const QString &fontRoot, const QString &relativePath)
{
    const QString path = fontRoot + u'/' + relativePath;
    if (!QFileInfo(path).isReadable())
        throw std::runtime_error("font file missing: " + path.toStdString());
    QRawFont font(path, ReferenceSize, QFont::PreferNoHinting);
    if (!font.isValid())
        throw std::runtime_error("font file not usable: " + path.toStdString());
    return font;
}

} // namespace

FontSet FontSet::load(const QString &fontRoot)
{
    FontSet set;
    set.serifBold = loadFont(fontRoot, QStringLiteral("opentype/urw-base35/C059-Bold.otf"));
    set.hand = loadFont(fontRoot, QStringLiteral("opentype/comic-neue/ComicNeue-Bold.otf"));
    set.label = loadFont(fontRoot, QStringLiteral("truetype/dejavu/DejaVuSans.ttf"));
    return set;
}

} // namespace griffwandler::artwork
