// The picture library as the window uses it: pictures, icon, pointers and the
// embedded fonts; and stored pictures that are damaged or unexpected, which give
// no picture at all, never one read from beyond their data.
#include "assets/bilder.h"
#include "assets/raw_image.h"

#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QSet>
#include <QTest>
#include <QtEndian>

#include <stdexcept>

using namespace griffwandler;
using namespace griffwandler::assets;

Q_DECLARE_METATYPE(griffwandler::assets::BildId)

namespace {

// The file a picture is stored in, below the assets folder, as the manifest names it.
QString fileOf(BildId id)
{
    const Bilddatei *file = bilddatei(id);
    return file ? QString::fromUtf16(file->datei.data(), qsizetype(file->datei.size())) : QString();
}

QSize expectedSize(BildId id)
{
    const Bilddatei *file = bilddatei(id);
    return file ? QSize(file->breite, file->hoehe) : QSize();
}

// A stored picture of `width` x `height` pixels of `pixel`, with the header's
// words as given.
QByteArray stored(quint32 width, quint32 height, quint32 stride, quint32 pixel)
{
    QByteArray data("GWB1");
    const auto append = [&data](quint32 word) {
        char bytes[4];
        qToLittleEndian(word, bytes);
        data.append(bytes, 4);
    };
    for (const quint32 word : {width, height, stride})
        append(word);
    for (quint32 i = 0; i < width * height; ++i)
        append(pixel);
    return data;
}

QImage decoded(const QByteArray &data)
{
    return rawImage(reinterpret_cast<const uchar *>(data.constData()), data.size());
}

} // namespace

class TestBilder : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void pictureSize_data();
    void pictureSize();
    void pixelRatioFollowsTheScreen();
    void rejectsIndicesOutOfRange_data();
    void rejectsIndicesOutOfRange();
    void programIconHasNineOpaqueSizes();
    void iconFileForWindows();
    void pointersHaveHotSpotsOnTheFingertip();
    void fontsHaveArialMetrics_data();
    void fontsHaveArialMetrics();
    void wholePictures_data();
    void wholePictures();
    void damagedPictures_data();
    void damagedPictures();
    void compressedResourceIsRefused();
};

void TestBilder::pictureSize_data()
{
    QTest::addColumn<BildId>("id");
    for (const Bilddatei &file : Bilddateien)
        if (file.art != Bildart::WebSymbol && file.art != Bildart::Symbol &&
            file.art != Bildart::Zeiger)
            QTest::addRow("%s", qPrintable(QString::fromUtf16(file.datei.data(),
                                                              qsizetype(file.datei.size()))))
                << BildId{file.art, file.index};
}

void TestBilder::pictureSize()
{
    QFETCH(BildId, id);
    const QPixmap pixmap = bild(id);
    QVERIFY(!pixmap.isNull());
    QCOMPARE(pixmap.deviceIndependentSize().toSize(), expectedSize(id));
    // Loaded once: a second request shares the same pixels.
    QCOMPARE(bild(id).cacheKey(), pixmap.cacheKey());
    // What is embedded is exactly the committed picture file of the screen's scale.
    const int ratio = int(pixmap.devicePixelRatio());
    const QImage file(QStringLiteral(GRIFF_ASSETS_DIR "/") + fileOf(id) +
                      (ratio == 2 ? QStringLiteral("@2x.png") : QStringLiteral(".png")));
    QVERIFY(!file.isNull());
    QCOMPARE(pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
             file.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    // The pixels may lie in read-only memory: drawing on a picture handed out
    // works on a copy and leaves the stored one as it was.
    QPixmap drawnOn = pixmap;
    QPainter(&drawnOn).fillRect(drawnOn.rect(), Qt::red);
    QCOMPARE(drawnOn.toImage().pixelColor(0, 0), QColor(Qt::red));
    QCOMPARE(bild(id).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
             file.convertToFormat(QImage::Format_ARGB32_Premultiplied));
}

void TestBilder::pixelRatioFollowsTheScreen()
{
    // The suite runs once at 1x and once with the screens scaled to 2x.
    const qreal expected = qEnvironmentVariableIntValue("GRIFF_EXPECTED_RATIO");
    QVERIFY(expected == 1 || expected == 2);
    QCOMPARE(qGuiApp->devicePixelRatio(), expected);
    for (const BildId id : {BildId{Bildart::BlaueKarte, 5}, BildId{Bildart::Gitarrenhals, 0},
                            BildId{Bildart::Titel, 0}}) {
        const QPixmap pixmap = bild(id);
        QCOMPARE(pixmap.devicePixelRatio(), expected);
        QCOMPARE(pixmap.size(), expectedSize(id) * int(expected));
    }
}

void TestBilder::rejectsIndicesOutOfRange_data()
{
    QTest::addColumn<BildId>("id");
    QTest::newRow("blue -1") << BildId{Bildart::BlaueKarte, -1};
    QTest::newRow("blue 12") << BildId{Bildart::BlaueKarte, 12};
    QTest::newRow("red 12") << BildId{Bildart::RoteKarte, 12};
    QTest::newRow("fret 5") << BildId{Bildart::Bundzahl, 5};
    QTest::newRow("teddy 1") << BildId{Bildart::Teddy, 1};
    QTest::newRow("neck -1") << BildId{Bildart::Gitarrenhals, -1};
    QTest::newRow("unknown kind") << BildId{Bildart(42), 0};
}

void TestBilder::rejectsIndicesOutOfRange()
{
    QFETCH(BildId, id);
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, bild(id));
}

