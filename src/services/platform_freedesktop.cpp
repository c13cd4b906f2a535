#include "platform.h"

#include "browser_error.h"
#include "wayland_session.h"
#include "x11_frame.h"
#include "x11_gravity.h"

#include <QGuiApplication>
#include <QPointer>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QVariant>
#include <QWidget>
#include <QWindow>
#include <QtGui/qguiapplication_platform.h>
#include <qpa/qplatformscreen.h>

#include <optional>

namespace griffwandler::services {

namespace {

// How long Openbox and GNOME may take to estimate the frame of a window that
// is not shown yet. They answer within a round trip or two, but on a machine
// busy enough to hold the manager back a quarter of a second a shorter wait
// loses the answer, and Openbox then places the window off the centre by its
// frame's top and left edges. A manager that answers nothing is not asked.
constexpr int FrameWaitMs = 1000;

// Carries the gravity chosen while the window was placed to its first show.
constexpr char GravityProperty[] = "_griffwandler_gravity";
// Set where the window asks for its place again once the manager has framed it.
constexpr char AskAgainProperty[] = "_griffwandler_ask_again";

xcb_connection_t *xcbConnection()
{
    if (QGuiApplication::platformName() != u"xcb")
        return nullptr;
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

// GNOME's top bar (and any panel) as margins of the primary screen: allowed
// for like a frame, they centre the window in the area the panels leave free.
QMarginsF panels()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {};
    const QRect whole = screen->geometry();
    const QRect free = screen->availableGeometry();
    return QMarginsF(free.left() - whole.left(), free.top() - whole.top(),
                     whole.right() - free.right(), whole.bottom() - free.bottom());
}

std::uint32_t nativeWindow(QWidget &window)
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
                         showBrowserError(owner, address);
                         process->deleteLater();
                     });
    QObject::connect(process, &QProcess::finished, process,
                     [process, owner, address](int exitCode, QProcess::ExitStatus status) {
                         if (status != QProcess::NormalExit || exitCode != 0)
                             showBrowserError(owner, address);
                         process->deleteLater();
                     });
    process->start();
}

// The corner of the client area of the top-level `window`, where the program
// placed it, in the window system's pixels. The widget's own geometry, not
// the toolkit's native window: before it is shown, Qt 6.8 may keep that
// window at the origin, in the X server as in its own bookkeeping.
x11::Point nativePlace(const QWidget &window)
{
    const QPoint logical = window.geometry().topLeft();
    const QScreen *screen = window.screen();
    if (!screen || !screen->handle())
        return {logical.x(), logical.y()};
    const QPoint place = screen->handle()->geometry().topLeft() +
                         (logical - screen->geometry().topLeft()) * window.devicePixelRatioF();
    return {place.x(), place.y()};
}

// Asks again for `place`, the place the program gave the window's client area,
// as soon as the manager has shown the window (that is, framed and placed
// it): GNOME decides where a window goes as it first shows it and may put it
// in a corner of its own choice then. The place is the program's, not the X
// server's (see nativePlace). The toolkit learns of the showing from the X
// server, with the event loop; the program waits for nothing.
void askAgainOnceShown(QWindow &window, xcb_connection_t *connection, std::uint32_t handle,
                       x11::Point place)
{
    class WhenShown final : public QObject {
    public:
        WhenShown(QWindow &window, xcb_connection_t *connection, std::uint32_t handle,
                  x11::Point place)
            : QObject(&window), m_connection(connection), m_handle(handle), m_place(place)
        {
            window.installEventFilter(this);
        }

    protected:
        bool eventFilter(QObject *watched, QEvent *event) override
        {
            auto *window = static_cast<QWindow *>(watched);
            if (event->type() == QEvent::Expose && window->isExposed()) {
                x11::askForPlace(m_connection, m_handle, m_place);
                window->removeEventFilter(this);
                deleteLater();
            }
            return false;
        }

    private:
        xcb_connection_t *m_connection;
        std::uint32_t m_handle;
        x11::Point m_place;
    };
    new WhenShown(window, connection, handle, place);
}

bool isWayland()
{
    return QGuiApplication::platformName().startsWith(u"wayland");
}

