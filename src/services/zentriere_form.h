#pragma once

#include "placement_rule.h"

#include <QtGlobal>

class QWidget;

namespace griffwandler::services {

// The window as the placement sees it: outer size (frame included) and
// top-left corner of the frame, all in twips.
class FormAccess {
public:
    virtual ~FormAccess() = default;
    virtual float width() = 0;
    virtual float height() = 0;
    virtual void setLeft(float twips) = 0;
    virtual void setTop(float twips) = 0;
};

// The full size of the screen in twips.
class ScreenAccess {
public:
    virtual ~ScreenAccess() = default;
    virtual float width() = 0;
    virtual float height() = 0;
};

// Places the window: per coordinate, reads the window's extent, then the
// screen's, and writes the result at once; a coordinate fixed at 0 is written
// without reading anything, and other modes access nothing.
void FormZentrieren(FormAccess &form, ScreenAccess &screen, qint32 mode);

// Places a top-level widget on the primary screen.
void FormZentrieren(QWidget &form, qint32 mode);

} // namespace griffwandler::services
