// How an error that ends the program is told, and whose fault it counts as:
// the surroundings end with status 1, a fault of the program aborts.
#include "app/failure_exit.h"
#include "services/placement_rule.h"

#include <QTest>

#include <new>
#include <stdexcept>

using namespace griffwandler;

namespace {

enum class Thrown { Environment, FloatingPoint, LogicError, OutOfRange, BadAlloc, Unknown };

std::exception_ptr thrown(Thrown kind)
{
    try {
        switch (kind) {
        case Thrown::Environment:
            throw app::EnvironmentError("kein Bildschirm");
        case Thrown::FloatingPoint:
            throw services::FloatingPointError("Fensterlage nicht berechenbar");
        case Thrown::LogicError:
            throw std::logic_error("Vertrag verletzt");
        case Thrown::OutOfRange:
            throw std::out_of_range("kein Bild 9/0 im Programm");
        case Thrown::BadAlloc:
            throw std::bad_alloc();
        case Thrown::Unknown:
            throw 42;
        }
    } catch (...) {
        return std::current_exception();
    }
    return {};
}

} // namespace

class TestFailures : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void toldInOneLine()
    {
        QFETCH(int, kind);
        QFETCH(QString, detail);
        QFETCH(QString, line);
        QFETCH(bool, programFault);
        const app::Failure failure = app::describeFailure(thrown(Thrown(kind)), detail);
        QCOMPARE(failure.line, line);
        QCOMPARE(failure.programFault, programFault);
    }

    void toldInOneLine_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("detail");
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("programFault");
        QTest::newRow("surroundings")
            << int(Thrown::Environment) << QString() << QStringLiteral("kein Bildschirm") << false;
        QTest::newRow("with what the toolkit said, on one line")
            << int(Thrown::Environment) << QStringLiteral("could not connect\n  to display :9")
            << QStringLiteral("kein Bildschirm: could not connect to display :9") << false;
        QTest::newRow("floating-point fault")
            << int(Thrown::FloatingPoint) << QString()
            << QStringLiteral("Fensterlage nicht berechenbar") << false;
        QTest::newRow("memory") << int(Thrown::BadAlloc) << QString()
                                << QStringLiteral("nicht genug Speicher") << false;
        QTest::newRow("broken contract")
            << int(Thrown::LogicError) << QString()
            << QStringLiteral("interner Fehler: Vertrag verletzt") << true;
        QTest::newRow("a picture the program lacks")
            << int(Thrown::OutOfRange) << QString()
            << QStringLiteral("interner Fehler: kein Bild 9/0 im Programm") << true;
        QTest::newRow("not an exception")
            << int(Thrown::Unknown) << QString()
            << QStringLiteral("interner Fehler: eine unbekannte Ausnahme") << true;
    }
};

QTEST_GUILESS_MAIN(TestFailures)
#include "tst_failures.moc"
