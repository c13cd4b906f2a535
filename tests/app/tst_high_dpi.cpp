// At twice the device pixel ratio the buttons draw the pictures made at twice the
// resolution, pixel for pixel, not the normal pictures enlarged.
#include "app/form_fixture.h"
#include "assets/raw_image.h"
#include "controls/command_button.h"

#include <QPainter>
#include <QSet>
#include <QTest>
#include <QtGui/private/qhighdpiscaling_p.h>
#include <qpa/qwindowsysteminterface.h>

using namespace griffwandler;
using namespace griffwandler::app;

namespace {

// How far a grabbed button departs from a picture placed where the button draws it.
struct Departure {
    int compared = 0;       // device pixels of the picture inside the button face
    int differing = 0;      // of those, pixels unlike the picture
    int foreignColours = 0; // colours in the face that the picture does not have
};

// Where a centred picture of `art`'s size lands on `button`, in device pixels,
// clipped to the face.
QRect pictureArea(const controls::CommandButton &button, const QImage &art)
{
    const QSize size = art.deviceIndependentSize().toSize();
    const QPoint topLeft((button.width() - size.width()) / 2,
                         (button.height() - size.height()) / 2);
    const QRect face = button.faceRect();
    const QRect placed(topLeft * 2, art.size());
    return placed.intersected(QRect(face.topLeft() * 2, face.size() * 2));
}

Departure departure(const QImage &shot, const controls::CommandButton &button, const QImage &art)
{
    const QImage wanted = art.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage seen = shot.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QRect area = pictureArea(button, art);
    const QSize size = art.deviceIndependentSize().toSize();
    const QPoint origin =
        QPoint((button.width() - size.width()) / 2, (button.height() - size.height()) / 2) * 2;
    // The picture is opaque, so what is seen should be its colours exactly.
    QSet<QRgb> palette;
    for (int y = 0; y < wanted.height(); ++y)
        for (int x = 0; x < wanted.width(); ++x)
            palette.insert(wanted.pixel(x, y));
    Departure result;
    QSet<QRgb> foreign;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb pixel = seen.pixel(x, y);
            ++result.compared;
            result.differing += pixel != wanted.pixel(x - origin.x(), y - origin.y());
            if (!palette.contains(pixel))
                foreign.insert(pixel);
        }
    }
    result.foreignColours = int(foreign.size());
    return result;
}

} // namespace

class TestHighDpi : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void buttonsDrawTheFinePictures_data();
    void buttonsDrawTheFinePictures();
    void enlargedNormalPictureWouldFail();
    void ratioChangedAfterThePicturesWereCached();

private:
    controls::CommandButton *button(Name name, int index)
    {
        return m_form->controlSet().button({name, index});
    }
    std::unique_ptr<GriffwandlerForm> m_form;
};

void TestHighDpi::initTestCase()
{
    m_form = std::make_unique<GriffwandlerForm>();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    QVERIFY2(m_form->devicePixelRatio() == 2.0,
             "the window is not at device pixel ratio 2; QT_SCALE_FACTOR=2 was not applied");
}

void TestHighDpi::cleanupTestCase()
{
    m_form.reset();
}

void TestHighDpi::buttonsDrawTheFinePictures_data()
{
    QTest::addColumn<int>("name");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("fine");
    QTest::addColumn<QSize>("deviceSize");
    QTest::newRow("Noten1(5) F") << int(Name::Noten1) << 5
                                 << QStringLiteral(":/griffwandler/cards/blue-05@2x.png")
                                 << QSize(82, 82);
    QTest::newRow("Noten2(1) C#") << int(Name::Noten2) << 1
                                  << QStringLiteral(":/griffwandler/cards/blue-01@2x.png")
                                  << QSize(82, 82);
    QTest::newRow("BundTaste(3) IV")
        << int(Name::BundTaste) << 3 << QStringLiteral(":/griffwandler/frets/fret-4@2x.png")
        << button(Name::BundTaste, 3)->size() * 2;
}

void TestHighDpi::buttonsDrawTheFinePictures()
{
    QFETCH(int, name);
    QFETCH(int, index);
    QFETCH(QString, fine);
    QFETCH(QSize, deviceSize);
    controls::CommandButton *card = button(Name(name), index);
    const QImage shot = card->grab().toImage();
    QCOMPARE(shot.devicePixelRatio(), 2.0);
    QCOMPARE(shot.size(), deviceSize);

    const QImage art(fine);
    QVERIFY2(!art.isNull(), qPrintable(fine));
    QCOMPARE(art.devicePixelRatio(), 2.0);
    const Departure seen = departure(shot, *card, art);
    // Most of the face is picture; a few stray pixels would already be a fault.
    QVERIFY2(seen.compared > deviceSize.width() * deviceSize.height() / 2,
             qPrintable(QString::number(seen.compared)));
    QCOMPARE(seen.differing, 0);
    QCOMPARE(seen.foreignColours, 0);
}

