#include "services/client_edge.h"
#include "services/dicker_win_rand.h"
#include "services/win32_services.h"

#include <QApplication>
#include <QImage>
#include <QTest>
#include <QWidget>

using namespace griffwandler::services;

namespace {

// A window whose client area is covered by one red child, so that every pixel
// of the edge that shows must come from the edge itself.
struct EdgeFixture {
    QWidget window;
    QWidget *content = nullptr;

    explicit EdgeFixture(QSize size)
    {
        window.resize(size);
        content = new QWidget(&window);
        content->setGeometry(window.rect());
        content->setAutoFillBackground(true);
        QPalette palette = content->palette();
        palette.setColor(QPalette::Window, Qt::red);
        content->setPalette(palette);
    }
};

QList<ClientEdge *> edgesOf(QWidget &window)
{
    return window.findChildren<ClientEdge *>(QString(), Qt::FindDirectChildrenOnly);
}

} // namespace

class TestDickerWinRand : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void clientEdgeBit_data();
    void clientEdgeBit();
    void sunkenEdgeVisibleAtFirstShow_data();
    void sunkenEdgeVisibleAtFirstShow();
    void twiceEqualsOnce();
    void edgeFollowsSizeAndStaysOnTop();
    void edgeLetsClicksAndFocusThrough();
    void geometryUnchangedAndWindowActivated();
    void unknownHandleDoesNothing();
};

void TestDickerWinRand::clientEdgeBit_data()
{
    QTest::addColumn<quint32>("before");
    QTest::addColumn<quint32>("after");
    QTest::newRow("no bits") << 0u << 0x200u;
    QTest::newRow("edge already set") << 0x200u << 0x200u;
    QTest::newRow("window edge and app window") << 0x40100u << 0x40300u;
    QTest::newRow("all but the edge") << 0xFFFFFDFFu << 0xFFFFFFFFu;
    QTest::newRow("all bits") << 0xFFFFFFFFu << 0xFFFFFFFFu;
    QTest::newRow("neighbour bits") << 0x500u << 0x700u;
}

void TestDickerWinRand::clientEdgeBit()
{
    QFETCH(quint32, before);
    QFETCH(quint32, after);
    using win32::withClientEdge;
    QCOMPARE(withClientEdge(before), after);
    QCOMPARE(withClientEdge(withClientEdge(before)), after);
    QCOMPARE(withClientEdge(before) & ~0x200u, before & ~0x200u);
}

void TestDickerWinRand::sunkenEdgeVisibleAtFirstShow_data()
{
    QTest::addColumn<QPoint>("pixel");
    QTest::addColumn<QColor>("colour");
    // Window 200 x 100: outer line shadow grey and white, inner line dark grey
    // and light grey, darker at top and left.
    QTest::newRow("outer top left") << QPoint(0, 0) << QColor(0x80, 0x80, 0x80);
    QTest::newRow("outer top") << QPoint(100, 0) << QColor(0x80, 0x80, 0x80);
    QTest::newRow("outer left") << QPoint(0, 50) << QColor(0x80, 0x80, 0x80);
    QTest::newRow("outer bottom") << QPoint(100, 99) << QColor(Qt::white);
    QTest::newRow("outer right") << QPoint(199, 50) << QColor(Qt::white);
    QTest::newRow("outer bottom right") << QPoint(199, 99) << QColor(Qt::white);
    QTest::newRow("inner top") << QPoint(100, 1) << QColor(0x40, 0x40, 0x40);
    QTest::newRow("inner left") << QPoint(1, 50) << QColor(0x40, 0x40, 0x40);
    QTest::newRow("inner bottom") << QPoint(100, 98) << QColor(0xD4, 0xD0, 0xC8);
    QTest::newRow("inner right") << QPoint(198, 50) << QColor(0xD4, 0xD0, 0xC8);
    QTest::newRow("client top left") << QPoint(2, 2) << QColor(Qt::red);
    QTest::newRow("client middle") << QPoint(100, 50) << QColor(Qt::red);
    QTest::newRow("client bottom right") << QPoint(197, 97) << QColor(Qt::red);
}

