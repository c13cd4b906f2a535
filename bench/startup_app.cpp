// The program's own start-up, as main.cpp does it, reporting its first frame.
#include "first_frame.h"
#include "griffwandler_form.h"

#include <QApplication>

int main(int argc, char *argv[])
{
#ifdef Q_OS_WIN
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "windows:fontengine=directwrite");
#endif
    int toolkitArgc = argc > 0 ? 1 : 0;
    QApplication application(toolkitArgc, argv);
    QApplication::setApplicationName(QStringLiteral("Griffwandler"));
    QGuiApplication::setDesktopFileName(QStringLiteral("example.griffwandler.Griffwandler"));

    griffwandler::app::GriffwandlerForm form;
    griffwandler::bench::FirstFrameReporter reporter(form);
    form.show();
    return QApplication::exec();
}
