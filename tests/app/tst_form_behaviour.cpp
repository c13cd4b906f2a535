// The running window: clicks, keys and what they change, on real widgets.
#include "app/form_fixture.h"
#include "app/url_recorder.h"
#include "assets/bilder.h"
#include "controls/command_button.h"
#include "controls/label_control.h"
#include "services/web_addresses.h"

#include <QAccessible>
#include <QApplication>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <array>
#include <memory>

using namespace griffwandler;
using namespace griffwandler::app;
using namespace Qt::StringLiterals;

namespace {
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
QString lastAnnouncement;
void recordAnnouncement(QAccessibleEvent *event)
{
    if (event->type() == QAccessible::Announcement)
        lastAnnouncement = static_cast<QAccessibleAnnouncementEvent *>(event)->message();
}
#endif

// What the window last asked screen readers to say: an announcement (Qt 6.8),
// or the notification among the window's children (before).
QString announced(QWidget *form)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    Q_UNUSED(form);
    return lastAnnouncement;
#else
    QAccessibleInterface *window = QAccessible::queryAccessibleInterface(form);
    QString notification;
    for (int i = 0; i < window->childCount(); ++i)
        if (window->child(i)->role() == QAccessible::Notification)
            notification = window->child(i)->text(QAccessible::Name);
    return notification;
#endif
}
} // namespace

class TestFormBehaviour : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void fretThreeOnRealWidgets();
    void fretIsAnnounced_data();
    void fretIsAnnounced();
    void fretClicksDoNotAddUp();
    void cardClickPointsAtItsColumn_data();
    void cardClickPointsAtItsColumn();
    void pointerStaysOverFretClick();
    void unboundControlsChangeNothing();
    void pixelsAfterFretAndCard();
    void tabOrder();
    void spaceAtStartEnds();
    void closingTheWindowEnds();
    void accessKeys();
    void numberKeysClickFrets_data();
    void numberKeysClickFrets();
    void linksOpenTheirPages();

private:
    QWidget *w(Name name, int index = -1) { return m_form->controlSet().widget({name, index}); }
    void click(QWidget *widget) { QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(5, 5)); }
    std::unique_ptr<GriffwandlerForm> m_form;
    test::UrlRecorder m_urls;
};

void TestFormBehaviour::init()
{
    m_urls.urls.clear();
    m_form = std::make_unique<GriffwandlerForm>();
    m_form->show();
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
}

void TestFormBehaviour::cleanup()
{
    m_form.reset();
}

void TestFormBehaviour::fretThreeOnRealWidgets()
{
    click(w(Name::BundTaste, 2));
    using test::pictureKey;
    QCOMPARE(pictureKey(*m_form, {Name::Noten2, 5}), pictureKey(*m_form, {Name::Rote, 2}));
    QCOMPARE(pictureKey(*m_form, {Name::Image4}), pictureKey(*m_form, {Name::derneueAkkord}));
    for (int c = 0; c < 12; ++c)
        QCOMPARE(pictureKey(*m_form, {Name::Noten2, c}),
                 pictureKey(*m_form, {Name::Rote, (c + 9) % 12}));
    for (int j = 0; j < 5; ++j)
        QCOMPARE(!w(Name::KapoStreifen, j)->isHidden(), j == 2);
    QCOMPARE(m_form->controlSet().label({Name::Label1})->caption(),
             QStringLiteral("Kapo im dritten Bund. Bund III."));
    // The card under F now reads as D, for screen readers too, and names the chord it
    // replaces; the one under Fis reads as Dis with its flat name.
    auto spoken = [this](Name name, int index, QAccessible::Text text) {
        return QAccessible::queryAccessibleInterface(w(name, index))->text(text);
    };
    QCOMPARE(spoken(Name::Noten2, 5, QAccessible::Name), QStringLiteral("D"));
    QCOMPARE(spoken(Name::Noten2, 5, QAccessible::Description), QStringLiteral("spiele D statt F"));
    QCOMPARE(spoken(Name::Noten2, 6, QAccessible::Name), QStringLiteral("Dis"));
    QCOMPARE(spoken(Name::Noten2, 6, QAccessible::Description),
             QStringLiteral("Dis, auch Es, spiele Dis statt Fis"));
    // The old row keeps its chords and names the one to play instead.
    QCOMPARE(spoken(Name::Noten1, 5, QAccessible::Name), QStringLiteral("F"));
    QCOMPARE(spoken(Name::Noten1, 5, QAccessible::Description),
             QStringLiteral("mit dem Kapo im dritten Bund: D"));
    QCOMPARE(spoken(Name::Noten1, 6, QAccessible::Description),
             QStringLiteral("Fis, auch Ges, mit dem Kapo im dritten Bund: Dis"));
    QCOMPARE(spoken(Name::Noten1, 0, QAccessible::Description),
             QStringLiteral("mit dem Kapo im dritten Bund: A"));
}

