#include "chart/kapo_stellung.h"
#include "chart/recorder.h"
#include "chart/window_state.h"
#include "chart/zeiger_stellung.h"

#include <QTest>

#include <algorithm>
#include <numeric>
#include <stdexcept>

using namespace griffwandler;
using griffwandler::test::Recorder;
using griffwandler::test::WindowState;

using SourceRow = QList<int>;

class TestKapoStellung : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void sourceTable_data();
    void sourceTable();
    void captionsAndStrips_data();
    void captionsAndStrips();
    void everyRowIsARotationWithCUnderFretColumn();
    void rejectsFretIndexOutsideRange_data();
    void rejectsFretIndexOutsideRange();
    void clickWritesInFixedOrder();
    void sameFretTwiceWritesTheSameAgain();
    void laterClickReplacesEarlierSetting();
    void fretClickLeavesPointerAlone();
};

// The whole transposition table: row k lists the Rote index shown under each
// column c with the capo on fret k + 1.
void TestKapoStellung::sourceTable_data()
{
    QTest::addColumn<int>("fret");
    QTest::addColumn<SourceRow>("sources");
    QTest::newRow("I") << 0 << SourceRow{11, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    QTest::newRow("II") << 1 << SourceRow{10, 11, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    QTest::newRow("III") << 2 << SourceRow{9, 10, 11, 0, 1, 2, 3, 4, 5, 6, 7, 8};
    QTest::newRow("IV") << 3 << SourceRow{8, 9, 10, 11, 0, 1, 2, 3, 4, 5, 6, 7};
    QTest::newRow("V") << 4 << SourceRow{7, 8, 9, 10, 11, 0, 1, 2, 3, 4, 5, 6};
}

void TestKapoStellung::sourceTable()
{
    QFETCH(int, fret);
    QFETCH(SourceRow, sources);
    const KapoStellung stellung = kapoStellung(fret);
    QCOMPARE(stellung.bund, fret + 1);
    QCOMPARE(SourceRow(stellung.quelle.begin(), stellung.quelle.end()), sources);
}

void TestKapoStellung::captionsAndStrips_data()
{
    QTest::addColumn<int>("fret");
    QTest::addColumn<QString>("caption");
    QTest::newRow("I") << 0 << QStringLiteral("Kapo im ersten Bund. Bund I.");
    QTest::newRow("II") << 1 << QStringLiteral("Kapo im zweiten Bund. Bund II.");
    QTest::newRow("III") << 2 << QStringLiteral("Kapo im dritten Bund. Bund III.");
    QTest::newRow("IV") << 3 << QStringLiteral("Kapo im vierten Bund. Bund IV.");
    QTest::newRow("V") << 4 << QString::fromUtf16(u"Kapo im f\u00fcnften Bund. Bund V.");
}

void TestKapoStellung::captionsAndStrips()
{
    QFETCH(int, fret);
    QFETCH(QString, caption);
    const KapoStellung stellung = kapoStellung(fret);
    QCOMPARE(stellung.beschriftung, caption);
    for (int j = 0; j < BundAnzahl; ++j)
        QCOMPARE(stellung.streifen[j], j == fret);
    QVERIFY(stellung.ueberschrift == Steuerelement{Name::derneueAkkord});
}

void TestKapoStellung::everyRowIsARotationWithCUnderFretColumn()
{
    for (int k = 0; k < BundAnzahl; ++k) {
        const KapoStellung stellung = kapoStellung(k);
        auto sorted = stellung.quelle;
        std::sort(sorted.begin(), sorted.end());
        std::array<int, SpaltenAnzahl> all{};
        std::iota(all.begin(), all.end(), 0);
        QVERIFY(sorted == all);
        // Each step right is one semitone up, wrapping from H to C.
        for (int c = 1; c < SpaltenAnzahl; ++c)
            QCOMPARE(stellung.quelle[c], (stellung.quelle[c - 1] + 1) % SpaltenAnzahl);
        QCOMPARE(stellung.quelle[stellung.bund], 0);
    }
}

void TestKapoStellung::rejectsFretIndexOutsideRange_data()
{
    QTest::addColumn<int>("index");
    QTest::newRow("-1") << -1;
    QTest::newRow("5") << 5;
    QTest::newRow("12") << 12;
    QTest::newRow("-32768") << -32768;
}

void TestKapoStellung::rejectsFretIndexOutsideRange()
{
    QFETCH(int, index);
    try {
        kapoStellung(index);
        QFAIL("no exception");
    } catch (const std::out_of_range &error) {
        const QString message = QString::fromUtf8(error.what());
        QVERIFY2(message.contains(QString::number(index)), error.what());
        QVERIFY2(message.contains(QStringLiteral("0 to 4")), error.what());
    }
    // The handler writes nothing before it rejects the index.
    Recorder recorder;
    QVERIFY_THROWS_EXCEPTION(std::out_of_range,
                             BundTaste_Click(recorder, static_cast<qint16>(index)));
    QVERIFY(recorder.log.isEmpty());
}

void TestKapoStellung::clickWritesInFixedOrder()
{
    Recorder recorder;
    BundTaste_Click(recorder, 2);
    const QStringList expected{
        QStringLiteral("KapoStreifen(0).Visible=false"),
        QStringLiteral("KapoStreifen(1).Visible=false"),
        QStringLiteral("KapoStreifen(2).Visible=false"),
        QStringLiteral("KapoStreifen(3).Visible=false"),
        QStringLiteral("KapoStreifen(4).Visible=false"),
        QStringLiteral("KapoStreifen(2).Visible=true"),
        QStringLiteral("Image4.Picture=derneueAkkord.Picture"),
        QStringLiteral("Label1.Caption=\"Kapo im dritten Bund. Bund III.\""),
        QStringLiteral("Noten2(0).Picture=Rote(9).Picture"),
        QStringLiteral("Noten2(1).Picture=Rote(10).Picture"),
        QStringLiteral("Noten2(2).Picture=Rote(11).Picture"),
        QStringLiteral("Noten2(3).Picture=Rote(0).Picture"),
        QStringLiteral("Noten2(4).Picture=Rote(1).Picture"),
        QStringLiteral("Noten2(5).Picture=Rote(2).Picture"),
        QStringLiteral("Noten2(6).Picture=Rote(3).Picture"),
        QStringLiteral("Noten2(7).Picture=Rote(4).Picture"),
        QStringLiteral("Noten2(8).Picture=Rote(5).Picture"),
        QStringLiteral("Noten2(9).Picture=Rote(6).Picture"),
        QStringLiteral("Noten2(10).Picture=Rote(7).Picture"),
        QStringLiteral("Noten2(11).Picture=Rote(8).Picture"),
    };
    QCOMPARE(recorder.log, expected);
}

void TestKapoStellung::sameFretTwiceWritesTheSameAgain()
{
    Recorder once;
    BundTaste_Click(once, 4);
    Recorder twice;
    BundTaste_Click(twice, 4);
    BundTaste_Click(twice, 4);
    QCOMPARE(twice.log, once.log + once.log);

    WindowState afterOne;
    BundTaste_Click(afterOne, 4);
    WindowState afterTwo;
    BundTaste_Click(afterTwo, 4);
    BundTaste_Click(afterTwo, 4);
    QVERIFY(afterOne == afterTwo);
}

void TestKapoStellung::laterClickReplacesEarlierSetting()
{
    WindowState window;
    BundTaste_Click(window, 2);
    BundTaste_Click(window, 0);

    QCOMPARE(window.captions.value(QStringLiteral("Label1")),
             QStringLiteral("Kapo im ersten Bund. Bund I."));
    QCOMPARE(window.visible.value(QStringLiteral("KapoStreifen(2)")), false);
    QCOMPARE(window.visible.value(QStringLiteral("KapoStreifen(0)")), true);
    QCOMPARE(window.pictures.value(QStringLiteral("Noten2(0)")), QStringLiteral("Rote(11)"));
    QCOMPARE(window.pictures.value(QStringLiteral("Noten2(5)")), QStringLiteral("Rote(4)"));
    QCOMPARE(window.pictures.value(QStringLiteral("Image4")), QStringLiteral("derneueAkkord"));

    WindowState direct;
    BundTaste_Click(direct, 0);
    QVERIFY(window == direct);
}

void TestKapoStellung::fretClickLeavesPointerAlone()
{
    WindowState window;
    Noten1_Click(window, 5);
    BundTaste_Click(window, 0);
    QCOMPARE(window.visible.value(QStringLiteral("Teddy(5)")), true);
    QCOMPARE(window.visible.value(QStringLiteral("TeddyLine(5)")), true);
    QCOMPARE(window.pictures.value(QStringLiteral("Noten2(5)")), QStringLiteral("Rote(4)"));
}

QTEST_GUILESS_MAIN(TestKapoStellung)
#include "tst_kapo_stellung.moc"
