#pragma once

#include <QtGlobal>

#include <optional>
#include <stdexcept>

class QWidget;

namespace griffwandler::services {

// A coordinate could not be computed (invalid operation or overflow). It is
// thrown instead of writing the coordinate, so the window is never moved to a
// nonsense place; nothing catches it, so it ends the program with its message.
class FloatingPointError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// How one coordinate is placed along its axis.
enum class Lage {
    Unveraendert, // not touched
    Null,         // against the low edge: 0
    Ende,         // against the high edge: screen - window
    Mitte,        // centred: screen / 2 - window / 2
};

struct Regel {
    Lage left = Lage::Unveraendert;
    Lage top = Lage::Unveraendert;
};

// The placement rule of a mode: 0 left, 1 right, 2 top, 3 bottom, 4 centre;
// any other mode touches nothing.
Regel platzierungsRegel(qint32 mode);

// The pure arithmetic of the placement: one coordinate in twips from the
// screen's and the window's extent along the same axis; empty for
// Lage::Unveraendert. Nothing is rounded or clamped.
// Throws FloatingPointError when the result is not a finite single value.
std::optional<float> koordinate(Lage lage, float screenExtent, float formExtent);

// The window as the placement sees it: outer size (frame included) and
// top-left corner of the frame, all in twips.
class FormZugriff {
public:
    virtual ~FormZugriff() = default;
    virtual float width() = 0;
    virtual float height() = 0;
    virtual void setLeft(float twips) = 0;
    virtual void setTop(float twips) = 0;
};

// The full size of the screen in twips.
class BildschirmZugriff {
public:
    virtual ~BildschirmZugriff() = default;
    virtual float width() = 0;
    virtual float height() = 0;
};

// Places the window: per coordinate, reads the window's extent, then the
// screen's, and writes the result at once; a coordinate fixed at 0 is written
// without reading anything, and other modes access nothing.
void FormZentrieren(FormZugriff &form, BildschirmZugriff &screen, qint32 mode);

// Places a top-level widget on the primary screen.
void FormZentrieren(QWidget &form, qint32 mode);

} // namespace griffwandler::services
