// How an error that ends the program is told, and whose fault it counts as:
// the surroundings end with status 1, a fault of the program aborts.
#include "app/failure_exit.h"
#include "services/placement_rule.h"

#include <QTest>

#include <new>
#include <stdexcept>

using namespace griffwandler;

Q_DECLARE_METATYPE(std::exception_ptr)

class TestFailures : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void toldInOneLine()
    {
        QFETCH(std::exception_ptr, error);
        QFETCH(QString, detail);
        QFETCH(QString, line);
        QFETCH(bool, programFault);
        const app::Failure failure = app::describeFailure(error, detail);
        QCOMPARE(failure.line, line);
        QCOMPARE(failure.programFault, programFault);
    }

    void toldInOneLine_data()
    {
        QTest::addColumn<std::exception_ptr>("error");
        QTest::addColumn<QString>("detail");
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("programFault");
        QTest::newRow("surroundings")
            << std::make_exception_ptr(app::EnvironmentError("kein Bildschirm")) << QString()
            << QStringLiteral("kein Bildschirm") << false;
        QTest::newRow("with what the toolkit said, on one line")
            << std::make_exception_ptr(app::EnvironmentError("kein Bildschirm"))
            << QStringLiteral("could not connect\n  to display :9")
            << QStringLiteral("kein Bildschirm: could not connect to display :9") << false;
        QTest::newRow("floating-point fault")
            << std::make_exception_ptr(
                   services::FloatingPointError("Fensterlage nicht berechenbar"))
            << QString() << QStringLiteral("Fensterlage nicht berechenbar") << false;
        QTest::newRow("memory") << std::make_exception_ptr(std::bad_alloc()) << QString()
                                << QStringLiteral("nicht genug Speicher") << false;
        QTest::newRow("broken contract")
            << std::make_exception_ptr(std::logic_error("Vertrag verletzt")) << QString()
            << QStringLiteral("interner Fehler: Vertrag verletzt") << true;
        QTest::newRow("a picture the program lacks")
            << std::make_exception_ptr(std::out_of_range("kein Bild 9/0 im Programm")) << QString()
            << QStringLiteral("interner Fehler: kein Bild 9/0 im Programm") << true;
        QTest::newRow("not an exception")
            << std::make_exception_ptr(42) << QString()
            << QStringLiteral("interner Fehler: eine unbekannte Ausnahme") << true;
    }
};

QTEST_GUILESS_MAIN(TestFailures)
#include "tst_failures.moc"