void TestFormBehaviour::fretIsAnnounced_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("keys"); // fret keys pressed in turn
    QTest::addColumn<QString>("said"); // after the last one
    const QString third = QStringLiteral("Kapo im dritten Bund. Bund III.");
    QTest::newRow("focus on the end button") << u"Command1"_s << u"3"_s << third;
    QTest::newRow("focus on a fret") << u"BundTaste(0)"_s << u"3"_s << third;
    QTest::newRow("new card under F") << u"Noten2(5)"_s << u"3"_s << third + u" Spiele D statt F"_s;
    QTest::newRow("new card under Fis, second fret")
        << u"Noten2(6)"_s << u"32"_s << u"Kapo im zweiten Bund. Bund II. Spiele E statt Fis"_s;
    QTest::newRow("a sharp with its flat name")
        << u"Noten2(6)"_s << u"3"_s << third + u" Dis, auch Es, spiele Dis statt Fis"_s;
    QTest::newRow("same fret again, same chord") << u"Noten2(5)"_s << u"33"_s << third;
    QTest::newRow("old card, its chord stays")
        << u"Noten1(5)"_s << u"1"_s << u"Kapo im ersten Bund. Bund I."_s;
}

void TestFormBehaviour::fretIsAnnounced()
{
    QFETCH(QString, focus);
    QFETCH(QString, keys);
    QFETCH(QString, said);
    QWidget *focused = m_form->findChild<QWidget *>(focus);
    focused->setFocus();
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    lastAnnouncement.clear();
    QAccessible::installUpdateHandler(recordAnnouncement);
    const auto restore = qScopeGuard([] { QAccessible::installUpdateHandler(nullptr); });
#endif
    int fret = -1;
    for (const QChar key : keys) {
        fret = key.digitValue() - 1;
        QSignalSpy clicked(m_form->controlSet().button({Name::BundTaste, fret}),
                           &QAbstractButton::clicked);
        QTest::keyClick(focused, Qt::Key(Qt::Key_0 + key.digitValue()));
        QTRY_COMPARE(clicked.size(), 1);
    }
    QCOMPARE(announced(m_form.get()), said);
    // The chosen fret is checked, the others not.
    for (int k = 0; k < 5; ++k) {
        const QAccessible::State state =
            QAccessible::queryAccessibleInterface(w(Name::BundTaste, k))->state();
        QVERIFY(state.checkable);
        QCOMPARE(bool(state.checked), k == fret);
    }
    QCOMPARE(QApplication::focusWidget(), focused);
}

void TestFormBehaviour::fretClicksDoNotAddUp()
{
    click(w(Name::BundTaste, 2));
    click(w(Name::BundTaste, 0));
    const test::Snapshot afterTwo = test::snapshot(*m_form);
    click(w(Name::BundTaste, 0));
    QVERIFY(test::snapshot(*m_form) == afterTwo);

    GriffwandlerForm fresh;
    fresh.BundTaste_Click(0);
    // Pictures are shared images, so the same chart has the same cache keys.
    QCOMPARE(test::snapshot(fresh).caption, afterTwo.caption);
    QCOMPARE(test::snapshot(fresh).visible, afterTwo.visible);
    QCOMPARE(test::pictureKey(*m_form, {Name::Noten2, 0}),
             test::pictureKey(*m_form, {Name::Rote, 11}));
}

void TestFormBehaviour::cardClickPointsAtItsColumn_data()
{
    QTest::addColumn<QString>("row");
    QTest::addColumn<int>("column");
    for (int i : {0, 3, 7, 11}) {
        QTest::addRow("Noten1(%d)", i) << QStringLiteral("Noten1") << i;
        QTest::addRow("Noten2(%d)", i) << QStringLiteral("Noten2") << i;
    }
}

