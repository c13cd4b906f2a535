#pragma once

#include <QString>

class QWidget;

namespace griffwandler::services {

// The message for an address that could not be handed to a browser, naming
// the address so that it can be opened by hand.
QString browserErrorText(const QString &address);

// Shows that message, owned by `owner` (window-modal) or, without an owner,
// application-modal, and returns at once.
void showBrowserError(QWidget *owner, const QString &address);

} // namespace griffwandler::services
