#include "wayland_session.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QWindow>
#include <qpa/qplatformnativeinterface.h>

#include <wayland-client-core.h>

#include <cstdint>

namespace griffwandler::services::wayland {

namespace {

// Set while the program's own choice of the X11 server stands in the
// environment.
bool s_chosen = false;

bool listContains(const QByteArray &list, const char *entry)
{
    // XDG_CURRENT_DESKTOP is a colon-separated list, such as "ubuntu:GNOME".
    for (const QByteArray &part : list.split(':'))
        if (part.compare(entry, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

// The request xdg_toplevel.set_title: the third of the interface's requests
// in the stable xdg-shell protocol (after destroy and set_parent).
constexpr std::uint32_t SetTitle = 2;

} // namespace

void chooseWindowSystem()
{
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        return;
    const bool wayland =
        qgetenv("XDG_SESSION_TYPE") == "wayland" || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (!wayland || !listContains(qgetenv("XDG_CURRENT_DESKTOP"), "GNOME") ||
        qEnvironmentVariableIsEmpty("DISPLAY"))
        return;
    // Should the X11 server fail to answer, the compositor itself serves.
    qputenv("QT_QPA_PLATFORM", "xcb;wayland");
    s_chosen = true;
}

void undoChoice()
{
    if (!s_chosen)
        return;
    qunsetenv("QT_QPA_PLATFORM");
    s_chosen = false;
}

void clearTitle(QWindow &window)
{
    if (!window.title().isEmpty() || !QGuiApplication::platformName().startsWith(u"wayland"))
        return;
    QPlatformNativeInterface *native = QGuiApplication::platformNativeInterface();
    auto *toplevel = native ? static_cast<wl_proxy *>(native->nativeResourceForWindow(
                                  QByteArrayLiteral("xdg_toplevel"), &window))
                            : nullptr;
    if (!toplevel)
        return; // another shell than xdg-shell: its title stays the toolkit's
    // The title is not double-buffered: the compositor takes it at once, and
    // sent before the window's first picture it is the only one shown.
    wl_proxy_marshal(toplevel, SetTitle, "");
}

} // namespace griffwandler::services::wayland