void TestFormBehaviour::cardClickPointsAtItsColumn()
{
    QFETCH(QString, row);
    QFETCH(int, column);
    click(w(Name::Noten1, (column + 5) % 12)); // somewhere else first
    const test::Snapshot before = test::snapshot(*m_form);
    click(m_form->findChild<QWidget *>(QStringLiteral("%1(%2)").arg(row).arg(column)));
    const test::Snapshot after = test::snapshot(*m_form);
    for (int j = 0; j < 12; ++j) {
        QCOMPARE(!w(Name::Teddy, j)->isHidden(), j == column);
        QCOMPARE(!w(Name::TeddyLine, j)->isHidden(), j == column);
    }
    QCOMPARE(after.picture, before.picture);
    QCOMPARE(after.caption, before.caption);
}

void TestFormBehaviour::pointerStaysOverFretClick()
{
    click(w(Name::Noten2, 5));
    click(w(Name::BundTaste, 0));
    QVERIFY(!w(Name::Teddy, 5)->isHidden());
    QVERIFY(!w(Name::TeddyLine, 5)->isHidden());
    QCOMPARE(test::pictureKey(*m_form, {Name::Noten2, 5}),
             test::pictureKey(*m_form, {Name::Rote, 4}));
}

void TestFormBehaviour::unboundControlsChangeNothing()
{
    click(w(Name::BundTaste, 1));
    click(w(Name::Noten1, 4));
    const test::Snapshot before = test::snapshot(*m_form);
    for (QWidget *widget :
         {w(Name::Label1), w(Name::Label2), w(Name::Label3, 0), w(Name::Label3, 1), w(Name::Image1),
          w(Name::Image2), w(Name::Image3), w(Name::Teddy, 4), w(Name::TeddyLine, 4),
          w(Name::KapoStreifen, 1), w(Name::Shape2), w(Name::Shape3)})
        click(widget);
    QVERIFY(test::snapshot(*m_form) == before);
    QVERIFY(m_urls.urls.isEmpty());
    QVERIFY(m_form->isVisible());
}

void TestFormBehaviour::pixelsAfterFretAndCard()
{
    QImage shot = m_form->grab().toImage();
    const QColor navy(0, 0, 128);
    QCOMPARE(shot.pixelColor(400, 65), navy);                       // upper rule
    QCOMPARE(shot.pixelColor(100, 418), navy);                      // lower rule
    QCOMPARE(shot.pixelColor(372, 300 + 5), QColor(192, 192, 192)); // no figure yet
    QVERIFY(shot.pixelColor(72 + 40, 312 + 7) != navy);             // no capo strip yet

    click(w(Name::BundTaste, 2));
    click(w(Name::Noten1, 2));
    shot = m_form->grab().toImage();
    // Capo strip III across the neck, navy face inside its bevel.
    QCOMPARE(shot.pixelColor(72 + 40, 312 + 7), navy);
    // Pointer line of column 2 over the top of the heading Image4 (216 to 221).
    const QColor brown(128, 98, 62);
    QCOMPARE(shot.pixelColor(256 + 20, 208 + 7), brown);
    QCOMPARE(shot.pixelColor(256 + 20, 218), brown);
    // The red heading: plenty of pure red pixels where the blue one was.
    int red = 0;
    for (int y = 216; y < 263; ++y)
        for (int x = 264; x < 489; ++x)
            red += shot.pixelColor(x, y) == QColor(255, 0, 0);
    QVERIFY2(red > 200, qPrintable(QString::number(red)));
    // The red card in the new row sits on the white face of its button.
    QCOMPARE(shot.pixelColor(352 + 20, 336 + 3), QColor(255, 255, 255));
}

