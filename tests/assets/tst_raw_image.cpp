// Pictures stored decoded: a damaged or unexpected one gives no picture at
// all, never one read from beyond its data.
#include "assets/raw_image.h"

#include <QTest>
#include <QtEndian>

using namespace griffwandler::assets;

namespace {

// A stored picture of `width` x `height` pixels of `pixel`, with the header's
// words as given.
QByteArray stored(quint32 width, quint32 height, quint32 stride, quint32 pixel)
{
    QByteArray data("GWB1");
    for (const quint32 word : {width, height, stride}) {
        char bytes[4];
        qToLittleEndian(word, bytes);
        data.append(bytes, 4);
    }
    for (quint32 i = 0; i < width * height; ++i) {
        char bytes[4];
        qToLittleEndian(pixel, bytes);
        data.append(bytes, 4);
    }
    return data;
}

QImage decoded(const QByteArray &data)
{
    return rawImage(reinterpret_cast<const uchar *>(data.constData()), data.size());
}

} // namespace

class TestRawImage : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void wholePictures_data();
    void wholePictures();
    void damagedPictures_data();
    void damagedPictures();
    void compressedResourceIsRefused();
};

void TestRawImage::wholePictures_data()
{
    QTest::addColumn<quint32>("pixel");
    QTest::addColumn<int>("format");
    QTest::newRow("opaque") << quint32(0xFF102030) << int(QImage::Format_RGB32);
    QTest::newRow("half transparent")
        << quint32(0x80081018) << int(QImage::Format_ARGB32_Premultiplied);
}

void TestRawImage::wholePictures()
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

void TestRawImage::damagedPictures_data()
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

void TestRawImage::damagedPictures()
{
    QFETCH(QByteArray, data);
    QVERIFY(decoded(data).isNull());
}

void TestRawImage::compressedResourceIsRefused()
{
    // The same picture, once as the program embeds it and once compressed.
    Q_INIT_RESOURCE(griffwandler_bilder);
    Q_INIT_RESOURCE(compressed_picture);
    QCOMPARE(rawImage(QStringLiteral(":/griffwandler/teddy.argb")).size(), QSize(44, 37));
    QVERIFY(rawImage(QStringLiteral(":/compressed/teddy.argb")).isNull());
}

QTEST_GUILESS_MAIN(TestRawImage)
#include "tst_raw_image.moc"
