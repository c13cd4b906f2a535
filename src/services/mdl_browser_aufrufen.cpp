#include "mdl_browser_aufrufen.h"

#include "plattform.h"
#include "screen_pointer.h"

#include <QGuiApplication>
#include <QMessageBox>
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

void browserFehlerMelden(QWidget *owner, const QString &address)
{
    // Not waiting for an answer: the window stays usable, and a failure that
    // is only learnt later can be told the same way.
    auto *message = new QMessageBox(QMessageBox::Warning, QGuiApplication::applicationDisplayName(),
                                    browserFehlerText(address), QMessageBox::Ok, owner);
    message->setAttribute(Qt::WA_DeleteOnClose);
    message->setTextInteractionFlags(Qt::TextSelectableByMouse);
    message->setWindowModality(owner ? Qt::WindowModal : Qt::ApplicationModal);
    message->show();
}

void BrowserAufrufen(WId hWnd, const QString &address)
{
    BusyPointer busy;
    plattform().browserAufrufen(hWnd, address);
}

} // namespace griffwandler::services
