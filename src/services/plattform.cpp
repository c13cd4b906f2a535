#include "plattform.h"

#include "klient_rand.h"
#include "mdl_browser_aufrufen.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QUrl>
#include <QWidget>
#include <QWindow>

namespace griffwandler::services {

Qt::WindowFlags Plattform::dialogRahmen() const
{
    return Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
           Qt::WindowCloseButtonHint;
}

bool Plattform::kannFensterPlatzieren() const
{
    // A Wayland client never learns where its window stands, nor can it ask
    // for a place: the compositor decides.
    return !QGuiApplication::platformName().startsWith(u"wayland");
}

QMargins Plattform::erwarteterRahmen(QWidget &window) const
{
    window.winId(); // the native window, hidden still, is what the frame is asked of
    const QWindow *handle = window.windowHandle();
    return handle ? handle->frameMargins() : QMargins();
}

void Plattform::dickenRandSetzen(WId hWnd) const
{
    // The edge goes on the widget that owns the handle, as the native style would.
    QWidget *window = QWidget::find(hWnd);
    if (!window)
        return; // like the native calls on an invalid handle: no effect
    klientRandZeigen(*window);
    window->raise();
    if (window->isVisible())
        window->activateWindow();
}

void Plattform::browserAufrufen(WId hWnd, const QString &address) const
{
    // Where the toolkit knows no way to a browser it fails without a word.
    if (!QDesktopServices::openUrl(QUrl(address, QUrl::StrictMode)))
        browserFehlerMelden(QWidget::find(hWnd), address);
}

} // namespace griffwandler::services
