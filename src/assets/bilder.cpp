#include "bilder.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QResource>
#include <QSysInfo>
#include <QtEndian>

#include <array>
#include <cstring>
#include <optional>
#include <stdexcept>

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

constexpr int ColumnCount = 12;
constexpr int FretCount = 5;

// The chord of each column as German speakers say it, C upwards in semitones. A
// card shows a sharp as "C#", which a screen reader would read as "C number sign";
// the black keys also carry their flat name, the one a song sheet may use instead.
struct Chord {
    const char16_t *name;
    const char16_t *flatName; // null for the white keys and for B, already a flat
};
const std::array<Chord, ColumnCount> Chords = {{{u"C", nullptr},
                                                {u"Cis", u"Des"},
                                                {u"D", nullptr},
                                                {u"Dis", u"Es"},
                                                {u"E", nullptr},
                                                {u"F", nullptr},
                                                {u"Fis", u"Ges"},
                                                {u"G", nullptr},
                                                {u"Gis", u"As"},
                                                {u"A", nullptr},
                                                {u"B", nullptr},
                                                {u"H", nullptr}}};

int indexCount(Bildart art)
{
    switch (art) {
    case Bildart::BlaueKarte:
    case Bildart::RoteKarte:
        return ColumnCount;
    case Bildart::Bundzahl:
        return FretCount;
    case Bildart::Teddy:
    case Bildart::UeberschriftAlt:
    case Bildart::UeberschriftNeuBlau:
    case Bildart::UeberschriftNeuRot:
    case Bildart::Titel:
    case Bildart::Gitarrenhals:
        return 1;
    }
    return 0;
}

void checkId(BildId id)
{
    const int count = indexCount(id.art);
    if (count == 0 || id.index < 0 || id.index >= count)
        throw std::out_of_range("picture index out of range");
}

// Resource name of a picture without the ".png" ending.
QString resourceStem(BildId id)
{
    const QString twoDigits = QStringLiteral("%1").arg(id.index, 2, 10, QLatin1Char('0'));
    switch (id.art) {
    case Bildart::BlaueKarte:
        return QStringLiteral(":/griffwandler/cards/blue-") + twoDigits;
    case Bildart::RoteKarte:
        return QStringLiteral(":/griffwandler/cards/red-") + twoDigits;
    case Bildart::Bundzahl:
        return QStringLiteral(":/griffwandler/frets/fret-%1").arg(id.index + 1);
    case Bildart::Teddy:
        return QStringLiteral(":/griffwandler/teddy");
    case Bildart::UeberschriftAlt:
        return QStringLiteral(":/griffwandler/heading-old");
    case Bildart::UeberschriftNeuBlau:
        return QStringLiteral(":/griffwandler/heading-new-blue");
    case Bildart::UeberschriftNeuRot:
        return QStringLiteral(":/griffwandler/heading-new-red");
    case Bildart::Titel:
        return QStringLiteral(":/griffwandler/banner");
    case Bildart::Gitarrenhals:
        return QStringLiteral(":/griffwandler/neck");
    }
    return {};
}

// What a screen reader adds to the name: for a black key, its flat name too.
QString detail(BildId id)
{
    if (id.art != Bildart::BlaueKarte && id.art != Bildart::RoteKarte)
        return {};
    const Chord &chord = Chords[std::size_t(id.index)];
    if (!chord.flatName)
        return {};
    return QStringLiteral("%1, auch %2")
        .arg(QString::fromUtf16(chord.name), QString::fromUtf16(chord.flatName));
}

QString description(BildId id)
{
    static const std::array<const char16_t *, FretCount> frets = {
        u"Bund I", u"Bund II", u"Bund III", u"Bund IV", u"Bund V"};
    switch (id.art) {
    case Bildart::BlaueKarte:
    case Bildart::RoteKarte:
        return chordName(id.index);
    case Bildart::Bundzahl:
        return QString::fromUtf16(frets[std::size_t(id.index)]);
    case Bildart::Teddy:
        return QStringLiteral("Teddybär");
    case Bildart::UeberschriftAlt:
        return QStringLiteral("Der alte Akkord");
    case Bildart::UeberschriftNeuBlau:
    case Bildart::UeberschriftNeuRot:
        return QStringLiteral("Der neue Akkord");
    case Bildart::Titel:
        return QStringLiteral("Griffwandler: Tonarten umschreiben");
    case Bildart::Gitarrenhals:
        return QStringLiteral("Gitarrenhals");
    }
    return {};
}

int cacheSlot(BildId id)
{
    // Kinds in enum order, each with its own run of indices.
    int slot = 0;
    for (int kind = 0; kind < int(id.art); ++kind)
        slot += indexCount(Bildart(kind));
    return slot + id.index;
}

constexpr int SlotCount = 2 * ColumnCount + FretCount + 6;

