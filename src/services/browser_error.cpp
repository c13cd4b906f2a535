#include "browser_error.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QWidget>

namespace griffwandler::services {

QString browserErrorText(const QString &address)
{
    return QStringLiteral("Die Webseite konnte nicht geöffnet werden.\n"
                          "Bitte öffne sie selbst im Browser:\n%1")
        .arg(address);
}

void showBrowserError(QWidget *owner, const QString &address)
{
    // Not waiting for an answer: the window stays usable, and a failure that
    // is only learnt later can be told the same way.
    auto *message = new QMessageBox(QMessageBox::Warning, QGuiApplication::applicationDisplayName(),
                                    browserErrorText(address), QMessageBox::Ok, owner);
    message->setAttribute(Qt::WA_DeleteOnClose);
    message->setTextInteractionFlags(Qt::TextSelectableByMouse);
    message->setWindowModality(owner ? Qt::WindowModal : Qt::ApplicationModal);
    message->show();
}

} // namespace griffwandler::services
