#include "plattform.h"

#include "mdl_browser_aufrufen.h"
#include "x11_rahmen.h"

#include <QGuiApplication>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>
#include <QWidget>
#include <QWindow>
#include <QtGui/qguiapplication_platform.h>

namespace griffwandler::services {

namespace {

// How long the window manager may take to estimate the frame of a window that
// is not shown yet. Openbox answers within a round trip or two.
constexpr int RahmenWartezeitMs = 250;

// Holds the openers that may still run. xdg-open can stay running for as long
// as the browser it started, and a QProcess that is destroyed kills its
// process, so none is destroyed while it runs, not even when the program ends:
// the user's browser outlives the program. The holder itself is never deleted.
QObject &runningOpeners()
{
    static auto *holder = new QObject;
    return *holder;
}

// Hands the address to xdg-open and learns from its exit status whether it
// found a handler; its status 3 or 4 (no handler, the handler failed) would
// otherwise go unnoticed.
void openWith(const QString &opener, const QString &address, const QPointer<QWidget> &owner)
{
    auto *process = new QProcess(&runningOpeners());
    process->setProgram(opener);
    process->setArguments({address});
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [process, owner, address](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart)
                             return; // a crash also ends in finished()
                         browserFehlerMelden(owner, address);
                         process->deleteLater();
                     });
    QObject::connect(process, &QProcess::finished, process,
                     [process, owner, address](int exitCode, QProcess::ExitStatus status) {
                         if (status != QProcess::NormalExit || exitCode != 0)
                             browserFehlerMelden(owner, address);
                         process->deleteLater();
                     });
    process->start();
}

// The Linux and BSD desktop: an X11 window manager is asked for the frame,
// and addresses go to xdg-open, the desktops' common opener. Under Wayland or
// another platform plugin the toolkit's own ways serve.
class X11Plattform final : public Plattform {
public:
    QMargins erwarteterRahmen(QWidget &window) const override
    {
        auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
        if (!x11 || !x11->connection() || QGuiApplication::platformName() != u"xcb")
            return Plattform::erwarteterRahmen(window);
        window.winId(); // the native window, hidden still, is what the frame is asked of
        const QWindow *handle = window.windowHandle();
        if (!handle)
            return {};
        const auto rahmen = x11::erwarteterRahmen(
            x11->connection(), static_cast<std::uint32_t>(handle->winId()), RahmenWartezeitMs);
        if (!rahmen)
            return {};
        const auto [left, right, top, bottom] = *rahmen;
        return QMargins(int(left), int(top), int(right), int(bottom));
    }

    void browserAufrufen(WId hWnd, const QString &address) const override
    {
        const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
        if (opener.isEmpty()) {
            // Without xdg-open the toolkit tries the browsers it knows by name.
            Plattform::browserAufrufen(hWnd, address);
            return;
        }
        openWith(opener, address, QWidget::find(hWnd));
    }
};

} // namespace

const Plattform &plattform()
{
    static const X11Plattform x11;
    return x11;
}

} // namespace griffwandler::services