void TestHighDpi::enlargedNormalPictureWouldFail()
{
    // The card as it would look if the button drew the normal picture, which the
    // toolkit then enlarges to the fine screen: plain and smoothed.
    controls::CommandButton *card = button(Name::Noten1, 5);
    const QImage fine(QStringLiteral(":/griffwandler/cards/blue-05@2x.png"));
    const QImage normal = assets::rawImage(QStringLiteral(":/griffwandler/cards/blue-05.argb"));
    QVERIFY(!normal.isNull());
    QCOMPARE(normal.size() * 2, fine.size());

    for (const bool smooth : {false, true}) {
        QImage shot = card->grab().toImage();
        {
            QPainter painter(&shot);
            painter.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
            const QRect face = card->faceRect();
            painter.setClipRect(face);
            const QPoint topLeft((card->width() - normal.width()) / 2,
                                 (card->height() - normal.height()) / 2);
            painter.drawImage(topLeft, normal);
        }
        const Departure seen = departure(shot, *card, fine);
        QVERIFY2(seen.differing > 0, smooth ? "smoothed" : "plain");
        if (smooth)
            QVERIFY2(seen.foreignColours > 0, "smoothing made no new colours");
    }
}

void TestHighDpi::ratioChangedAfterThePicturesWereCached()
{
    // The window's screen goes to 1:1 (as when the window is moved to another
    // screen) after the fine pictures were loaded: each control keeps its
    // size, and the card still shows its picture at the picture's own size,
    // drawn from the fine one, not twice as large.
    controls::CommandButton *card = button(Name::Noten1, 5);
    const QImage normal = assets::rawImage(QStringLiteral(":/griffwandler/cards/blue-05.argb"));
    QVERIFY(!normal.isNull());
    QScreen *screen = m_form->screen();
    QWindow *window = m_form->windowHandle();
    auto setFactor = [screen, window](qreal factor) {
        QHighDpiScaling::setScreenFactor(screen, factor);
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
        // From Qt 6.6 on a window learns its ratio from an event of its own.
        QWindowSystemInterface::handleWindowDevicePixelRatioChanged(window);
#else
        Q_UNUSED(window);
#endif
    };
    setFactor(0.5); // with QT_SCALE_FACTOR=2: 1:1
    const auto restore = qScopeGuard([&setFactor] { setFactor(1.0); });
    QTRY_COMPARE(m_form->devicePixelRatio(), 1.0);

    const QImage shot = card->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shot.size(), QSize(41, 41));
    const QPoint origin((card->width() - normal.width()) / 2,
                        (card->height() - normal.height()) / 2);
    const QRect area = QRect(origin, normal.size()).intersected(card->faceRect());
    // How far the face departs from the normal picture, in levels per channel.
    auto meanDeparture = [&](const QImage &seen) {
        qint64 sum = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) {
                const QRgb a = seen.pixel(x, y), b = normal.pixel(x - origin.x(), y - origin.y());
                sum += qAbs(qRed(a) - qRed(b)) + qAbs(qGreen(a) - qGreen(b)) +
                       qAbs(qBlue(a) - qBlue(b));
            }
        return double(sum) / (3.0 * area.width() * area.height());
    };
    // Drawn from the fine picture, a pixel departs from the normal one by the
    // smoothing of its edges alone: a few levels on average.
    const double mean = meanDeparture(shot);
    QVERIFY2(mean < 12, qPrintable(QString::number(mean)));

    // The fine picture drawn at its own pixel size, centred on the card, would
    // depart far more.
    QImage twiceAsLarge = shot;
    {
        QImage fine(QStringLiteral(":/griffwandler/cards/blue-05@2x.png"));
        fine.setDevicePixelRatio(1.0);
        QPainter painter(&twiceAsLarge);
        painter.setClipRect(card->faceRect());
        painter.drawImage(
            QPoint((card->width() - fine.width()) / 2, (card->height() - fine.height()) / 2), fine);
    }
    const double wrong = meanDeparture(twiceAsLarge);
    QVERIFY2(wrong > 2 * mean && wrong >= 12, qPrintable(QString::number(wrong)));
}

QTEST_MAIN(TestHighDpi)
#include "tst_high_dpi.moc"
