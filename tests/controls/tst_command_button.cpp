#include "controls/command_button.h"

#include <QAccessible>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using griffwandler::controls::CommandButton;
using namespace Qt::StringLiterals;

namespace {

const QColor kWhite(255, 255, 255);
const QColor kBlack(0, 0, 0);
const QColor kLight(223, 223, 223);
const QColor kDark(128, 128, 128);
const QColor kFace(200, 220, 240);

QColor pixelAt(QWidget *widget, int x, int y)
{
    return QColor(widget->grab().toImage().pixel(x, y));
}

// Each pixel of the picture tells where it came from: red = 4 * column, green = 4 * row.
QPixmap coordinatePicture(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(4 * x, 4 * y, 7));
    return QPixmap::fromImage(image);
}

enum class State { Raised, Focused, Pressed };

} // namespace

class TestCommandButton : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void bevel_data();
    void bevel();
    void pictureCentredAndClipped_data();
    void pictureCentredAndClipped();
    void highResolutionPictureKeepsLogicalSize();
    void mouseClick_data();
    void mouseClick();
    void keysClickFocusedButton_data();
    void keysClickFocusedButton();
    void spaceHeldShowsSunken();
    void accessKeyClicksFromAnywhere_data();
    void accessKeyClicksFromAnywhere();
    void defaultRole_data();
    void defaultRole();
    void accessibleName_data();
    void accessibleName();
    void accessibleChoiceAndKey_data();
    void accessibleChoiceAndKey();
};

void TestCommandButton::bevel_data()
{
    QTest::addColumn<State>("state");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<QColor>("expected");
    // A 41 x 33 button: right edge x = 40, bottom y = 32.
    QTest::newRow("raised outer top-left") << State::Raised << QPoint(0, 0) << kWhite;
    QTest::newRow("raised inner top-left") << State::Raised << QPoint(1, 1) << kLight;
    QTest::newRow("raised outer bottom-right") << State::Raised << QPoint(40, 32) << kBlack;
    QTest::newRow("raised outer top-right") << State::Raised << QPoint(40, 0) << kBlack;
    QTest::newRow("raised inner bottom-right") << State::Raised << QPoint(39, 31) << kDark;
    QTest::newRow("raised face") << State::Raised << QPoint(2, 2) << kFace;
    QTest::newRow("focused black frame") << State::Focused << QPoint(0, 0) << kBlack;
    QTest::newRow("focused bevel white") << State::Focused << QPoint(1, 1) << kWhite;
    QTest::newRow("focused bevel light") << State::Focused << QPoint(2, 2) << kLight;
    QTest::newRow("focused bevel dark") << State::Focused << QPoint(38, 30) << kDark;
    QTest::newRow("focused bevel black") << State::Focused << QPoint(39, 31) << kBlack;
    QTest::newRow("focused dotted corner")
        << State::Focused << QPoint(4, 4) << QColor(255 - 200, 255 - 220, 255 - 240);
    QTest::newRow("focused gap in dots") << State::Focused << QPoint(5, 4) << kFace;
    QTest::newRow("pressed black frame") << State::Pressed << QPoint(0, 0) << kBlack;
    QTest::newRow("pressed flat top-left") << State::Pressed << QPoint(1, 1) << kDark;
    QTest::newRow("pressed flat bottom-right") << State::Pressed << QPoint(39, 31) << kDark;
    QTest::newRow("pressed face") << State::Pressed << QPoint(2, 2) << kFace;
}

void TestCommandButton::bevel()
{
    QFETCH(State, state);
    QFETCH(QPoint, at);
    QFETCH(QColor, expected);
    QWidget window;
    auto *button = new CommandButton(&window);
    auto *other = new CommandButton(&window);
    button->setGeometry(0, 0, 41, 33);
    other->setGeometry(50, 0, 41, 33);
    button->setFaceColor(kFace);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    other->setFocus();
    if (state == State::Focused)
        button->setFocus();
    if (state == State::Pressed)
        QTest::mousePress(button, Qt::LeftButton, {}, QPoint(20, 16));
    QCOMPARE(button->hasFocus(), state != State::Raised);
    QCOMPARE(pixelAt(button, at.x(), at.y()), expected);
    if (state == State::Pressed)
        QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(20, 16));
}

