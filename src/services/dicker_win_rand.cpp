#include "dicker_win_rand.h"

#include "platform.h"

#include <QWidget>

namespace griffwandler::services {

void DickenRandSetzen(WId hWnd)
{
    // Like the native calls on an invalid handle: no effect.
    if (QWidget *window = QWidget::find(hWnd))
        platform().dickenRandSetzen(*window);
}

} // namespace griffwandler::services
