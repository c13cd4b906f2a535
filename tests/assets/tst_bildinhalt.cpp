// What the committed picture files show: sizes, backgrounds, colours and the guitar
// neck's geometry that the fret buttons and capo strips are placed against.
#include "assets/bildkatalog.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QSet>
#include <QTest>

#include <algorithm>
#include <cmath>

using namespace griffwandler;
using griffwandler::assets::Bilddatei;
using griffwandler::assets::Bilddateien;

namespace {

QString fileOf(const Bilddatei &p)
{
    return QString::fromUtf16(p.datei.data(), qsizetype(p.datei.size()));
}

QImage load(const QString &file, int scale)
{
    const QString suffix = scale == 2 ? QStringLiteral("@2x.png") : QStringLiteral(".png");
    return QImage(QStringLiteral(GRIFF_ASSETS_DIR "/") + file + suffix)
        .convertToFormat(QImage::Format_ARGB32);
}

bool near(QRgb pixel, const QColor &colour, int tolerance)
{
    return std::abs(qRed(pixel) - colour.red()) <= tolerance &&
           std::abs(qGreen(pixel) - colour.green()) <= tolerance &&
           std::abs(qBlue(pixel) - colour.blue()) <= tolerance && qAlpha(pixel) == 255;
}

int countNear(const QImage &image, const QColor &colour, int tolerance)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += near(image.pixel(x, y), colour, tolerance) ? 1 : 0;
    return count;
}

int luminance(QRgb p)
{
    return (qRed(p) * 299 + qGreen(p) * 587 + qBlue(p) * 114) / 1000;
}

// Mean brightness of a picture row over the middle of the fretboard, in 1x units.
double rowBrightness(const QImage &neck, int scale, int row)
{
    double sum = 0;
    int n = 0;
    for (int y = row * scale; y < (row + 1) * scale; ++y)
        for (int x = 40 * scale; x < 84 * scale; ++x, ++n)
            sum += luminance(neck.pixel(x, y));
    return sum / n;
}

const QColor CardBlue(5, 3, 175);
const QColor CardRed(224, 12, 10);

} // namespace

class TestBildinhalt : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void everyFileHasItsSize_data();
    void everyFileHasItsSize();
    void backgrounds_data();
    void backgrounds();
    void inkColour_data();
    void inkColour();
    void neckNutAndFretWires_data();
    void neckNutAndFretWires();
    void neckFretboardAndInlays_data();
    void neckFretboardAndInlays();
    void handPointers();
    void smallIconsAreCrisp_data();
    void smallIconsAreCrisp();
};

void TestBildinhalt::initTestCase()
{
    QVERIFY(QFile::exists(QStringLiteral(GRIFF_ASSETS_DIR "/neck.png")));
}

void TestBildinhalt::everyFileHasItsSize_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("twin");
    for (const Bilddatei &p : Bilddateien)
        QTest::newRow(qPrintable(fileOf(p))) << fileOf(p) << QSize(p.breite, p.hoehe) << p.doppelt;
}

void TestBildinhalt::everyFileHasItsSize()
{
    QFETCH(QString, file);
    QFETCH(QSize, size);
    QFETCH(bool, twin);
    QCOMPARE(load(file, 1).size(), size);
    if (twin)
        QCOMPARE(load(file, 2).size(), size * 2);
    else
        QVERIFY(
            !QFile::exists(QStringLiteral(":/griffwandler/") + file + QStringLiteral("@2x.png")));
}

void TestBildinhalt::backgrounds_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("scale");
    QTest::addColumn<bool>("transparent");
    QTest::addColumn<bool>("card");
    for (const Bilddatei &p : Bilddateien)
        for (const int scale : {1, 2})
            if (scale == 1 || p.doppelt)
                QTest::addRow("%s@%dx", qPrintable(fileOf(p)), scale)
                    << fileOf(p) << scale << !p.deckend
                    << (p.art != assets::Bildart::Symbol && p.art != assets::Bildart::WebSymbol);
}