void TestCommandButton::pictureCentredAndClipped_data()
{
    QTest::addColumn<QSize>("pictureSize");
    QTest::addColumn<bool>("pressed");
    // Where the picture's top-left pixel lands on a 41 x 41 button; an odd remainder
    // (margin or cut) falls to the right and below.
    QTest::addColumn<QPoint>("origin");
    QTest::newRow("exact 41x41") << QSize(41, 41) << false << QPoint(0, 0);
    QTest::newRow("card 44x45 cut all round") << QSize(44, 45) << false << QPoint(-1, -2);
    QTest::newRow("card 41x44 cut above and below") << QSize(41, 44) << false << QPoint(0, -1);
    QTest::newRow("card 36x44 margin left and right") << QSize(36, 44) << false << QPoint(2, -1);
    QTest::newRow("fret 30x43") << QSize(30, 43) << false << QPoint(5, -1);
    QTest::newRow("fret 52x43") << QSize(52, 43) << false << QPoint(-5, -1);
    QTest::newRow("red card 41x36 margin above and below")
        << QSize(41, 36) << false << QPoint(0, 2);
    QTest::newRow("red card 41x36 pressed") << QSize(41, 36) << true << QPoint(1, 3);
    QTest::newRow("card 44x45 pressed") << QSize(44, 45) << true << QPoint(0, -1);
}

void TestCommandButton::pictureCentredAndClipped()
{
    QFETCH(QSize, pictureSize);
    QFETCH(bool, pressed);
    QFETCH(QPoint, origin);
    CommandButton button;
    button.resize(41, 41);
    button.setFaceColor(kWhite);
    button.setPicture(coordinatePicture(pictureSize.width(), pictureSize.height()));
    button.setDown(pressed);
    const QImage image = button.grab().toImage();
    const QRect face(2, 2, 37, 37);
    QCOMPARE(button.faceRect(), face);
    // The bevel is never painted over.
    QCOMPARE(QColor(image.pixel(0, 0)), pressed ? kBlack : kWhite);
    QCOMPARE(QColor(image.pixel(1, 1)), pressed ? kDark : kLight);
    QCOMPARE(QColor(image.pixel(40, 40)), kBlack);
    const QRect placed(origin, pictureSize);
    for (int y = face.top(); y <= face.bottom(); ++y) {
        for (int x = face.left(); x <= face.right(); ++x) {
            const QPoint source = QPoint(x, y) - origin;
            const QColor expected =
                placed.contains(x, y) ? QColor(4 * source.x(), 4 * source.y(), 7) : kWhite;
            if (QColor(image.pixel(x, y)) != expected)
                QFAIL(qPrintable(QStringLiteral("pixel %1,%2 is %3, expected %4")
                                     .arg(x)
                                     .arg(y)
                                     .arg(QColor(image.pixel(x, y)).name(), expected.name())));
        }
    }
}

void TestCommandButton::highResolutionPictureKeepsLogicalSize()
{
    // A 60 x 60 picture for a device pixel ratio of 2 is 30 x 30 logical pixels.
    QPixmap picture(60, 60);
    picture.fill(QColor(0, 0, 255));
    picture.setDevicePixelRatio(2);
    CommandButton button;
    button.resize(41, 41);
    button.setFaceColor(kWhite);
    button.setPicture(picture);
    const QImage image = button.grab().toImage();
    QCOMPARE(QColor(image.pixel(4, 4)), kWhite);
    QCOMPARE(QColor(image.pixel(5, 5)), QColor(0, 0, 255));
    QCOMPARE(QColor(image.pixel(34, 34)), QColor(0, 0, 255));
    QCOMPARE(QColor(image.pixel(35, 35)), kWhite);
}

void TestCommandButton::mouseClick_data()
{
    QTest::addColumn<QPoint>("releaseAt");
    QTest::addColumn<int>("clicks");
    QTest::newRow("released inside") << QPoint(30, 10) << 1;
    QTest::newRow("released outside") << QPoint(60, 10) << 0;
}

void TestCommandButton::mouseClick()
{
    QFETCH(QPoint, releaseAt);
    QFETCH(int, clicks);
    QWidget window;
    auto *button = new CommandButton(&window);
    button->setGeometry(0, 0, 41, 33);
    button->setFaceColor(kFace);
    window.resize(100, 40);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QSignalSpy spy(button, &CommandButton::clicked);
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(20, 16));
    QVERIFY(button->isDown());
    QCOMPARE(pixelAt(button, 1, 1), kDark);
    QTest::mouseMove(button, releaseAt);
    QCOMPARE(button->isDown(), clicks == 1);
    QTest::mouseRelease(button, Qt::LeftButton, {}, releaseAt);
    QCOMPARE(spy.count(), clicks);
    QVERIFY(!button->isDown());
    QCOMPARE(pixelAt(button, 1, 1), button->hasFocus() ? kWhite : kLight);
}

