#include "failure_exit.h"

#include <cstdio>
#include <cstdlib>
#include <new>

namespace griffwandler::app {

Failure describeFailure(std::exception_ptr error, const QString &detail)
{
    Failure failure;
    try {
        std::rethrow_exception(error);
    } catch (const std::logic_error &e) {
        failure = {QStringLiteral("interner Fehler: ") + QString::fromUtf8(e.what()), true};
    } catch (const std::bad_alloc &) {
        failure.line = QStringLiteral("nicht genug Speicher");
    } catch (const std::exception &e) {
        failure.line = QString::fromUtf8(e.what());
    } catch (...) {
        failure = {QStringLiteral("interner Fehler: eine unbekannte Ausnahme"), true};
    }
    if (!detail.isEmpty())
        failure.line += QStringLiteral(": ") + detail;
    failure.line = failure.line.simplified();
    return failure;
}

void endOnError(std::exception_ptr error, const QString &detail)
{
    const Failure failure = describeFailure(error, detail);
    const QByteArray line = QByteArrayLiteral("griffwandler: ") + failure.line.toLocal8Bit() + '\n';
    std::fputs(line.constData(), stderr);
    std::fflush(stderr);
    if (failure.programFault)
        std::abort();
    // At once, like the end button: no further handler runs, and nothing the
    // toolkit says while tearing down follows the line.
    std::_Exit(1);
}

} // namespace griffwandler::app
