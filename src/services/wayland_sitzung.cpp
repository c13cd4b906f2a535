#include "wayland_sitzung.h"

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
bool s_gewaehlt = false;

bool enthaelt(const QByteArray &liste, const char *eintrag)
{
    // XDG_CURRENT_DESKTOP is a colon-separated list, such as "ubuntu:GNOME".
    for (const QByteArray &teil : liste.split(':'))
        if (teil.compare(eintrag, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

// The request xdg_toplevel.set_title: the third of the interface's requests
// in the stable xdg-shell protocol (after destroy and set_parent).
constexpr std::uint32_t SetTitle = 2;

} // namespace

void fensterSystemWaehlen()
{
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        return;
    const bool wayland =
        qgetenv("XDG_SESSION_TYPE") == "wayland" || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (!wayland || !enthaelt(qgetenv("XDG_CURRENT_DESKTOP"), "GNOME") ||
        qEnvironmentVariableIsEmpty("DISPLAY"))
        return;
    // Should the X11 server fail to answer, the compositor itself serves.
    qputenv("QT_QPA_PLATFORM", "xcb;wayland");
    s_gewaehlt = true;
}

void wahlZuruecknehmen()
{
    if (!s_gewaehlt)
        return;
    qunsetenv("QT_QPA_PLATFORM");
    s_gewaehlt = false;
}

void titelLeeren(QWindow &window)
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
