#include "screen_pointer.h"

#include <QCursor>
#include <QGuiApplication>

namespace griffwandler::services {

void setScreenMousePointer(ScreenPointer pointer)
{
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
    if (pointer == ScreenPointer::Hourglass)
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

} // namespace griffwandler::services
