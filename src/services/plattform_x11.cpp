#include "plattform.h"

#include "mdl_browser_aufrufen.h"
#include "wayland_sitzung.h"
#include "x11_rahmen.h"

#include <QGuiApplication>
#include <QPointer>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QVariant>
#include <QWidget>
#include <QWindow>
#include <QtGui/qguiapplication_platform.h>

namespace griffwandler::services {

namespace {

// How long Openbox may take to estimate the frame of a window that is not
// shown yet; it answers within a round trip or two.
constexpr int RahmenWartezeitMs = 250;

// Carries the gravity chosen while the window was placed to its first show.
constexpr char GravitationsEigenschaft[] = "_griffwandler_gravitation";

// The gravity that keeps the frame's point that `regel` names where the
// window asks for the same point of its client area.
x11::Gravitation gravitation(Regel regel)
{
    auto spalte = [](Lage lage) {
        switch (lage) {
        case Lage::Mitte:
            return 1u;
        case Lage::Ende:
            return 2u;
        case Lage::Null:
        case Lage::Unveraendert:
            break;
        }
        return 0u;
    };
    // North-west to south-east, row by row.
    return x11::Gravitation(1 + spalte(regel.left) + 3 * spalte(regel.top));
}

xcb_connection_t *xcbVerbindung()
{
    if (QGuiApplication::platformName() != u"xcb")
        return nullptr;
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

// GNOME's top bar (and any panel) as margins of the primary screen: allowed
// for like a frame, they centre the window in the area the panels leave free.
QMarginsF leisten()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {};
    const QRect ganz = screen->geometry();
    const QRect frei = screen->availableGeometry();
    return QMarginsF(frei.left() - ganz.left(), frei.top() - ganz.top(),
                     ganz.right() - frei.right(), ganz.bottom() - frei.bottom());
}

std::uint32_t nativesFenster(QWidget &window)
{
    window.winId(); // the native window, hidden still
    const QWindow *handle = window.windowHandle();
    return handle ? static_cast<std::uint32_t>(handle->winId()) : 0;
}

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
    void vorDemStart() const override { wayland::fensterSystemWaehlen(); }

    // A window that asks for a place before it is first shown asks for its
    // client area's place; where the window manager then puts the frame is
    // what it makes of the window's gravity. Tried with a window of this
    // program's kind, KWin, Fluxbox and Xfwm4 keep the frame's point that the
    // gravity names where the window asked for that point of itself, as the
    // conventions say: a window centred with the centre gravity has its frame
    // centred whatever the frame's size, with nothing asked of the manager
    // and nothing waited for (Fluxbox lists the request for the frame but
    // never answers it, KWin does not know it). Two managers need otherwise:
    //  - Openbox places a window with a middle gravity by the frame's
    //    top-left extents too low and too far right, but keeps the toolkit's
    //    static gravity right and answers the request for the frame at once;
    //  - i3 ignores the gravity, puts the frame's corner where the window
    //    asks for its own and tells nothing of its frames, but centres a
    //    floating window that asks for no place on its workspace.
    // Without a manager the window stands where it asked to, without a frame.
    Platzierungsweg platzierungVorbereiten(QWidget &window, Regel regel) const override
    {
        xcb_connection_t *connection = xcbVerbindung();
        if (!connection)
            return Plattform::platzierungVorbereiten(window, regel);
        const std::uint32_t fenster = nativesFenster(window);
        const x11::Fensterverwalter verwalter = x11::fensterverwalter(connection, fenster);
        if (!verwalter.laeuft)
            return {};
        if (verwalter.name == "i3") {
            if (regel.left == Lage::Mitte && regel.top == Lage::Mitte)
                return {true, {}};
            return {};
        }
        // GNOME Shell (mutter) under Wayland, as the window manager of its X11
        // server, puts the frame's corner where the window asks for its own
        // in some starts and keeps the gravity in others, but answers the
        // request for the frame before the window is shown.
        const bool gnome = verwalter.name == "GNOME Shell";
        if (verwalter.name == "Openbox" || gnome) {
            if (const auto rahmen = x11::erwarteterRahmen(connection, fenster, RahmenWartezeitMs)) {
                const auto [left, right, top, bottom] = *rahmen;
                // The manager counts in the window system's pixels.
                QMarginsF aussen = QMarginsF(left, top, right, bottom) / window.devicePixelRatioF();
                if (gnome)
                    aussen += leisten();
                return {false, aussen};
            }
        }
        window.setProperty(GravitationsEigenschaft, unsigned(gravitation(regel)));
        return {};
    }

    void erstmalsZeigen(QWidget &window, const std::function<void()> &zeigen) const override
    {
        wayland::wahlZuruecknehmen();
        xcb_connection_t *connection = xcbVerbindung();
        if (!connection) {
            Plattform::erstmalsZeigen(window, zeigen);
            if (QWindow *handle = window.windowHandle())
                wayland::titelLeeren(*handle);
            return;
        }
        const std::uint32_t fenster = nativesFenster(window);
        // The toolkit names a window without a title after the program; an
        // empty caption is meant to stay empty.
        if (window.windowTitle().isEmpty())
            x11::titelLeeren(connection, fenster);
        const QVariant chosen = window.property(GravitationsEigenschaft);
        if (!chosen.isValid()) {
            zeigen();
            return;
        }
        window.setProperty(GravitationsEigenschaft, QVariant());
        // The toolkit writes its own gravity as it maps the window.
        x11::mitGravitationZeigen(connection, fenster, x11::Gravitation(chosen.toUInt()), zeigen);
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
