#include "chart/kapo_stellung.h"
#include "chart/recorder.h"
#include "chart/window_state.h"
#include "chart/zeiger_stellung.h"

#include <QTest>

#include <stdexcept>

using namespace griffwandler;
using griffwandler::test::Recorder;
using griffwandler::test::WindowState;

class TestZeigerStellung : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void exactlyOneFigureAndLineInThePointerColumn();
    void clickWritesInFixedOrder();
    void bothRowsPointAlike_data();
    void bothRowsPointAlike();
    void pointerMovesToTheNewColumn();
    void cardClickLeavesCapoSettingAlone();
    void rejectsColumnIndexOutsideRange_data();
    void rejectsColumnIndexOutsideRange();
};

void TestZeigerStellung::exactlyOneFigureAndLineInThePointerColumn()
{
    QVERIFY(!ZeigerStellung{}.spalte.has_value());
    for (int i = 0; i < SpaltenAnzahl; ++i) {
        const ZeigerStellung stellung = zeigerStellung(i);
        QCOMPARE(stellung.spalte.value_or(-1), i);
        for (int j = 0; j < SpaltenAnzahl; ++j) {
            QCOMPARE(stellung.teddy[j], j == i);
            QCOMPARE(stellung.teddyLine[j], j == i);
        }
    }
}

void TestZeigerStellung::clickWritesInFixedOrder()
{
    Recorder recorder;
    Noten2_Click(recorder, 7);
    QStringList expected;
    for (int j = 0; j < SpaltenAnzahl; ++j)
        expected << QStringLiteral("Teddy(%1).Visible=false").arg(j)
                 << QStringLiteral("TeddyLine(%1).Visible=false").arg(j);
    expected << QStringLiteral("Teddy(7).Visible=true")
             << QStringLiteral("TeddyLine(7).Visible=true");
    QCOMPARE(recorder.log, expected);
}

void TestZeigerStellung::bothRowsPointAlike_data()
{
    QTest::addColumn<int>("column");
    for (int i = 0; i < SpaltenAnzahl; ++i)
        QTest::addRow("%d", i) << i;
}

void TestZeigerStellung::bothRowsPointAlike()
{
    QFETCH(int, column);
    Recorder old;
    Noten1_Click(old, static_cast<qint16>(column));
    Recorder neu;
    Noten2_Click(neu, static_cast<qint16>(column));
    QCOMPARE(old.log, neu.log);
    QCOMPARE(old.log.size(), 2 * SpaltenAnzahl + 2);
    QCOMPARE(old.log.last(), QStringLiteral("TeddyLine(%1).Visible=true").arg(column));
}

void TestZeigerStellung::pointerMovesToTheNewColumn()
{
    WindowState window;
    Noten1_Click(window, 3);
    Noten1_Click(window, 10);
    for (int j = 0; j < SpaltenAnzahl; ++j) {
        QCOMPARE(window.visible.value(QStringLiteral("Teddy(%1)").arg(j)), j == 10);
        QCOMPARE(window.visible.value(QStringLiteral("TeddyLine(%1)").arg(j)), j == 10);
    }
    // The same column again, from the other row, leaves the window as it was.
    WindowState again = window;
    Noten2_Click(again, 10);
    QVERIFY(again == window);
}

void TestZeigerStellung::cardClickLeavesCapoSettingAlone()
{
    WindowState window;
    BundTaste_Click(window, 3);
    const auto pictures = window.pictures;
    const auto captions = window.captions;
    Noten2_Click(window, 0);
    Noten1_Click(window, 11);
    QCOMPARE(window.pictures, pictures);
    QCOMPARE(window.captions, captions);
    for (int j = 0; j < BundAnzahl; ++j)
        QCOMPARE(window.visible.value(QStringLiteral("KapoStreifen(%1)").arg(j)), j == 3);
}

void TestZeigerStellung::rejectsColumnIndexOutsideRange_data()
{
    QTest::addColumn<int>("index");
    QTest::newRow("-1") << -1;
    QTest::newRow("12") << 12;
    QTest::newRow("32767") << 32767;
}

void TestZeigerStellung::rejectsColumnIndexOutsideRange()
{
    QFETCH(int, index);
    try {
        zeigerStellung(index);
        QFAIL("no exception");
    } catch (const std::out_of_range &error) {
        const QString message = QString::fromUtf8(error.what());
        QVERIFY2(message.contains(QString::number(index)), error.what());
        QVERIFY2(message.contains(QStringLiteral("0 to 11")), error.what());
    }
    Recorder recorder;
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, Noten1_Click(recorder, static_cast<qint16>(index)));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, Noten2_Click(recorder, static_cast<qint16>(index)));
    QVERIFY(recorder.log.isEmpty());
}

QTEST_GUILESS_MAIN(TestZeigerStellung)
#include "tst_zeiger_stellung.moc"
