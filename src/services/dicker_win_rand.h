#pragma once

#include <QtGlobal>
#include <QtGui/qwindowdefs.h>

namespace griffwandler::services {

// Gives the window `hWnd` (its winId()) a sunken edge around the client area,
// raises it and makes it the active window, at once or, not shown yet, as it
// is shown. On Windows this is the native client edge; elsewhere a 2 px
// classic sunken border drawn over the rim of the client area, present from
// the first show. A second call changes nothing more.
void DickenRandSetzen(WId hWnd);

} // namespace griffwandler::services
