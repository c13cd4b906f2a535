#include "mdl_browser_aufrufen.h"

#include "platform.h"
#include "screen_pointer.h"

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

void BrowserAufrufen(WId hWnd, const QString &address)
{
    BusyPointer busy;
    platform().browserAufrufen(QWidget::find(hWnd), address);
}

} // namespace griffwandler::services
