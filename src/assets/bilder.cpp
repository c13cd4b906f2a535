#include "bilder.h"
#include "raw_image.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QResource>

#include <array>
#include <optional>
#include <stdexcept>
#include <string>

// Resources of a static library are registered only when asked for; this must be
// called from the global namespace.
static void registerBilderResources()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(griffwandler_bilder);
        return true;
    }();
    Q_UNUSED(registered);
}

namespace griffwandler::assets {

namespace {

// The pixel each pointer picture points with: the tip of the hand's finger, the
// tip of the arrow.
constexpr QPoint ButtonPointerHotSpot{9, 0};
constexpr QPoint WindowPointerHotSpot{15, 0};

QString resourceStem(const Bilddatei &file)
{
    return QStringLiteral(":/griffwandler/") +
           QString::fromUtf16(file.datei.data(), qsizetype(file.datei.size()));
}

QPixmap loadPixmap(const QString &stem, bool twin)
{
    registerBilderResources();
    // On screens finer than 1:1 the twin drawn at twice the resolution is used.
    const bool fine = qGuiApp && qGuiApp->devicePixelRatio() > 1.0;
    if (fine && twin) {
        QPixmap pixmap;
        if (pixmap.load(stem + QStringLiteral("@2x.png"))) {
            pixmap.setDevicePixelRatio(2.0);
            return pixmap;
        }
    }
    return QPixmap::fromImage(rawImage(stem + QStringLiteral(".argb")));
}

QString registeredFamily(const QString &resource)
{
    registerBilderResources();
    // The resource is stored uncompressed, so the font is used in place, not copied.
    const QResource file(resource);
    const QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char *>(file.data()),
                                                    qsizetype(file.size()));
    const int id = QFontDatabase::addApplicationFontFromData(data);
    return QFontDatabase::applicationFontFamilies(id).value(0);
}

} // namespace

const Bilddatei *bilddatei(BildId id)
{
    for (const Bilddatei &file : Bilddateien)
        if (file.art == id.art && file.index == id.index)
            return &file;
    return nullptr;
}

QPixmap bild(BildId id)
{
    const Bilddatei *file = bilddatei(id);
    if (!file || file->art == Bildart::WebSymbol)
        throw std::out_of_range("kein Bild " + std::to_string(int(id.art)) + '/' +
                                std::to_string(id.index) + " im Programm");
    // One slot per file of the manifest. The pixmaps go before the application
    // does: a pixmap must not outlive the window system it belongs to.
    static std::array<std::optional<QPixmap>, Bilddateien.size()> cache;
    static const bool freed = [] {
        qAddPostRoutine([] {
            for (auto &slot : cache)
                slot.reset();
        });
        return true;
    }();
    Q_UNUSED(freed);
    std::optional<QPixmap> &slot = cache[std::size_t(file - Bilddateien.data())];
    if (!slot)
        slot = loadPixmap(resourceStem(*file), file->doppelt);
    return *slot;
}

QIcon programIcon()
{
    registerBilderResources();
    QIcon icon;
    for (const Bilddatei &file : Bilddateien) {
        if (file.art != Bildart::Symbol)
            continue;
        QImage image = rawImage(resourceStem(file) + QStringLiteral(".argb"));
        // The window system takes icons as unpremultiplied ARGB. An opaque picture
        // is that already, bit for bit; kept in that format, it is handed over
        // without a conversion of every pixel when the window is created.
        if (image.format() == QImage::Format_RGB32) {
            image.reinterpretAsFormat(QImage::Format_ARGB32);
            icon.addPixmap(QPixmap::fromImage(image, Qt::NoFormatConversion));
        } else {
            icon.addPixmap(QPixmap::fromImage(image));
        }
    }
    return icon;
}

QCursor buttonPointer()
{
    // Made once and shared: a cursor built from a picture converts it to a bitmap
    // and a mask, which the thirty-odd buttons that show it would each repeat at
    // start-up. It goes with the application, as pixmaps must.
    static std::optional<QCursor> cursor;
    if (!cursor) {
        registerBilderResources();
        cursor.emplace(QPixmap::fromImage(rawImage(resourceStem(*bilddatei({Bildart::Zeiger, 0})) +
                                                   QStringLiteral(".argb"))),
                       ButtonPointerHotSpot.x(), ButtonPointerHotSpot.y());
        qAddPostRoutine([] { cursor.reset(); });
    }
    return *cursor;
}

QCursor windowPointer()
{
    registerBilderResources();
    return QCursor(QPixmap::fromImage(rawImage(resourceStem(*bilddatei({Bildart::Zeiger, 1})) +
                                               QStringLiteral(".argb"))),
                   WindowPointerHotSpot.x(), WindowPointerHotSpot.y());
}

QFont formFont()
{
    static const QString family =
        registeredFamily(QStringLiteral(":/griffwandler/fonts/LiberationSans-Bold.ttf"));
    QFont font(family);
    font.setPixelSize(16);
    font.setBold(true);
    // Plain advance widths, as classic Windows text output sets Arial: lines then
    // wrap where they would there.
    font.setKerning(false);
    // Each character its own glyph, with no ligatures or contextual forms, as
    // classic text output draws Latin text. Leaving out the shaping step also
    // spares reading the font's layout tables before the first frame.
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

QFont controlFont()
{
    static const QString family =
        registeredFamily(QStringLiteral(":/griffwandler/fonts/LiberationSans-Regular.ttf"));
    QFont font(family);
    font.setPixelSize(11);
    font.setWeight(QFont::Normal);
    font.setKerning(false);
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

} // namespace griffwandler::assets