void TestDickerWinRand::sunkenEdgeVisibleAtFirstShow()
{
    QFETCH(QPoint, pixel);
    QFETCH(QColor, colour);

    EdgeFixture f(QSize(200, 100));
    DickenRandSetzen(f.window.winId()); // during loading: created, not yet shown
    f.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.window));
    const QImage image = f.window.grab().toImage();
    QCOMPARE(image.size(), QSize(200, 100));
    QCOMPARE(image.pixelColor(pixel), colour);
}

void TestDickerWinRand::twiceEqualsOnce()
{
    EdgeFixture once(QSize(120, 80));
    DickenRandSetzen(once.window.winId());
    once.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&once.window));

    EdgeFixture twice(QSize(120, 80));
    DickenRandSetzen(twice.window.winId());
    DickenRandSetzen(twice.window.winId());
    twice.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&twice.window));
    DickenRandSetzen(twice.window.winId()); // and once more while shown

    QCOMPARE(edgesOf(once.window).size(), 1);
    QCOMPARE(edgesOf(twice.window).size(), 1);
    QCOMPARE(twice.window.children().size(), once.window.children().size());
    QCOMPARE(twice.window.grab().toImage(), once.window.grab().toImage());
}

void TestDickerWinRand::edgeFollowsSizeAndStaysOnTop()
{
    EdgeFixture f(QSize(200, 100));
    DickenRandSetzen(f.window.winId());
    f.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.window));

    f.window.resize(300, 150);
    f.content->setGeometry(f.window.rect());
    // A control added afterwards, over the whole client area.
    auto *later = new QWidget(&f.window);
    later->setGeometry(f.window.rect());
    later->setAutoFillBackground(true);
    QPalette palette = later->palette();
    palette.setColor(QPalette::Window, Qt::blue);
    later->setPalette(palette);
    later->show();

    QCOMPARE(edgesOf(f.window).size(), 1);
    QCOMPARE(edgesOf(f.window).first()->geometry(), QRect(0, 0, 300, 150));
    const QImage image = f.window.grab().toImage();
    QCOMPARE(image.pixelColor(0, 0), QColor(0x80, 0x80, 0x80));
    QCOMPARE(image.pixelColor(299, 149), QColor(Qt::white));
    QCOMPARE(image.pixelColor(298, 75), QColor(0xD4, 0xD0, 0xC8));
    QCOMPARE(image.pixelColor(150, 75), QColor(Qt::blue));
}

void TestDickerWinRand::edgeLetsClicksAndFocusThrough()
{
    EdgeFixture f(QSize(200, 100));
    DickenRandSetzen(f.window.winId());
    f.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.window));
    QWidget *rand = edgesOf(f.window).value(0);
    QVERIFY(rand);
    QCOMPARE(rand->focusPolicy(), Qt::NoFocus);
    QVERIFY(rand->testAttribute(Qt::WA_TransparentForMouseEvents));
    // What lies under the edge gets the clicks.
    QCOMPARE(f.window.childAt(1, 1), f.content);
    QCOMPARE(f.window.childAt(100, 50), f.content);
}

void TestDickerWinRand::geometryUnchangedAndWindowActivated()
{
    QWidget other;
    other.setGeometry(400, 300, 100, 100);
    EdgeFixture f(QSize(200, 100));
    f.window.move(20, 30);
    f.window.show();
    other.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.window));
    QVERIFY(QTest::qWaitForWindowExposed(&other));
    other.activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), &other);

    const QRect frame = f.window.frameGeometry();
    const QRect client = f.window.geometry();
    DickenRandSetzen(f.window.winId());
    QCOMPARE(f.window.frameGeometry(), frame);
    QCOMPARE(f.window.geometry(), client);
    QTRY_COMPARE(QApplication::activeWindow(), &f.window);
}

void TestDickerWinRand::unknownHandleDoesNothing()
{
    const int before = QApplication::allWidgets().size();
    DickenRandSetzen(0);
    DickenRandSetzen(WId(0x7fff1234));
    QCOMPARE(QApplication::allWidgets().size(), before);
}

QTEST_MAIN(TestDickerWinRand)
#include "tst_dicker_win_rand.moc"
