#include "failure_exit.h"

#include <cstdio>
#include <cstdlib>
#include <new>

namespace griffwandler::app {

namespace {

enum class Kind { Surroundings, ProgramFault };

Kind classify(std::exception_ptr error, QString &what)
{
    try {
        std::rethrow_exception(error);
    } catch (const std::logic_error &e) {
        what = QStringLiteral("interner Fehler: ") + QString::fromUtf8(e.what());
        return Kind::ProgramFault;
    } catch (const std::bad_alloc &) {
        what = QStringLiteral("nicht genug Speicher");
    } catch (const std::exception &e) {
        what = QString::fromUtf8(e.what());
    } catch (...) {
        what = QStringLiteral("interner Fehler: eine unbekannte Ausnahme");
        return Kind::ProgramFault;
    }
    return Kind::Surroundings;
}

QString describe(std::exception_ptr error, const QString &detail, Kind &kind)
{
    QString what;
    kind = classify(error, what);
    if (!detail.isEmpty())
        what += QStringLiteral(": ") + detail;
    return what.simplified();
}

} // namespace

void endOnError(std::exception_ptr error, const QString &detail)
{
    Kind kind;
    const QByteArray line =
        QByteArrayLiteral("griffwandler: ") + describe(error, detail, kind).toLocal8Bit() + '\n';
    std::fputs(line.constData(), stderr);
    std::fflush(stderr);
    if (kind == Kind::ProgramFault)
        std::abort();
    // At once, like the end button: no further handler runs, and nothing the
    // toolkit says while tearing down follows the line.
    std::_Exit(1);
}

} // namespace griffwandler::app
