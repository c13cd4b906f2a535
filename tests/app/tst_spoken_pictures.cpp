// What screen readers say of each picture of the set.
#include "app/spoken_chart.h"
#include "chart/akkorde.h"

#include <QTest>

#include <stdexcept>

using namespace griffwandler;
using namespace griffwandler::app;
using assets::Bildart;
using assets::BildId;

Q_DECLARE_METATYPE(griffwandler::assets::BildId)

class TestSpokenPictures : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void pictureNames_data();
    void pictureNames();
    void cardsOfAColumnSayItsChord_data();
    void cardsOfAColumnSayItsChord();
    void rejectsColumnsOutOfRange();
};

void TestSpokenPictures::pictureNames_data()
{
    QTest::addColumn<BildId>("id");
    QTest::addColumn<QString>("name");
    const char *const numerals[5] = {"I", "II", "III", "IV", "V"};
    for (int f = 0; f < 5; ++f)
        QTest::addRow("fret %d", f)
            << BildId{Bildart::Bundzahl, f} << QStringLiteral("Bund ") + QLatin1String(numerals[f]);
    QTest::newRow("teddy") << BildId{Bildart::Teddy, 0} << QStringLiteral("Teddybär");
    QTest::newRow("old") << BildId{Bildart::UeberschriftAlt, 0}
                         << QStringLiteral("Der alte Akkord");
    QTest::newRow("new blue") << BildId{Bildart::UeberschriftNeuBlau, 0}
                              << QStringLiteral("Der neue Akkord");
    QTest::newRow("new red") << BildId{Bildart::UeberschriftNeuRot, 0}
                             << QStringLiteral("Der neue Akkord");
    QTest::newRow("banner") << BildId{Bildart::Titel, 0}
                            << QStringLiteral("Griffwandler: Tonarten umschreiben");
    QTest::newRow("neck") << BildId{Bildart::Gitarrenhals, 0} << QStringLiteral("Gitarrenhals");
}

void TestSpokenPictures::pictureNames()
{
    QFETCH(BildId, id);
    QFETCH(QString, name);
    const SpokenPicture spoken = spokenPicture(id);
    QCOMPARE(spoken.name, name);
    QCOMPARE(spoken.detail, QString());
}

void TestSpokenPictures::cardsOfAColumnSayItsChord_data()
{
    // Each column's chord as German speakers say it (the cards write "C#"), and
    // what a screen reader adds for the black keys: the flat that names the same key.
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("detail");
    const char *const names[12] = {"C",   "Cis", "D",   "Dis", "E", "F",
                                   "Fis", "G",   "Gis", "A",   "B", "H"};
    const char *const details[12] = {"",
                                     "Cis, auch Des",
                                     "",
                                     "Dis, auch Es",
                                     "",
                                     "",
                                     "Fis, auch Ges",
                                     "",
                                     "Gis, auch As",
                                     "",
                                     "",
                                     ""};
    for (int k = 0; k < 12; ++k)
        QTest::addRow("%d", k) << k << QString::fromLatin1(names[k])
                               << QString::fromLatin1(details[k]);
}

void TestSpokenPictures::cardsOfAColumnSayItsChord()
{
    QFETCH(int, column);
    QFETCH(QString, name);
    QFETCH(QString, detail);
    for (const Bildart art : {Bildart::BlaueKarte, Bildart::RoteKarte}) {
        const SpokenPicture spoken = spokenPicture({art, column});
        QCOMPARE(spoken.name, name);
        QCOMPARE(spoken.detail, detail);
    }
    QCOMPARE(text(akkord(column).gesprochen), name);
}

void TestSpokenPictures::rejectsColumnsOutOfRange()
{
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, spokenPicture({Bildart::BlaueKarte, 12}));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, spokenPicture({Bildart::RoteKarte, -1}));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, spokenPicture({Bildart::Bundzahl, 5}));
}

QTEST_APPLESS_MAIN(TestSpokenPictures)
#include "tst_spoken_pictures.moc"
