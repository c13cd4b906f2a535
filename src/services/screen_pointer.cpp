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

ScreenPointer screenMousePointer()
{
    const QCursor *cursor = QGuiApplication::overrideCursor();
    return cursor && cursor->shape() == Qt::WaitCursor ? ScreenPointer::Hourglass
                                                       : ScreenPointer::Default;
}

} // namespace griffwandler::services
