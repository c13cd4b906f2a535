#include "griffwandler_form.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace {

// The toolkit aborts with a core dump when it finds no display; say it plainly.
bool haveDisplay()
{
    const auto set = [](const char *name) {
        const char *value = std::getenv(name);
        return value && *value;
    };
    return set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY");
}

} // namespace

int main(int argc, char *argv[])
{
    if (!haveDisplay()) {
        std::fputs("griffwandler: needs a graphical display (neither DISPLAY nor WAYLAND_DISPLAY "
                   "is set)\n",
                   stderr);
        return 1;
    }
    // The program takes no command line: the toolkit sees only the program name.
    int toolkitArgc = argc > 0 ? 1 : 0;
    QApplication application(toolkitArgc, argv);
    QApplication::setApplicationName(QStringLiteral("Griffwandler"));
    QGuiApplication::setDesktopFileName(QStringLiteral("griffwandler"));

    griffwandler::app::GriffwandlerForm form;
    form.show();
    return QApplication::exec();
}
