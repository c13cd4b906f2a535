#include "mdl_browser_aufrufen.h"

#include "screen_pointer.h"
#include "win32_dienste.h"

#include <QByteArray>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QMessageBox>
#include <QUrl>
#include <QWidget>

namespace griffwandler::services {

namespace {

// The default pointer comes back even when the hand-over throws.
class BusyPointer {
public:
    BusyPointer() { setScreenMousePointer(ScreenPointer::Hourglass); }
    ~BusyPointer() { setScreenMousePointer(ScreenPointer::Default); }
    BusyPointer(const BusyPointer &) = delete;
    BusyPointer &operator=(const BusyPointer &) = delete;
};

} // namespace

QString browserFehlerText(const QString &address)
{
    return QStringLiteral("Die Webseite konnte nicht geöffnet werden.\n"
                          "Bitte öffne sie selbst im Browser:\n%1")
        .arg(address);
}

#ifdef Q_OS_WIN

void BrowserAufrufen(WId hWnd, const QString &address)
{
    // The shell reports its own failures, owned by the window.
    const QByteArray ansi = address.toLocal8Bit();
    BusyPointer busy;
    win32::browserAufrufen(reinterpret_cast<void *>(hWnd), ansi.constData());
}

#else

void BrowserAufrufen(WId hWnd, const QString &address)
{
    bool handedOver = false;
    {
        BusyPointer busy;
        handedOver = QDesktopServices::openUrl(QUrl(address, QUrl::StrictMode));
    }
    if (handedOver)
        return;
    // Without a handler (no xdg-open, say) the platform fails silently.
    QMessageBox message(QMessageBox::Warning, QGuiApplication::applicationDisplayName(),
                        browserFehlerText(address), QMessageBox::Ok, QWidget::find(hWnd));
    message.setTextInteractionFlags(Qt::TextSelectableByMouse);
    message.exec();
}

#endif

} // namespace griffwandler::services
