#pragma once

#include <QString>

class QObject;
class QWidget;

namespace griffwandler::controls {

// Registers the accessibility interfaces of the four controls with Qt once per
// process; every control's constructor calls it, so users never need to.
void installAccessibleFactory();

// Tells screen readers, if any listen, that a control now has another name or
// another description.
void announceNameChange(QObject *control);
void announceDescriptionChange(QObject *control);

// Has screen readers say `message` at once, wherever the focus is in `window`: a
// notification appears there, without size or paint of its own.
void announce(QWidget *window, const QString &message);

// A caption as a screen reader should say it: access-key markers removed, "&&" kept
// as one literal '&'.
QString stripAccessKeyMarkers(const QString &caption);

} // namespace griffwandler::controls
