#include "controls/command_button.h"
#include "controls/image_control.h"
#include "controls/label_control.h"
#include "controls/shape_control.h"

#include <QAccessible>
#include <QSignalSpy>
#include <QTest>

using namespace griffwandler::controls;

namespace {

const QColor kGrey(192, 192, 192);
const QColor kNavy(0, 0, 128);

const QString kInstructions = QStringLiteral(
    "Was musst du tun?  Klicke links auf einen Bund (I-V oder 1-5) und dann schau welchen "
    "Akkord du anders haben möchtest, wie z.B. F. Klicke auf das F oben und unten siehst du "
    "wie der Akkord jetzt gespielt werden darf.");

// A window with a known grey background, as the controls sit on in the program.
std::unique_ptr<QWidget> greyWindow()
{
    auto window = std::make_unique<QWidget>();
    window->resize(300, 340);
    window->setAutoFillBackground(true);
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, kGrey);
    window->setPalette(palette);
    return window;
}

QFont captionFont()
{
    QFont font = QApplication::font();
    font.setPixelSize(16);
    font.setBold(true);
    return font;
}

} // namespace

class TestPassiveControls : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void imageShowsBackgroundThroughTransparentPixels();
    void imageClicked_data();
    void imageClicked();
    void labelWraps_data();
    void labelWraps();
    void labelPaints_data();
    void labelPaints();
    void shape_data();
    void shape();
    void passiveControlsNeverTakeFocus_data();
    void passiveControlsNeverTakeFocus();
    void accessibleRolesAndNames();
    void labelTextForScreenReaders();
};

void TestPassiveControls::imageShowsBackgroundThroughTransparentPixels()
{
    // Left half red and opaque, right half transparent; twice the resolution, so it is
    // drawn 10 x 10 logical pixels.
    QImage picture(20, 20, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 10; ++x)
            picture.setPixel(x, y, qRgb(255, 0, 0));
    QPixmap pixmap = QPixmap::fromImage(picture);
    pixmap.setDevicePixelRatio(2);

    auto window = greyWindow();
    auto *image = new ImageControl(window.get());
    image->setGeometry(10, 10, 30, 30);
    image->setPicture(pixmap);
    QCOMPARE(image->sizeHint(), QSize(10, 10));
    const QImage shot = window->grab().toImage();
    QCOMPARE(QColor(shot.pixel(10, 10)), QColor(255, 0, 0));
    QCOMPARE(QColor(shot.pixel(14, 19)), QColor(255, 0, 0));
    QCOMPARE(QColor(shot.pixel(15, 10)), kGrey);
    QCOMPARE(QColor(shot.pixel(10, 20)), kGrey);
    QCOMPARE(QColor(shot.pixel(30, 30)), kGrey);
}

void TestPassiveControls::imageClicked_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<QPoint>("releaseAt");
    QTest::addColumn<int>("clicks");
    QTest::newRow("left, released inside") << Qt::LeftButton << QPoint(25, 5) << 1;
    QTest::newRow("left, released outside") << Qt::LeftButton << QPoint(30, 5) << 0;
    QTest::newRow("left, released far away") << Qt::LeftButton << QPoint(-40, 80) << 0;
    QTest::newRow("right button") << Qt::RightButton << QPoint(25, 5) << 0;
}

void TestPassiveControls::imageClicked()
{
    QFETCH(Qt::MouseButton, button);
    QFETCH(QPoint, releaseAt);
    QFETCH(int, clicks);
    auto window = greyWindow();
    auto *image = new ImageControl(window.get());
    image->setGeometry(50, 50, 30, 20);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QSignalSpy spy(image, &ImageControl::clicked);
    QTest::mousePress(image, button, {}, QPoint(5, 5));
    QTest::mouseMove(image, releaseAt);
    QTest::mouseRelease(image, button, {}, releaseAt);
    QCOMPARE(spy.count(), clicks);
}

void TestPassiveControls::labelWraps_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("centred");
    QTest::addColumn<int>("minLines");
    QTest::newRow("instructions, centred") << kInstructions << 209 << true << 5;
    QTest::newRow("instructions, left") << kInstructions << 209 << false << 5;
    QTest::newRow("description ends with a blank")
        << QStringLiteral("Der Griffwandler hilft das Lied umzuschreiben. So kann man leichtere "
                          "Akkorde spielen. ")
        << 385 << false << 2;
    QTest::newRow("one short line") << QStringLiteral("Bund") << 209 << true << 1;
    QTest::newRow("word longer than the box")
        << QStringLiteral("Donaudampfschifffahrtsgesellschaft") << 60 << false << 2;
    QTest::newRow("explicit line break") << QStringLiteral("Kapo\nBund") << 209 << false << 2;
}

