// A long seeded stream of random clicks and key presses over the whole window.
// After every event the window must show what its last fret and last card
// click promise, and nothing that no handler writes may have changed.
#include "app/form_fixture.h"
#include "app/url_recorder.h"
#include "controls/command_button.h"
#include "services/web_addresses.h"

#include <QApplication>
#include <QRandomGenerator>
#include <QTest>

using namespace griffwandler;
using namespace griffwandler::app;

namespace {

// What the window must show: the last fret clicked and the last card column.
struct Expected {
    int fret = -1;
    int column = -1;
};

// Parses "Noten2(7)" into its name and index.
bool parse(const QString &objectName, QString *name, int *index)
{
    const qsizetype open = objectName.indexOf(u'(');
    *name = objectName.left(open);
    *index = open < 0 ? -1 : objectName.mid(open + 1).chopped(1).toInt();
    return true;
}

} // namespace

class TestRandomClicks : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void invariantsHoldAfterEveryEvent();

private:
    QString verify(const GriffwandlerForm &form, const Expected &expected,
                   const QHash<QString, QRect> &geometry, const test::Snapshot &start);
};

QString TestRandomClicks::verify(const GriffwandlerForm &form, const Expected &expected,
                                 const QHash<QString, QRect> &geometry, const test::Snapshot &start)
{
    const ControlSet &controlSet = form.controlSet();
    using test::pictureKey;
    for (int j = 0; j < 5; ++j)
        if (controlSet.widget({Name::KapoStreifen, j})->isHidden() == (j == expected.fret))
            return QStringLiteral("KapoStreifen(%1) visibility").arg(j);
    for (int c = 0; c < 12; ++c) {
        const qint64 shown = pictureKey(form, {Name::Noten2, c});
        const qint64 wanted =
            expected.fret < 0 ? start.picture.value(QStringLiteral("Noten2(%1)").arg(c))
                              : pictureKey(form, {Name::Rote, (c - expected.fret - 1 + 12) % 12});
        if (shown != wanted)
            return QStringLiteral("Noten2(%1) picture").arg(c);
        if (controlSet.widget({Name::Teddy, c})->isHidden() == (c == expected.column))
            return QStringLiteral("Teddy(%1) visibility").arg(c);
        if (controlSet.widget({Name::TeddyLine, c})->isHidden() == (c == expected.column))
            return QStringLiteral("TeddyLine(%1) visibility").arg(c);
        if (pictureKey(form, {Name::Noten1, c}) !=
            start.picture.value(QStringLiteral("Noten1(%1)").arg(c)))
            return QStringLiteral("Noten1(%1) picture").arg(c);
    }
    for (int k = 0; k < 5; ++k)
        if (pictureKey(form, {Name::BundTaste, k}) !=
            start.picture.value(QStringLiteral("BundTaste(%1)").arg(k)))
            return QStringLiteral("BundTaste(%1) picture").arg(k);
    const bool red = pictureKey(form, {Name::Image4}) == pictureKey(form, {Name::derneueAkkord});
    if (red != (expected.fret >= 0))
        return QStringLiteral("Image4 heading colour");
    for (auto it = geometry.begin(); it != geometry.end(); ++it)
        if (form.findChild<QWidget *>(it.key())->geometry() != it.value())
            return it.key() + QStringLiteral(" geometry");
    return {};
}

void TestRandomClicks::invariantsHoldAfterEveryEvent()
{
    test::UrlRecorder sink;

    GriffwandlerForm form;
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));

    const test::Snapshot start = test::snapshot(form);
    QHash<QString, QRect> geometry;
    for (const QString &name : test::stackingOrder(form))
        geometry[name] = form.findChild<QWidget *>(name)->geometry();

    const quint32 seed = 20261208;
    QRandomGenerator random(seed);
    Expected expected;
    QWidget *command1 = form.controlSet().widget({Name::Command1});
    int clicks = 0;
    int keys = 0;
    for (int event = 0; event < 20000; ++event) {
        if (random.bounded(3) != 0) {
            // A click anywhere in the window hits the front-most control there.
            const QPoint at(random.bounded(form.width()), random.bounded(form.height()));
            QWidget *target = form.childAt(at);
            QString name;
            int index = -1;
            if (target)
                parse(target->objectName(), &name, &index);
            if (name == QStringLiteral("Command1"))
                continue; // ends the program
            QTest::mouseClick(target ? target : &form, Qt::LeftButton, {},
                              target ? target->mapFrom(&form, at) : at);
            ++clicks;
            if (name == QStringLiteral("BundTaste"))
                expected.fret = index;
            else if (name == QStringLiteral("Noten1") || name == QStringLiteral("Noten2"))
                expected.column = index;
        } else {
            static const Qt::Key pool[] = {Qt::Key_Tab,    Qt::Key_Backtab, Qt::Key_Space,
                                           Qt::Key_Return, Qt::Key_Left,    Qt::Key_Down,
                                           Qt::Key_A,      Qt::Key_W};
            const Qt::Key key = pool[random.bounded(int(std::size(pool)))];
            const Qt::KeyboardModifiers modifiers =
                key == Qt::Key_W && random.bounded(2) ? Qt::AltModifier : Qt::NoModifier;
            QWidget *focus = QApplication::focusWidget();
            const bool activates = key == Qt::Key_Space || key == Qt::Key_Return;
            if (activates && focus == command1)
                continue; // ends the program
            QString name;
            int index = -1;
            if (focus)
                parse(focus->objectName(), &name, &index);
            QTest::keyClick(focus ? focus : &form, key, modifiers);
            ++keys;
            if (activates && name == QStringLiteral("BundTaste"))
                expected.fret = index;
            else if (activates &&
                     (name == QStringLiteral("Noten1") || name == QStringLiteral("Noten2")))
                expected.column = index;
        }
        const QString broken = verify(form, expected, geometry, start);
        if (!broken.isEmpty())
            QFAIL(qPrintable(
                QStringLiteral("event %1 (seed %2): %3").arg(event).arg(seed).arg(broken)));
    }
    QVERIFY(form.isVisible());
    QVERIFY(clicks > 10000);
    QVERIFY(keys > 5000);
    QVERIFY(expected.fret >= 0 && expected.column >= 0);
    QVERIFY(!sink.urls.isEmpty());
}

QTEST_MAIN(TestRandomClicks)
#include "tst_random_clicks.moc"
