#include "plattform.h"

#include "klient_rand.h"
#include "mdl_browser_aufrufen.h"

#include <QDesktopServices>
#include <QEvent>
#include <QGuiApplication>
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
class BeimZeigenAktivieren final : public QObject {
public:
    static constexpr char16_t Name[] = u"griffwandlerBeimZeigenAktivieren";

    explicit BeimZeigenAktivieren(QWidget &window) : QObject(&window)
    {
        setObjectName(QString::fromUtf16(Name));
        window.installEventFilter(this);
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
};

} // namespace

Qt::WindowFlags Plattform::dialogRahmen() const
{
    return Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
           Qt::WindowCloseButtonHint;
}

bool Plattform::kannFensterPlatzieren() const
{
    // A Wayland client never learns where its window stands, nor can it ask
    // for a place: the compositor decides, so no frame is asked for and no
    // place computed there.
    return !QGuiApplication::platformName().startsWith(u"wayland");
}

Plattform::Platzierungsweg Plattform::platzierungVorbereiten(QWidget &window, Regel) const
{
    window.winId(); // the native window, hidden still, is what the frame is asked of
    const QWindow *handle = window.windowHandle();
    return {false, handle ? QMarginsF(handle->frameMargins()) : QMarginsF()};
}

void Plattform::erstmalsZeigen(QWidget &, const std::function<void()> &zeigen) const
{
    // The toolkit gives a window without a title the program's name. Under
    // Wayland it hands that name to the compositor itself, and nothing on the
    // toolkit's side leaves the title empty.
    zeigen();
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
    else if (!window->findChild<QObject *>(QString::fromUtf16(BeimZeigenAktivieren::Name),
                                           Qt::FindDirectChildrenOnly))
        new BeimZeigenAktivieren(*window);
}

void Plattform::browserAufrufen(WId hWnd, const QString &address) const
{
    // Where the toolkit knows no way to a browser it fails without a word.
    if (!QDesktopServices::openUrl(QUrl(address, QUrl::StrictMode)))
        browserFehlerMelden(QWidget::find(hWnd), address);
}

} // namespace griffwandler::services