void TestPassiveControls::labelWraps()
{
    QFETCH(QString, caption);
    QFETCH(int, width);
    QFETCH(bool, centred);
    QFETCH(int, minLines);
    LabelControl label;
    label.setFont(captionFont());
    label.resize(width, 313);
    label.setCentred(centred);
    label.setCaption(caption);
    QCOMPARE(label.size(), QSize(width, 313));

    const QList<LabelControl::Line> lines = label.lines();
    QVERIFY2(lines.size() >= minLines, qPrintable(QString::number(lines.size())));
    QCOMPARE(lines.first().rect.top(), 0.0);
    QString joined;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QRectF r = lines.at(i).rect;
        QVERIFY(r.left() >= 0);
        QVERIFY2(r.right() <= width, qPrintable(lines.at(i).text));
        if (i > 0)
            QCOMPARE(r.top(), lines.at(i - 1).rect.bottom());
        if (centred)
            QVERIFY2(qAbs(r.left() - (width - r.right())) <= 1.0,
                     qPrintable(QStringLiteral("%1 %2 [%3]")
                                    .arg(r.left())
                                    .arg(r.right())
                                    .arg(lines.at(i).text)));
        else
            QCOMPARE(r.left(), 0.0);
        // A line ends at a blank, the end of a word that was too long, or a line break.
        if (i + 1 < lines.size() && !caption.contains(u'\n') && minLines > 1 &&
            caption.contains(u' '))
            QVERIFY2(lines.at(i).text.endsWith(u' '), qPrintable(lines.at(i).text));
        joined += lines.at(i).text;
    }
    // Nothing is lost or added, not even the blanks in a row.
    QString expected = caption;
    expected.remove(u'\n');
    QCOMPARE(joined, expected);
}

void TestPassiveControls::labelPaints_data()
{
    QTest::addColumn<bool>("opaque");
    QTest::addColumn<bool>("centred");
    QTest::newRow("transparent, left") << false << false;
    QTest::newRow("opaque, centred") << true << true;
}

void TestPassiveControls::labelPaints()
{
    QFETCH(bool, opaque);
    QFETCH(bool, centred);
    const QColor back(255, 255, 200);
    auto window = greyWindow();
    auto *label = new LabelControl(window.get());
    label->setGeometry(20, 20, 209, 313);
    label->setFont(captionFont());
    label->setCentred(centred);
    label->setOpaque(opaque, back);
    label->setCaption(kInstructions);
    const QImage shot = label->grab().toImage();
    const QList<LabelControl::Line> lines = label->lines();
    const int textBottom = qCeil(lines.last().rect.bottom());

    // The space below the text shows the back colour or the window behind.
    const QColor expectedBack = opaque ? back : kGrey;
    QCOMPARE(QColor(window->grab().toImage().pixel(20 + 5, 20 + 312)), expectedBack);
    // Text is black, and it starts at the very top: the first line has ink near row 0.
    bool blackInk = false;
    bool inkBelowText = false;
    int firstInkRow = -1;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            const QColor c(shot.pixel(x, y));
            if (c == QColor(0, 0, 0))
                blackInk = true;
            if (c != (opaque ? back : QColor(shot.pixel(0, shot.height() - 1)))) {
                if (firstInkRow < 0)
                    firstInkRow = y;
                if (y >= textBottom)
                    inkBelowText = true;
            }
        }
    }
    QVERIFY(blackInk);
    QVERIFY(firstInkRow >= 0 && firstInkRow < 8);
    QVERIFY(!inkBelowText);
}

void TestPassiveControls::shape_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QColor>("back");
    QTest::addColumn<QColor>("border");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<QColor>("expected");
    const QColor white(255, 255, 255);
    const QColor red(255, 0, 0);
    QTest::newRow("band, corner") << QSize(79, 65) << QColor() << QColor() << QPoint(0, 0) << white;
    QTest::newRow("band, far corner")
        << QSize(79, 65) << kGrey << QColor() << QPoint(78, 64) << kGrey;
    QTest::newRow("rule all navy, middle")
        << QSize(79, 4) << kNavy << kNavy << QPoint(40, 2) << kNavy;
    QTest::newRow("border bottom-right") << QSize(20, 10) << white << red << QPoint(19, 9) << red;
    QTest::newRow("border right edge") << QSize(20, 10) << white << red << QPoint(19, 4) << red;
    QTest::newRow("inside the border") << QSize(20, 10) << white << red << QPoint(1, 1) << white;
}