// Whether every one of `count` little-endian ARGB words has alpha 0xFF: exactly
// when the alpha bytes of the AND of all words are. Eight words a turn, in four
// independent chains, keep the loop short.
bool isOpaque(const uchar *words, qsizetype count)
{
    constexpr quint64 Alpha = Q_UINT64_C(0xFF000000FF000000);
    quint64 a = ~quint64(0), b = a, c = a, d = a;
    qsizetype i = 0;
    for (; i + 8 <= count; i += 8) {
        const uchar *at = words + 4 * i;
        a &= qFromLittleEndian<quint64>(at);
        b &= qFromLittleEndian<quint64>(at + 8);
        c &= qFromLittleEndian<quint64>(at + 16);
        d &= qFromLittleEndian<quint64>(at + 24);
    }
    quint64 all = a & b & c & d;
    for (; i < count; ++i)
        all &= qFromLittleEndian<quint32>(words + 4 * i) | (quint64(0xFF000000) << 32);
    return (all & Alpha) == Alpha;
}

// A picture stored decoded: "GWB1", width, height, bytes per line, then
// premultiplied ARGB words, all little-endian.
//
// On little-endian machines the image uses the resource's bytes where they lie,
// without a copy; it is read-only, so drawing on it would copy it first. A
// picture without a single transparent pixel is marked as such (Format_RGB32,
// the same bits), so that QPixmap need not search it for transparency again.
QImage rawImage(const QString &path)
{
    const QResource file(path);
    const auto *data = file.data();
    const qint64 size = file.size();
    if (!data || size < 16 || file.compressionAlgorithm() != QResource::NoCompression ||
        std::memcmp(data, "GWB1", 4) != 0)
        return {};
    auto word = [data](int at) {
        return qFromLittleEndian<quint32>(data + at);
    };
    const quint32 width = word(4);
    const quint32 height = word(8);
    const quint32 stride = word(12);
    if (width == 0 || height == 0 || width > 4096 || height > 4096 || stride != width * 4 ||
        qint64(stride) * height != size - 16)
        return {};
    const uchar *pixels = data + 16;
    const QImage::Format format = isOpaque(pixels, qsizetype(width) * height)
                                      ? QImage::Format_RGB32
                                      : QImage::Format_ARGB32_Premultiplied;
    if constexpr (QSysInfo::ByteOrder == QSysInfo::LittleEndian)
        return QImage(pixels, int(width), int(height), int(stride), format);
    QImage image(int(width), int(height), format);
    for (int y = 0; y < int(height); ++y)
        qFromLittleEndian<quint32>(pixels + qsizetype(y) * stride, width, image.scanLine(y));
    return image;
}

QPixmap loadPixmap(const QString &stem)
{
    registerBilderResources();
    // On screens finer than 1:1 the twin drawn at twice the resolution is used.
    const bool fine = qGuiApp && qGuiApp->devicePixelRatio() > 1.0;
    if (fine) {
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

Picture picture(BildId id)
{
    checkId(id);
    static std::array<std::optional<Picture>, SlotCount> cache;
    std::optional<Picture> &slot = cache[std::size_t(cacheSlot(id))];
    if (!slot)
        slot = Picture{loadPixmap(resourceStem(id)), description(id), detail(id)};
    return *slot;
}

QString chordName(int column)
{
    if (column < 0 || column >= ColumnCount)
        throw std::out_of_range("chord column out of range");
    return QString::fromUtf16(Chords[std::size_t(column)].name);
}

QIcon programIcon()
{
    registerBilderResources();
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 72, 96, 128, 256}) {
        QImage image = rawImage(QStringLiteral(":/griffwandler/icon/icon-%1.argb").arg(size));
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
        cursor.emplace(
            QPixmap::fromImage(rawImage(QStringLiteral(":/griffwandler/pointer-button.argb"))), 9,
            0);
        qAddPostRoutine([] { cursor.reset(); });
    }
    return *cursor;
}

QCursor windowPointer()
{
    registerBilderResources();
    return QCursor(
        QPixmap::fromImage(rawImage(QStringLiteral(":/griffwandler/pointer-window.argb"))), 15, 0);
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

const QList<Startbild> &startbilder()
{
    static const QList<Startbild> list = [] {
        QList<Startbild> l;
        for (int k = 0; k < ColumnCount; ++k)
            l.append({Name::Noten1, k, {Bildart::BlaueKarte, k}});
        for (int k = 0; k < ColumnCount; ++k)
            l.append({Name::Noten2, k, {Bildart::BlaueKarte, k}});
        for (int k = 0; k < ColumnCount; ++k)
            l.append({Name::Rote, k, {Bildart::RoteKarte, k}});
        for (int k = 0; k < FretCount; ++k)
            l.append({Name::BundTaste, k, {Bildart::Bundzahl, k}});
        for (int k = 0; k < ColumnCount; ++k)
            l.append({Name::Teddy, k, {Bildart::Teddy, 0}});
        l.append({Name::Image1, -1, {Bildart::Gitarrenhals, 0}});
        l.append({Name::Image2, -1, {Bildart::Titel, 0}});
        l.append({Name::Image3, -1, {Bildart::UeberschriftAlt, 0}});
        l.append({Name::Image4, -1, {Bildart::UeberschriftNeuBlau, 0}});
        l.append({Name::derneueAkkord, -1, {Bildart::UeberschriftNeuRot, 0}});
        return l;
    }();
    return list;
}

} // namespace griffwandler::assets