void TestFormBehaviour::tabOrder()
{
    QCOMPARE(QApplication::focusWidget(), w(Name::Command1));
    auto tabThrough = [](int steps) {
        QStringList visited;
        for (int step = 0; step < steps; ++step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        return visited;
    };
    QStringList frets;
    for (int k = 0; k < 5; ++k)
        frets << QStringLiteral("BundTaste(%1)").arg(k);
    QStringList cards;
    for (int i = 0; i < 12; ++i)
        cards << QStringLiteral("Noten1(%1)").arg(i);
    for (int i = 0; i < 12; ++i)
        cards << QStringLiteral("Noten2(%1)").arg(i);
    const QStringList tail{QStringLiteral("Command3"), QStringLiteral("Command1"),
                           QStringLiteral("BundTaste(0)")};
    // Labels and the hidden strips and lines are passed over.
    QCOMPARE(tabThrough(32), frets + cards + tail);

    // A shown capo strip and pointer line are buttons in the chain like any other.
    click(w(Name::BundTaste, 1));
    click(w(Name::Noten1, 0));
    w(Name::Command1)->setFocus();
    QCOMPARE(tabThrough(34), frets + QStringList{QStringLiteral("KapoStreifen(1)")} + cards +
                                 QStringList{QStringLiteral("TeddyLine(0)")} + tail);
}

void TestFormBehaviour::spaceAtStartEnds()
{
    QSignalSpy clicked(m_form->controlSet().button({Name::Command1}), &QAbstractButton::clicked);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCOMPARE(clicked.size(), 1);
    QVERIFY(!m_form->isVisible());
}

void TestFormBehaviour::closingTheWindowEnds()
{
    // The one window closing ends the program: nothing stops or delays it.
    QTimer::singleShot(0, m_form.get(), [this] { m_form->close(); });
    QTimer safety;
    safety.setSingleShot(true);
    connect(&safety, &QTimer::timeout, qApp, [] { QCoreApplication::exit(1); });
    safety.start(5000);
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(safety.isActive());
    QVERIFY(!m_form->isVisible());
}

void TestFormBehaviour::accessKeys()
{
    // Alt+W from a chord card opens the home page; Alt+E from a fret button ends.
    w(Name::Noten2, 4)->setFocus();
    QTest::keyClick(m_form.get(), Qt::Key_W, Qt::AltModifier);
    QTRY_COMPARE(m_urls.urls.size(), 1);
    QCOMPARE(m_urls.urls.at(0), QUrl(services::homePageAddress()));
    w(Name::BundTaste, 3)->setFocus();
    QTest::keyClick(m_form.get(), Qt::Key_E, Qt::AltModifier);
    QTRY_VERIFY(!m_form->isVisible());
}

void TestFormBehaviour::numberKeysClickFrets_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<int>("fret"); // -1: no fret
    for (int k = 0; k < 5; ++k) {
        QTest::addRow("%d", k + 1) << int(Qt::Key_1) + k << Qt::KeyboardModifiers() << k;
        QTest::addRow("keypad %d", k + 1)
            << int(Qt::Key_1) + k << Qt::KeyboardModifiers(Qt::KeypadModifier) << k;
    }
    QTest::newRow("0") << int(Qt::Key_0) << Qt::KeyboardModifiers() << -1;
    QTest::newRow("6") << int(Qt::Key_6) << Qt::KeyboardModifiers() << -1;
    QTest::newRow("keypad 6") << int(Qt::Key_6) << Qt::KeyboardModifiers(Qt::KeypadModifier) << -1;
    QTest::newRow("Alt+3") << int(Qt::Key_3) << Qt::KeyboardModifiers(Qt::AltModifier) << -1;
}

void TestFormBehaviour::numberKeysClickFrets()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(int, fret);
    std::array<std::unique_ptr<QSignalSpy>, 5> clicks;
    for (int k = 0; k < 5; ++k)
        clicks[k] = std::make_unique<QSignalSpy>(m_form->controlSet().button({Name::BundTaste, k}),
                                                 &QAbstractButton::clicked);
    QWidget *focus = w(Name::Noten1, 3);
    focus->setFocus();
    QTest::keyClick(focus, Qt::Key(key), modifiers);
    if (fret >= 0) {
        // Through the button's click, so the capo handler runs as for the mouse.
        QTRY_COMPARE(clicks[fret]->size(), 1);
        QVERIFY(!w(Name::KapoStreifen, fret)->isHidden());
    } else {
        QTest::qWait(200); // longer than a button's animated click
    }
    for (int k = 0; k < 5; ++k)
        QCOMPARE(clicks[k]->size(), k == fret ? 1 : 0);
    QCOMPARE(QApplication::focusWidget(), focus);
    QVERIFY(m_form->isVisible());
}

void TestFormBehaviour::linksOpenTheirPages()
{
    click(w(Name::Command3));
    click(w(Name::Command3));
    click(w(Name::Image4));
    click(w(Name::BundTaste, 4)); // the heading turns red and still links
    click(w(Name::Image4));
    const QUrl home(services::homePageAddress());
    const QUrl second(services::secondPageAddress());
    QCOMPARE(m_urls.urls, (QList<QUrl>{home, home, second, second}));
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

QTEST_MAIN(TestFormBehaviour)
#include "tst_form_behaviour.moc"
