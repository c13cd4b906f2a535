#include "platform.h"

#include "browser_error.h"
#include "client_edge.h"

#include <QDesktopServices>
#include <QEvent>
#include <QUrl>
#include <QWidget>
#include <QWindow>

namespace griffwandler::services {

namespace {

// Makes a window that is not shown yet the active one once it is shown. The
// show event comes before the window system is asked to show the window, and
// an activation asked for before that is dropped by some platforms (and by X11
// without a window manager, where nothing else gives the window the focus), so
// the activation waits for the event loop, after the show.
class ActivateOnShow final : public QObject {
    Q_OBJECT

public:
    // Once per window, however often asked for.
    static void install(QWidget &window)
    {
        if (!window.findChild<ActivateOnShow *>(QString(), Qt::FindDirectChildrenOnly))
            new ActivateOnShow(window);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && watched == parent()) {
            auto *window = static_cast<QWidget *>(watched);
            QMetaObject::invokeMethod(
                window, [window] { window->activateWindow(); }, Qt::QueuedConnection);
            window->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }

private:
    explicit ActivateOnShow(QWidget &window) : QObject(&window) { window.installEventFilter(this); }
};

} // namespace

Qt::WindowFlags Platform::dialogFlags() const
{
    return Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
           Qt::WindowCloseButtonHint;
}

Platform::Placement Platform::preparePlacement(QWidget &window, PlacementRule) const
{
    window.winId(); // the native window, hidden still, is what the frame is asked of
    const QWindow *handle = window.windowHandle();
    return {false, handle ? QMarginsF(handle->frameMargins()) : QMarginsF()};
}

void Platform::showFirstTime(QWidget &, const std::function<void()> &show) const
{
    show();
}

void Platform::dickenRandSetzen(QWidget &window) const
{
    ClientEdge::showOn(window);
    window.raise();
    if (window.isVisible())
        window.activateWindow();
    else
        ActivateOnShow::install(window);
}

void Platform::browserAufrufen(QWidget *owner, const QString &address) const
{
    // Where the toolkit knows no way to a browser it fails without a word.
    if (!QDesktopServices::openUrl(QUrl(address, QUrl::StrictMode)))
        showBrowserError(owner, address);
}

} // namespace griffwandler::services

#include "platform.moc"