void TestBildinhalt::backgrounds()
{
    QFETCH(QString, file);
    QFETCH(int, scale);
    QFETCH(bool, transparent);
    QFETCH(bool, card);
    const QImage image = load(file, scale);
    const QList<QPoint> corners = {{0, 0},
                                   {image.width() - 1, 0},
                                   {0, image.height() - 1},
                                   {image.width() - 1, image.height() - 1}};
    if (transparent) {
        for (const QPoint &c : corners)
            QCOMPARE(qAlpha(image.pixel(c)), 0);
        return;
    }
    // Opaque everywhere and white at the corners; a card is also white all round
    // its edge and largely white, so it merges with the white button face.
    int white = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            QCOMPARE(qAlpha(p), 255);
            white += qRed(p) >= 245 && qGreen(p) >= 245 && qBlue(p) >= 245 ? 1 : 0;
        }
    for (const QPoint &c : corners)
        QCOMPARE(image.pixel(c) & 0xffffff, 0xffffffu);
    if (!card)
        return;
    QVERIFY2(white * 5 > image.width() * image.height() * 2, qPrintable(file));
    for (int x = 0; x < image.width(); ++x) {
        QCOMPARE(image.pixel(x, 0) & 0xffffff, 0xffffffu);
        QCOMPARE(image.pixel(x, image.height() - 1) & 0xffffff, 0xffffffu);
    }
    for (int y = 0; y < image.height(); ++y) {
        QCOMPARE(image.pixel(0, y) & 0xffffff, 0xffffffu);
        QCOMPARE(image.pixel(image.width() - 1, y) & 0xffffff, 0xffffffu);
    }
}

void TestBildinhalt::inkColour_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QColor>("ink");
    QTest::addColumn<QColor>("other");
    QTest::addColumn<int>("tolerance");
    QTest::addColumn<int>("minimum");
    const QColor headingBlue(0, 0, 196);
    const QColor headingRed(255, 0, 0);
    for (int k = 0; k < 12; ++k) {
        const QString n = QStringLiteral("%1").arg(k, 2, 10, QLatin1Char('0'));
        QTest::newRow(qPrintable(QStringLiteral("blue-") + n))
            << QStringLiteral("cards/blue-") + n << CardBlue << CardRed << 12 << 60;
        QTest::newRow(qPrintable(QStringLiteral("red-") + n))
            << QStringLiteral("cards/red-") + n << CardRed << CardBlue << 12 << 60;
    }
    for (int f = 1; f <= 5; ++f)
        QTest::addRow("fret-%d", f)
            << QStringLiteral("frets/fret-%1").arg(f) << CardBlue << CardRed << 12 << 60;
    QTest::newRow("heading-old") << QStringLiteral("heading-old") << headingBlue << headingRed << 6
                                 << 600;
    QTest::newRow("heading-new-blue")
        << QStringLiteral("heading-new-blue") << headingBlue << headingRed << 6 << 600;
    QTest::newRow("heading-new-red")
        << QStringLiteral("heading-new-red") << headingRed << headingBlue << 6 << 600;
}

void TestBildinhalt::inkColour()
{
    QFETCH(QString, file);
    QFETCH(QColor, ink);
    QFETCH(QColor, other);
    QFETCH(int, tolerance);
    QFETCH(int, minimum);
    for (const int scale : {1, 2}) {
        const QImage image = load(file, scale);
        const int inked = countNear(image, ink, tolerance);
        QVERIFY2(inked >= minimum * scale * scale,
                 qPrintable(QStringLiteral("%1 pixels of the ink at %2x").arg(inked).arg(scale)));
        QCOMPARE(countNear(image, other, 40), 0);
    }
}

void TestBildinhalt::neckNutAndFretWires_data()
{
    QTest::addColumn<int>("scale");
    QTest::newRow("1x") << 1;
    QTest::newRow("2x") << 2;
}

void TestBildinhalt::neckNutAndFretWires()
{
    QFETCH(int, scale);
    const QImage neck = load(QStringLiteral("neck"), scale);

    // The nut: a light bar on rows 192-198, dark wood right above and below it.
    for (int row = 192; row <= 198; ++row)
        QVERIFY2(rowBrightness(neck, scale, row) > 150, qPrintable(QString::number(row)));
    QVERIFY(rowBrightness(neck, scale, 189) < 130);
    QVERIFY(rowBrightness(neck, scale, 201) < 110);

    // Each fret wire is the brightest row near where the window expects it.
    const int expected[5] = {242, 285, 325, 363, 399};
    int wires[5];
    for (int n = 0; n < 5; ++n) {
        int best = expected[n] - 4;
        for (int row = expected[n] - 4; row <= expected[n] + 4; ++row)
            if (rowBrightness(neck, scale, row) > rowBrightness(neck, scale, best))
                best = row;
        QVERIFY2(std::abs(best - expected[n]) <= 1,
                 qPrintable(QStringLiteral("wire %1 at row %2").arg(n + 1).arg(best)));
        QVERIFY(rowBrightness(neck, scale, best) > rowBrightness(neck, scale, best + 4) + 40);
        wires[n] = best;
    }
    // The gaps shrink down the neck, as on a real guitar.
    for (int n = 1; n < 4; ++n)
        QVERIFY(wires[n + 1] - wires[n] < wires[n] - wires[n - 1]);
    // The capo strip of fret n lies inside fret space n, clear of both wires.
    for (int n = 1; n <= 5; ++n) {
        const int top = 224 + 40 * (n - 1);
        const int bottom = 237 + 40 * (n - 1);
        const int above = n == 1 ? 198 : wires[n - 2] + 1;
        const int below = wires[n - 1] - 1;
        QVERIFY2(above < top && bottom < below,
                 qPrintable(QStringLiteral("strip %1: %2-%3 between %4 and %5")
                                .arg(n)
                                .arg(top)
                                .arg(bottom)
                                .arg(above)
                                .arg(below)));
    }
}

