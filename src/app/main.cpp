#include "griffwandler_form.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

QtMessageHandler toolkitMessages = nullptr;

// While the window system is being opened, the toolkit's complaints about it
// are replaced by one plain line: without a display the program cannot run,
// and that is worth a clear message and status 1, not an abort with a core dump.
void startupMessages(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtFatalMsg) {
        std::fputs("griffwandler: needs a graphical display, but none could be opened\n", stderr);
        std::_Exit(1);
    }
    const std::string_view category = context.category ? context.category : "";
    if (category.starts_with("qt.qpa"))
        return;
    toolkitMessages(type, context, message);
}

} // namespace

int main(int argc, char *argv[])
{
#ifdef Q_OS_WIN
    // GDI draws the embedded bold face in regular weight on some systems;
    // DirectWrite draws it as designed.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "windows:fontengine=directwrite");
#endif
    toolkitMessages = qInstallMessageHandler(startupMessages);
    // The program takes no command line: the toolkit sees only the program name.
    int toolkitArgc = argc > 0 ? 1 : 0;
    QApplication application(toolkitArgc, argv);
    qInstallMessageHandler(toolkitMessages);

    QApplication::setApplicationName(QStringLiteral("Griffwandler"));
    QGuiApplication::setDesktopFileName(QStringLiteral(GRIFFWANDLER_DESKTOP_FILE_NAME));

    griffwandler::app::GriffwandlerForm form;
    form.show();
    return QApplication::exec();
}