void TestCommandButton::keysClickFocusedButton_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<int>("clicks");
    QTest::newRow("space") << int(Qt::Key_Space) << Qt::KeyboardModifiers() << 1;
    QTest::newRow("return") << int(Qt::Key_Return) << Qt::KeyboardModifiers() << 1;
    QTest::newRow("keypad enter") << int(Qt::Key_Enter) << Qt::KeyboardModifiers(Qt::KeypadModifier)
                                  << 1;
    QTest::newRow("shift return is not a click")
        << int(Qt::Key_Return) << Qt::KeyboardModifiers(Qt::ShiftModifier) << 0;
    QTest::newRow("letter") << int(Qt::Key_E) << Qt::KeyboardModifiers() << 0;
}

void TestCommandButton::keysClickFocusedButton()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(int, clicks);
    QWidget window;
    auto *button = new CommandButton(&window);
    button->setText(QStringLiteral("&Ende"));
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    button->setFocus();
    QSignalSpy spy(button, &CommandButton::clicked);
    QTest::keyClick(button, Qt::Key(key), modifiers);
    QCOMPARE(spy.count(), clicks);
}

void TestCommandButton::spaceHeldShowsSunken()
{
    QWidget window;
    auto *button = new CommandButton(&window);
    button->setGeometry(0, 0, 41, 33);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    button->setFocus();
    QSignalSpy spy(button, &CommandButton::clicked);
    QTest::keyPress(button, Qt::Key_Space);
    QVERIFY(button->isDown());
    QCOMPARE(pixelAt(button, 1, 1), kDark);
    QCOMPARE(spy.count(), 0);
    QTest::keyRelease(button, Qt::Key_Space);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(pixelAt(button, 1, 1), kWhite);
}

void TestCommandButton::accessKeyClicksFromAnywhere_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("endeClicks");
    QTest::addColumn<int>("webseiteClicks");
    QTest::newRow("Alt+E") << int(Qt::Key_E) << 1 << 0;
    QTest::newRow("Alt+W") << int(Qt::Key_W) << 0 << 1;
    QTest::newRow("Alt+X") << int(Qt::Key_X) << 0 << 0;
}

void TestCommandButton::accessKeyClicksFromAnywhere()
{
    QFETCH(int, key);
    QFETCH(int, endeClicks);
    QFETCH(int, webseiteClicks);
    QWidget window;
    auto *ende = new CommandButton(&window);
    auto *webseite = new CommandButton(&window);
    auto *card = new CommandButton(&window);
    ende->setText(QStringLiteral("&Ende"));
    webseite->setText(QStringLiteral("&Webseite"));
    ende->setGeometry(0, 0, 113, 33);
    webseite->setGeometry(120, 0, 121, 33);
    card->setGeometry(0, 40, 41, 41);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    card->setFocus();
    QSignalSpy endeSpy(ende, &CommandButton::clicked);
    QSignalSpy webseiteSpy(webseite, &CommandButton::clicked);
    QTest::keyClick(card, Qt::Key(key), Qt::AltModifier);
    QTRY_COMPARE(endeSpy.count(), endeClicks);
    QTRY_COMPARE(webseiteSpy.count(), webseiteClicks);
    // Let a pending animated click finish, so no late click goes unnoticed.
    QTest::qWait(250);
    QCOMPARE(endeSpy.count(), endeClicks);
    QCOMPARE(webseiteSpy.count(), webseiteClicks);
}

void TestCommandButton::defaultRole_data()
{
    QTest::addColumn<bool>("defaultRole");
    QTest::addColumn<bool>("focusOnButton");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("roleClicks");
    QTest::addColumn<int>("focusedClicks");
    QTest::newRow("default, Enter elsewhere") << true << false << int(Qt::Key_Return) << 1 << 0;
    QTest::newRow("default, Enter on another button")
        << true << true << int(Qt::Key_Return) << 0 << 1;
    QTest::newRow("default ignores Escape") << true << false << int(Qt::Key_Escape) << 0 << 0;
    QTest::newRow("Escape clicks no button") << false << true << int(Qt::Key_Escape) << 0 << 0;
    QTest::newRow("no role") << false << false << int(Qt::Key_Return) << 0 << 0;
}