void TestBildinhalt::neckFretboardAndInlays_data()
{
    QTest::addColumn<int>("scale");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("firstColumn");
    QTest::addColumn<int>("lastColumn");
    for (const int scale : {1, 2}) {
        QTest::addRow("nut end %dx", scale) << scale << 212 << 33 << 89;
        QTest::addRow("bottom %dx", scale) << scale << 407 << 32 << 91;
    }
}

void TestBildinhalt::neckFretboardAndInlays()
{
    QFETCH(int, scale);
    QFETCH(int, row);
    QFETCH(int, firstColumn);
    QFETCH(int, lastColumn);
    const QImage neck = load(QStringLiteral("neck"), scale);
    auto at = [&](int x, int y) {
        return neck.pixel(x * scale + scale / 2, y * scale);
    };
    // Solid wood from the first to the last column (the slanting edges may be
    // smoothed a little), nothing solid just outside.
    for (int x = firstColumn; x <= lastColumn; ++x)
        QVERIFY2(qAlpha(at(x, row)) >= 245, qPrintable(QString::number(x)));
    QVERIFY(qAlpha(at(firstColumn - 2, row)) < 128);
    QVERIFY(qAlpha(at(lastColumn + 2, row)) < 128);
    QCOMPARE(qAlpha(at(firstColumn - 8, row)), 0);
    QCOMPARE(qAlpha(at(lastColumn + 10, row)), 0);

    // Light inlay dots in the middle of fret spaces 3 and 5, dark wood between.
    for (const int dot : {306, 382})
        QVERIFY2(luminance(at(62, dot)) > 180, qPrintable(QString::number(dot)));
    for (const int wood : {266, 344})
        QVERIFY(luminance(at(62, wood)) < 110);
}

void TestBildinhalt::handPointers()
{
    const QImage button = load(QStringLiteral("pointer-button"), 1);
    const QImage window = load(QStringLiteral("pointer-window"), 1);
    const QList<QRgb> palette = {qRgba(0, 0, 0, 255), qRgba(255, 226, 177, 255),
                                 qRgba(255, 199, 177, 255), qRgba(255, 142, 142, 255)};
    for (const QImage *hand : {&button, &window})
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                const QRgb p = hand->pixel(x, y);
                QVERIFY2(qAlpha(p) == 0 || palette.contains(p),
                         qPrintable(QStringLiteral("stray colour at %1,%2").arg(x).arg(y)));
            }
    // Fingertips on the top edge: columns 8-11 and, on the window hand, 14-17.
    for (int x = 0; x < 32; ++x) {
        QCOMPARE(qAlpha(button.pixel(x, 0)) != 0, x >= 8 && x <= 11);
        QCOMPARE(qAlpha(window.pixel(x, 0)) != 0, x >= 14 && x <= 17);
    }
    // Apart from the little finger the window hand is the button hand moved 6 px.
    for (int y = 0; y < 32; ++y) {
        if (y >= 7 && y <= 15)
            continue;
        for (int x = 0; x < 26; ++x)
            QCOMPARE(window.pixel(x + 6, y), button.pixel(x, y));
    }
    QVERIFY(window != button);
}

void TestBildinhalt::smallIconsAreCrisp_data()
{
    QTest::addColumn<int>("size");
    for (const int size : {16, 24, 32})
        QTest::addRow("%d", size) << size;
}

void TestBildinhalt::smallIconsAreCrisp()
{
    // Drawn for their grid, not scaled down: a few flat colours, with the letters in
    // pure black and the arrow in the cards' red. A reduced drawing has hundreds of
    // greys and neither.
    QFETCH(int, size);
    const QImage icon = load(QStringLiteral("icon/icon-%1").arg(size), 1);
    QSet<QRgb> colours;
    for (int y = 0; y < icon.height(); ++y)
        for (int x = 0; x < icon.width(); ++x)
            colours.insert(icon.pixel(x, y));
    QVERIFY2(colours.size() <= 10, qPrintable(QString::number(colours.size())));
    QVERIFY(colours.contains(qRgb(0, 0, 0)));
    QVERIFY(colours.contains(qRgb(255, 255, 255)));
    QVERIFY(colours.contains(CardRed.rgb()));
    QVERIFY(countNear(icon, Qt::black, 0) >= size * size / 10);
}

QTEST_MAIN(TestBildinhalt)
#include "tst_bildinhalt.moc"