// The Linux and BSD desktop, X11 or Wayland: an X11 window manager is asked for
// the frame, and addresses go to xdg-open, the desktops' common opener. Under
// Wayland or another platform plugin the toolkit's own ways serve.
class FreedesktopPlatform final : public Platform {
public:
    void beforeStart() const override { wayland::chooseWindowSystem(); }

    bool isNoDisplayMessage(const QString &message) const override
    {
        // An X server or a Wayland compositor that cannot be reached.
        return message.contains(QLatin1String("could not connect to display")) ||
               message.contains(QLatin1String("Failed to create wl_display"));
    }

    // A Wayland client never learns where its window stands, nor can it ask
    // for a place: the compositor decides.
    bool canPlaceWindows() const override { return !isWayland(); }

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
    Placement preparePlacement(QWidget &window, PlacementRule rule) const override
    {
        xcb_connection_t *connection = xcbConnection();
        if (!connection)
            return Platform::preparePlacement(window, rule);
        const std::uint32_t handle = nativeWindow(window);
        const x11::WindowManager manager = x11::windowManager(connection, handle);
        if (!manager.running)
            return {};
        if (manager.name == "i3") {
            if (rule.left == Alignment::Centre && rule.top == Alignment::Centre)
                return {true, {}};
            return {};
        }
        // GNOME Shell (mutter) under Wayland, as the window manager of its X11
        // server: up to GNOME 43 it puts the frame's corner where the window
        // asks for its own in some starts and keeps the gravity in others,
        // but answers the request for the frame before the window is shown.
        // From GNOME 44 on another process draws the frames: the answer
        // before the window is shown is a frame of nothing, and GNOME 48
        // keeps the gravity in some starts and the window's own corner in
        // others. Asked again once the window is framed, it keeps the
        // gravity in every start tried.
        const bool gnome = manager.name == "GNOME Shell";
        if (manager.name == "Openbox" || gnome) {
            const auto frame = x11::expectedFrame(connection, handle, FrameWaitMs);
            if (frame && !(gnome && *frame == x11::FrameExtents{})) {
                const auto [left, right, top, bottom] = *frame;
                // The manager counts in the window system's pixels.
                QMarginsF outer = QMarginsF(left, top, right, bottom) / window.devicePixelRatioF();
                if (gnome)
                    outer += panels();
                return {false, outer};
            }
        }
        window.setProperty(GravityProperty, unsigned(x11::gravityOf(rule)));
        if (!gnome)
            return {};
        window.setProperty(AskAgainProperty, true);
        // The gravity keeps the frame's point: only the panels are left to
        // allow for.
        return {false, panels()};
    }

    void showFirstTime(QWidget &window, const std::function<void()> &show) const override
    {
        wayland::undoChoice();
        xcb_connection_t *connection = xcbConnection();
        if (!connection) {
            Platform::showFirstTime(window, show);
            if (QWindow *native = window.windowHandle())
                wayland::clearTitle(*native);
            return;
        }
        const std::uint32_t handle = nativeWindow(window);
        // The toolkit names a window without a title after the program; an
        // empty caption is meant to stay empty.
        if (window.windowTitle().isEmpty())
            x11::clearTitle(connection, handle);
        const QVariant chosen = window.property(GravityProperty);
        if (!chosen.isValid()) {
            show();
            return;
        }
        // The place to ask for again is read before the show: once shown, the
        // window stands where the manager put it.
        std::optional<x11::Point> askAgain;
        if (window.property(AskAgainProperty).toBool())
            askAgain = nativePlace(window);
        window.setProperty(GravityProperty, QVariant());
        window.setProperty(AskAgainProperty, QVariant());
        // The toolkit writes its own gravity as it maps the window.
        x11::showWithGravity(connection, handle, x11::Gravity(chosen.toUInt()), show);
        if (askAgain && window.windowHandle())
            askAgainOnceShown(*window.windowHandle(), connection, handle, *askAgain);
    }

    void browserAufrufen(QWidget *owner, const QString &address) const override
    {
        const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
        if (opener.isEmpty()) {
            // Without xdg-open the toolkit tries the browsers it knows by name.
            Platform::browserAufrufen(owner, address);
            return;
        }
        openWith(opener, address, owner);
    }
};

} // namespace

const Platform &platform()
{
    static const FreedesktopPlatform freedesktop;
    return freedesktop;
}

} // namespace griffwandler::services
