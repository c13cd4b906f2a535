#pragma once

#include <QString>

#include <exception>
#include <stdexcept>
#include <utility>

namespace griffwandler::app {

// Something the program needs from its surroundings is missing (a screen with
// an area, the window's fonts). The text is one line for the user.
class EnvironmentError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What ends the program for an error: the one line for the user (without the
// program's name in front), and whether the error is a fault of the program
// itself rather than of its surroundings.
struct Failure {
    QString line;
    bool programFault = false;
};

// `error` told in one line, followed by `detail` when given; a broken contract
// (std::logic_error, an unknown exception) is the program's fault.
Failure describeFailure(std::exception_ptr error, const QString &detail = {});

// Ends the program at once with one line on stderr that says what `error` is,
// followed by `detail` (what the toolkit said about it) when given. A broken contract
// (std::logic_error, an unknown exception) is a fault of the program itself and
// aborts, so that it can be debugged; anything the surroundings can cause ends
// with status 1.
[[noreturn]] void endOnError(std::exception_ptr error, const QString &detail = {});

// Wraps a handler that the event loop calls: the event loop cannot carry an
// exception, so one that leaves the handler ends the program instead.
template <typename Handler> auto guarded(Handler handler)
{
    return [handler = std::move(handler)] {
        try {
            handler();
        } catch (...) {
            endOnError(std::current_exception());
        }
    };
}

} // namespace griffwandler::app