void TestCommandButton::defaultRole()
{
    QFETCH(bool, defaultRole);
    QFETCH(bool, focusOnButton);
    QFETCH(int, key);
    QFETCH(int, roleClicks);
    QFETCH(int, focusedClicks);
    QWidget window;
    auto *role = new CommandButton(&window);
    auto *focused = new CommandButton(&window);
    auto *plain = new QWidget(&window);
    plain->setFocusPolicy(Qt::StrongFocus);
    focused->move(50, 0);
    plain->setGeometry(0, 50, 20, 20);
    role->setDefaultRole(defaultRole);
    QCOMPARE(role->isDefaultRole(), defaultRole);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QWidget *target = focusOnButton ? static_cast<QWidget *>(focused) : plain;
    target->setFocus();
    QVERIFY(target->hasFocus());
    QSignalSpy roleSpy(role, &CommandButton::clicked);
    QSignalSpy focusedSpy(focused, &CommandButton::clicked);
    QTest::keyClick(target, Qt::Key(key));
    QCOMPARE(roleSpy.count(), roleClicks);
    QCOMPARE(focusedSpy.count(), focusedClicks);

    // Taking the role away again leaves the key without effect.
    role->setDefaultRole(false);
    QTest::keyClick(plain, Qt::Key(key));
    QCOMPARE(roleSpy.count(), roleClicks);
}

void TestCommandButton::accessibleName_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("name");
    QTest::newRow("caption without marker") << u"&Webseite"_s << QString() << u"Webseite"_s;
    QTest::newRow("caption wins over picture") << u"&Ende"_s << u"F#"_s << u"Ende"_s;
    QTest::newRow("double ampersand is literal")
        << u"Rock && &Roll"_s << QString() << u"Rock & Roll"_s;
    QTest::newRow("picture only") << QString() << u"Fis-Dur"_s << u"Fis-Dur"_s;
}

void TestCommandButton::accessibleName()
{
    QFETCH(QString, caption);
    QFETCH(QString, description);
    QFETCH(QString, name);
    CommandButton button;
    button.setText(caption);
    button.setPicture(coordinatePicture(41, 41), description);
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(&button);
    QVERIFY(iface);
    QCOMPARE(iface->role(), QAccessible::Button);
    QCOMPARE(iface->text(QAccessible::Name), name);
    QVERIFY(iface->state().focusable);
}

void TestCommandButton::accessibleChoiceAndKey_data()
{
    using Choice = CommandButton::Choice;
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QKeySequence>("clickKey");
    QTest::addColumn<Choice>("choice");
    QTest::addColumn<QAccessible::Role>("role");
    QTest::addColumn<bool>("checked");
    QTest::addColumn<QString>("binding");
    QTest::newRow("access key") << u"&Ende"_s << QKeySequence() << Choice::None
                                << QAccessible::Button << false << u"Alt+E"_s;
    QTest::newRow("access key before a click key")
        << u"&Ende"_s << QKeySequence(Qt::Key_1) << Choice::None << QAccessible::Button << false
        << u"Alt+E"_s;
    QTest::newRow("choice not chosen") << QString() << QKeySequence(Qt::Key_1) << Choice::NotChosen
                                       << QAccessible::RadioButton << false << u"1"_s;
    QTest::newRow("chosen") << QString() << QKeySequence(Qt::Key_3) << Choice::Chosen
                            << QAccessible::RadioButton << true << u"3"_s;
    QTest::newRow("no key") << QString() << QKeySequence() << Choice::None << QAccessible::Button
                            << false << QString();
}

void TestCommandButton::accessibleChoiceAndKey()
{
    QFETCH(QString, caption);
    QFETCH(QKeySequence, clickKey);
    QFETCH(CommandButton::Choice, choice);
    QFETCH(QAccessible::Role, role);
    QFETCH(bool, checked);
    QFETCH(QString, binding);
    CommandButton button;
    button.setText(caption);
    if (!clickKey.isEmpty()) {
        button.addClickKey(clickKey);
        button.addClickKey(QKeySequence(Qt::KeypadModifier | clickKey[0].key()));
    }
    button.setChoice(choice);
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(&button);
    QCOMPARE(iface->role(), role);
    QCOMPARE(bool(iface->state().checkable), choice != CommandButton::Choice::None);
    QCOMPARE(bool(iface->state().checked), checked);
    QCOMPARE(
        iface->actionInterface()->keyBindingsForAction(QAccessibleActionInterface::pressAction()),
        binding.isEmpty() ? QStringList() : QStringList{binding});
}

QTEST_MAIN(TestCommandButton)
#include "tst_command_button.moc"
