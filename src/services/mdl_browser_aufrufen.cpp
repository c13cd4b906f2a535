#include "mdl_browser_aufrufen.h"

#include "screen_pointer.h"
#include "win32_dienste.h"

#include <QByteArray>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>
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

namespace {

// Tells the user, without waiting for an answer: the window stays usable, and
// a failure that is only learnt later can be told the same way.
void tellFailure(const QPointer<QWidget> &owner, const QString &address)
{
    auto *message = new QMessageBox(QMessageBox::Warning, QGuiApplication::applicationDisplayName(),
                                    browserFehlerText(address), QMessageBox::Ok, owner.data());
    message->setAttribute(Qt::WA_DeleteOnClose);
    message->setTextInteractionFlags(Qt::TextSelectableByMouse);
    message->setWindowModality(owner ? Qt::WindowModal : Qt::ApplicationModal);
    message->show();
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
                         tellFailure(owner, address);
                         process->deleteLater();
                     });
    QObject::connect(process, &QProcess::finished, process,
                     [process, owner, address](int exitCode, QProcess::ExitStatus status) {
                         if (status != QProcess::NormalExit || exitCode != 0)
                             tellFailure(owner, address);
                         process->deleteLater();
                     });
    process->start();
}

} // namespace

void BrowserAufrufen(WId hWnd, const QString &address)
{
    const QPointer<QWidget> owner = QWidget::find(hWnd);
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    bool handedOver = true;
    {
        BusyPointer busy;
        if (!opener.isEmpty())
            openWith(opener, address, owner);
        else
            // Without xdg-open the toolkit tries the browsers it knows by name;
            // when none is there it fails silently.
            handedOver = QDesktopServices::openUrl(QUrl(address, QUrl::StrictMode));
    }
    if (!handedOver)
        tellFailure(owner, address);
}

#endif

} // namespace griffwandler::services