void TestBilder::programIconHasNineOpaqueSizes()
{
    const QIcon icon = programIcon();
    QList<int> sizes;
    for (const QSize &s : icon.availableSizes()) {
        QCOMPARE(s.width(), s.height());
        sizes << s.width();
        const QImage image = icon.pixmap(s, 1.0).toImage().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(image.size(), s);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                QCOMPARE(qAlpha(image.pixel(x, y)), 255);
        const QImage file(QStringLiteral(GRIFF_ASSETS_DIR "/icon/icon-%1.png").arg(s.width()));
        QCOMPARE(image, file.convertToFormat(QImage::Format_ARGB32));
    }
    std::sort(sizes.begin(), sizes.end());
    QCOMPARE(sizes, (QList<int>{16, 24, 32, 48, 64, 72, 96, 128, 256}));
}

void TestBilder::iconFileForWindows()
{
    QFile file(QStringLiteral(GRIFF_ASSETS_DIR "/icon/griffwandler.ico"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray ico = file.readAll();
    auto u16 = [&](qsizetype at) {
        return quint16(quint8(ico[at]) | quint8(ico[at + 1]) << 8);
    };
    auto u32 = [&](qsizetype at) {
        return quint32(u16(at)) | quint32(u16(at + 2)) << 16;
    };
    QCOMPARE(u16(0), 0);
    QCOMPARE(u16(2), 1);
    QCOMPARE(u16(4), 9);
    QSet<int> sizes;
    for (int i = 0; i < 9; ++i) {
        const qsizetype entry = 6 + 16 * i;
        const int size = quint8(ico[entry]) == 0 ? 256 : quint8(ico[entry]);
        QCOMPARE(quint8(ico[entry + 1]), quint8(ico[entry]));
        QCOMPARE(u16(entry + 6), 32);
        const quint32 length = u32(entry + 8);
        const quint32 offset = u32(entry + 12);
        QVERIFY(offset + length <= quint32(ico.size()));
        const QByteArray data = ico.mid(offset, length);
        if (size == 256) {
            QVERIFY(data.startsWith("\x89PNG"));
            QCOMPARE(quint8(data[25]), quint8(6)); // colour type RGBA, as Windows expects
            QCOMPARE(QImage::fromData(data).size(), QSize(256, 256));
        } else {
            // 32-bit bitmap: header, colour rows, then a one-bit mask.
            QCOMPARE(u32(offset), 40u);
            QCOMPARE(int(u32(offset + 4)), size);
            QCOMPARE(int(u32(offset + 8)), 2 * size);
            QCOMPARE(u16(offset + 14), 32);
            QCOMPARE(int(length), 40 + size * size * 4 + ((size + 31) / 32) * 4 * size);
            for (int p = 0; p < size * size; ++p)
                QCOMPARE(quint8(data[40 + 4 * p + 3]), quint8(255));
        }
        sizes.insert(size);
    }
    QCOMPARE(sizes, (QSet<int>{16, 24, 32, 48, 64, 72, 96, 128, 256}));
}

void TestBilder::pointersHaveHotSpotsOnTheFingertip()
{
    const QString files[2] = {QStringLiteral("pointer-button"), QStringLiteral("pointer-window")};
    const QCursor cursors[2] = {buttonPointer(), windowPointer()};
    for (int i = 0; i < 2; ++i) {
        const QCursor &cursor = cursors[i];
        const QImage hand = cursor.pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(hand,
                 QImage(QStringLiteral(GRIFF_ASSETS_DIR "/") + files[i] + QStringLiteral(".png"))
                     .convertToFormat(QImage::Format_ARGB32));
        QCOMPARE(hand.size(), QSize(32, 32));
        QCOMPARE(cursor.hotSpot().y(), 0);
        QCOMPARE(qAlpha(hand.pixel(cursor.hotSpot())), 255);
        // The fingertip is four pixels wide; the hot spot is on one of its middle two.
        QVERIFY(qAlpha(hand.pixel(cursor.hotSpot() - QPoint(1, 0))) == 255);
        QVERIFY(qAlpha(hand.pixel(cursor.hotSpot() + QPoint(1, 0))) == 255);
    }
    QCOMPARE(windowPointer().hotSpot().x() - buttonPointer().hotSpot().x(), 6);
}

void TestBilder::fontsHaveArialMetrics_data()
{
    // Advance widths of Arial in font units (2048 to the em), the metrics that
    // Liberation Sans shares.
    QTest::addColumn<bool>("bold");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("units");
    QTest::newRow("bold Ende") << true << QStringLiteral("Ende") << 1366 + 1251 + 1251 + 1139;
    QTest::newRow("bold Webseite") << true << QStringLiteral("Webseite")
                                   << 1933 + 1139 + 1251 + 1139 + 1139 + 569 + 682 + 1139;
    QTest::newRow("bold I-V") << true << QStringLiteral("I-V") << 569 + 682 + 1366;
    QTest::newRow("regular Ende") << false << QStringLiteral("Ende") << 1366 + 1139 + 1139 + 1139;
    QTest::newRow("regular mit") << false << QStringLiteral("mit") << 1706 + 455 + 569;
}

void TestBilder::fontsHaveArialMetrics()
{
    QFETCH(bool, bold);
    QFETCH(QString, text);
    QFETCH(int, units);
    const QFont font = bold ? formFont() : controlFont();
    QCOMPARE(font.pixelSize(), bold ? 16 : 11);
    QCOMPARE(font.bold(), bold);
    QVERIFY(!font.kerning());
    const QFontInfo info(font);
    QCOMPARE(info.family(), QStringLiteral("Liberation Sans"));
    QCOMPARE(info.bold(), bold);
    QCOMPARE(info.pixelSize(), bold ? 16 : 11);
    // At one pixel per font unit the advances are the design widths exactly.
    QFont large = font;
    large.setPixelSize(2048);
    large.setHintingPreference(QFont::PreferNoHinting);
    QCOMPARE(qRound(QFontMetricsF(large).horizontalAdvance(text)), units);
}

void TestBilder::wholePictures_data()
{
    QTest::addColumn<quint32>("pixel");
    QTest::addColumn<int>("format");
    QTest::newRow("opaque") << quint32(0xFF102030) << int(QImage::Format_RGB32);
    QTest::newRow("half transparent")
        << quint32(0x80081018) << int(QImage::Format_ARGB32_Premultiplied);
}

void TestBilder::wholePictures()
{
    QFETCH(quint32, pixel);
    QFETCH(int, format);
    // Nine pixels: more than one turn of the eight-pixel opacity loop.
    const QByteArray data = stored(3, 3, 12, pixel);
    const QImage image = decoded(data);
    QCOMPARE(image.size(), QSize(3, 3));
    QCOMPARE(int(image.format()), format);
    QCOMPARE(image.pixel(2, 2) | 0xFF000000, pixel | 0xFF000000);
    // A transparent pixel as the last one is found too.
    QByteArray lastClear = data;
    lastClear[lastClear.size() - 1] = 0;
    QCOMPARE(decoded(lastClear).format(), QImage::Format_ARGB32_Premultiplied);
}

void TestBilder::damagedPictures_data()
{
    QTest::addColumn<QByteArray>("data");
    const QByteArray whole = stored(2, 2, 8, 0xFF000000);
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("header cut short") << whole.left(15);
    QTest::newRow("pixels cut short") << whole.chopped(1);
    QTest::newRow("bytes left over") << whole + QByteArray(4, '\0');
    QTest::newRow("another format") << QByteArray("PNG!") + whole.mid(4);
    QTest::newRow("no width") << stored(0, 2, 0, 0);
    QTest::newRow("lines of another length") << stored(2, 2, 12, 0).left(16) + whole.mid(16);
    QTest::newRow("larger than any picture") << stored(5000, 1, 20000, 0);
}

void TestBilder::damagedPictures()
{
    QFETCH(QByteArray, data);
    QVERIFY(decoded(data).isNull());
}

void TestBilder::compressedResourceIsRefused()
{
    // The same picture, once as the program embeds it and once compressed.
    Q_INIT_RESOURCE(griffwandler_bilder);
    Q_INIT_RESOURCE(compressed_picture);
    QCOMPARE(rawImage(QStringLiteral(":/griffwandler/teddy.argb")).size(), QSize(44, 37));
    QVERIFY(rawImage(QStringLiteral(":/compressed/teddy.argb")).isNull());
}

QTEST_MAIN(TestBilder)
#include "tst_bilder.moc"
