#include "startup.h"

#include "assets/bilder.h"
#include "failure_exit.h"
#include "griffwandler_form.h"
#include "services/platform.h"
#include "services/zentriere_form.h"

#include <QApplication>
#include <QList>
#include <QScreen>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace griffwandler::app {

namespace {

// What the toolkit says until the window is shown is held back. If the start
// fails, the program ends with one line that gives the cause and, after it,
// what the toolkit said; if it succeeds, the messages are passed on, except the
// platform plugin's own while the window system is being opened.
class StartupMessages {
public:
    StartupMessages() { s_toolkit = qInstallMessageHandler(&StartupMessages::take); }

    void windowSystemOpened() { s_windowSystemOpened = true; }

    // Everything held, in one line; repeated messages once.
    static QString said()
    {
        QStringList texts;
        for (const Message &message : std::as_const(s_held)) {
            QString text = message.text.simplified();
            if (text.endsWith(u'.'))
                text.chop(1);
            if (!text.isEmpty() && !texts.contains(text))
                texts << text;
        }
        return texts.join(QStringLiteral("; "));
    }

    // The start went well: pass on what was held and stop holding.
    void release()
    {
        qInstallMessageHandler(s_toolkit);
        for (const Message &message : std::as_const(s_held)) {
            if (message.platformSetup)
                continue;
            // The context as it came: a message without a category (the
            // toolkit's errno warnings) must not be printed with an empty one.
            const QMessageLogContext context(
                message.file.isNull() ? nullptr : message.file.constData(), message.line,
                message.function.isNull() ? nullptr : message.function.constData(),
                message.category.isNull() ? nullptr : message.category.constData());
            s_toolkit(message.type, context, message.text);
        }
        s_held.clear();
    }

private:
    struct Message {
        QtMsgType type;
        QByteArray category; // null where the toolkit gave none
        QByteArray file;
        QByteArray function;
        int line;
        QString text;
        bool platformSetup;
    };

    // A copy of what the context points to, which need not outlive the call.
    static QByteArray copied(const char *text) { return text ? QByteArray(text) : QByteArray(); }

    static void take(QtMsgType type, const QMessageLogContext &context, const QString &text)
    {
        if (type == QtFatalMsg) {
            // The toolkit would abort with a core dump; nothing can go on.
            s_held.append({type, {}, {}, {}, 0, text, false});
            const QByteArray line =
                QByteArrayLiteral("griffwandler: ") + fatalCause().toLocal8Bit() + '\n';
            std::fputs(line.constData(), stderr);
            std::_Exit(1);
        }
        const QByteArray category = copied(context.category);
        s_held.append({type, category, copied(context.file), copied(context.function), context.line,
                       text, !s_windowSystemOpened && category.startsWith("qt.qpa")});
    }

    static QString fatalCause()
    {
        if (!s_windowSystemOpened) {
            // A display that cannot be reached is the common case and gets a
            // plain sentence; any other failure to open the window system is
            // best told in the toolkit's own words.
            for (const Message &message : std::as_const(s_held))
                if (services::platform().isNoDisplayMessage(message.text))
                    return QStringLiteral("braucht eine grafische Anzeige, aber keine ließ sich "
                                          "öffnen");
            return QStringLiteral("das Fenstersystem ließ sich nicht öffnen: ") + said();
        }
        return said();
    }

    static inline QtMessageHandler s_toolkit = nullptr;
    static inline QList<Message> s_held;
    static inline bool s_windowSystemOpened = false;
};

// The window needs a screen with an area to be shown on and its own fonts to
// draw its texts; without either there is nothing the user could see.
void requireSurroundings()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        throw EnvironmentError("die Plattform \"" + QGuiApplication::platformName().toStdString() +
                               "\" bietet keinen Bildschirm für das Fenster");
    const QSize size = screen->geometry().size();
    if (size.isEmpty())
        throw EnvironmentError("der Bildschirm misst " + std::to_string(size.width()) + " x " +
                               std::to_string(size.height()) +
                               " Pixel; das Fenster lässt sich darauf nicht zeigen");
    if (assets::formFont().family().isEmpty() || assets::controlFont().family().isEmpty())
        throw EnvironmentError("die Schriften des Fensters ließen sich nicht laden");
}

} // namespace

int runProgram(int argc, char *argv[], const std::function<void(GriffwandlerForm &)> &beforeShow)
{
    services::platform().beforeStart();
    StartupMessages startup;
    // The program takes no command line: the toolkit sees only the program name.
    int toolkitArgc = argc > 0 ? 1 : 0;
    QApplication application(toolkitArgc, argv);
    startup.windowSystemOpened();

    QApplication::setApplicationName(QStringLiteral("Griffwandler"));
    // Docks and task bars find the window's name and icon through this entry.
    QGuiApplication::setDesktopFileName(QStringLiteral(GRIFFWANDLER_DESKTOP_FILE_NAME));

    try {
        requireSurroundings();
        GriffwandlerForm form;
        if (beforeShow)
            beforeShow(form);
        form.show();
        services::platform().windowShown(
            form, [&form] { services::FormZentrieren(form, services::ModeCentre); });
        QObject::connect(&application, &QGuiApplication::lastWindowClosed, &application,
                         [] { services::platform().programEnded(); });
        startup.release();
        return QApplication::exec();
    } catch (...) {
        endOnError(std::current_exception(), StartupMessages::said());
    }
}

} // namespace griffwandler::app
