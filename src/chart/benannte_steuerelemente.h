#pragma once

#include "steuerelement.h"

#include <QVariant>

namespace griffwandler {

// A picture as the chart sees it: an opaque value that is read from one control
// and written to another, so that the target shows the source's image. The
// window stores its own picture type in it; the chart never looks inside.
using Bild = QVariant;

// The window's controls as the chart's write sequences address them: an element
// is taken by name and index, then one property is read or written. The window
// implements this over its widgets; tests implement it with a recorder.
class BenannteSteuerelemente {
public:
    virtual ~BenannteSteuerelemente() = default;

    virtual void setVisible(Steuerelement control, bool visible) = 0;
    virtual Bild picture(Steuerelement control) const = 0;
    virtual void setPicture(Steuerelement control, const Bild &picture) = 0;
    virtual void setCaption(Steuerelement control, const QString &caption) = 0;
};

} // namespace griffwandler
