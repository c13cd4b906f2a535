#pragma once

#include <QString>
#include <QtGui/qwindowdefs.h>

namespace griffwandler::services {

// Hands `address` to the user's default handler for web addresses, with the
// busy pointer shown meanwhile and the default pointer afterwards. The window
// `hWnd` owns any message about it. Returns once the address is handed on.
// Where the platform cannot hand it on and would say nothing, the user gets a
// short message that names the address, so that it can be opened by hand; a
// failure that is only learnt after the call has returned (xdg-open ending
// unsuccessfully) is told the same way. The message never waits for the user
// inside the call.
void BrowserAufrufen(WId hWnd, const QString &address);

} // namespace griffwandler::services