void TestPassiveControls::shape()
{
    QFETCH(QSize, size);
    QFETCH(QColor, back);
    QFETCH(QColor, border);
    QFETCH(QPoint, at);
    QFETCH(QColor, expected);
    auto window = greyWindow();
    auto *shape = new ShapeControl(window.get());
    shape->setGeometry(QRect(QPoint(5, 5), size));
    if (back.isValid())
        shape->setBackColor(back);
    shape->setInsideBorder(border);
    const QImage shot = window->grab().toImage();
    QCOMPARE(QColor(shot.pixel(at + QPoint(5, 5))), expected);
    // Nothing is drawn outside the rectangle.
    QCOMPARE(QColor(shot.pixel(4, 4)), kGrey);
    QCOMPARE(QColor(shot.pixel(5 + size.width(), 5 + size.height())), kGrey);
}

void TestPassiveControls::passiveControlsNeverTakeFocus_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("image") << QStringLiteral("image");
    QTest::newRow("label") << QStringLiteral("label");
    QTest::newRow("shape") << QStringLiteral("shape");
}

void TestPassiveControls::passiveControlsNeverTakeFocus()
{
    QFETCH(QString, kind);
    auto window = greyWindow();
    auto *first = new CommandButton(window.get());
    first->setGeometry(0, 0, 41, 41);
    QWidget *passive = nullptr;
    if (kind == u"image")
        passive = new ImageControl(window.get());
    else if (kind == u"label")
        passive = new LabelControl(window.get());
    else
        passive = new ShapeControl(window.get());
    passive->setGeometry(50, 0, 41, 41);
    auto *last = new CommandButton(window.get());
    last->setGeometry(100, 0, 41, 41);
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    first->setFocus();
    QTest::mouseClick(passive, Qt::LeftButton, {}, QPoint(20, 20));
    QVERIFY(first->hasFocus());
    QTest::keyClick(first, Qt::Key_Tab);
    QVERIFY(last->hasFocus());
}

void TestPassiveControls::accessibleRolesAndNames()
{
    ImageControl image;
    image.setPicture(QPixmap(10, 10), QStringLiteral("Der neue Akkord"));
    QAccessibleInterface *imageIface = QAccessible::queryAccessibleInterface(&image);
    QVERIFY(imageIface);
    QCOMPARE(imageIface->role(), QAccessible::Graphic);
    QCOMPARE(imageIface->text(QAccessible::Name), QStringLiteral("Der neue Akkord"));

    LabelControl label;
    label.setCaption(QStringLiteral("Kapo im ersten Bund. Bund I."));
    QAccessibleInterface *labelIface = QAccessible::queryAccessibleInterface(&label);
    QVERIFY(labelIface);
    QCOMPARE(labelIface->role(), QAccessible::StaticText);
    QCOMPARE(labelIface->text(QAccessible::Name), QStringLiteral("Kapo im ersten Bund. Bund I."));
    // A caption written later is what a screen reader reads next.
    label.setCaption(QStringLiteral("Kapo im zweiten Bund. Bund II."));
    QCOMPARE(labelIface->text(QAccessible::Name), QStringLiteral("Kapo im zweiten Bund. Bund II."));
}

void TestPassiveControls::labelTextForScreenReaders()
{
    QWidget window;
    window.setGeometry(100, 50, 300, 340);
    auto *label = new LabelControl(&window);
    label->setGeometry(20, 30, 209, 313);
    label->setFont(captionFont());
    label->setCentred(true);
    label->setCaption(kInstructions + QStringLiteral("\r\nEnde"));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QAccessibleTextInterface *text = QAccessible::queryAccessibleInterface(label)->textInterface();
    QVERIFY(text);
    // The whole caption, a line break as one character.
    const QString readable = kInstructions + QStringLiteral("\nEnde");
    QCOMPARE(text->characterCount(), readable.size());
    QCOMPARE(text->text(0, text->characterCount()), readable);
    // Each character stands where it is drawn, on screen: the first one at the start
    // of the first centred line, the last word on a line of its own below the rest.
    const QList<LabelControl::Line> lines = label->lines();
    const QPoint origin = label->mapToGlobal(QPoint(0, 0));
    const QRect first = text->characterRect(0);
    QVERIFY2(qAbs(first.left() - origin.x() - lines.first().rect.left()) <= 1,
             qPrintable(QStringLiteral("%1 %2").arg(first.left()).arg(lines.first().rect.left())));
    QCOMPARE(first.top(), origin.y());
    const QRect last = text->characterRect(text->characterCount() - 1);
    QCOMPARE(last.top(), origin.y() + qRound(lines.last().rect.top()));
    QVERIFY(last.right() <= origin.x() + qCeil(lines.last().rect.right()));
    for (int offset : {0, 40, text->characterCount() - 1})
        QCOMPARE(text->offsetAtPoint(text->characterRect(offset).center()), offset);
    QVERIFY(text->characterRect(text->characterCount()).isEmpty());
}

QTEST_MAIN(TestPassiveControls)
#include "tst_passive_controls.moc"
