// A bare toolkit window of the program's client size, for the window-manager
// tests: the time a manager takes to show any window, against which the
// program's own is held.
#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.setFixedSize(793, 479);
    window.show();
    return QApplication::exec();
}
