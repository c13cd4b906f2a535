#pragma once

#include <QtGlobal>

#include <optional>
#include <stdexcept>

namespace griffwandler::services {

// A coordinate could not be computed (invalid operation or overflow). It is
// thrown instead of writing the coordinate, so the window is never moved to a
// nonsense place; nothing catches it, so it ends the program with its message.
class FloatingPointError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The placement modes of FormZentrieren; any other mode touches nothing.
enum PlacementMode : qint32 {
    ModeLeft = 0,   // against the left edge, centred vertically
    ModeRight = 1,  // against the right edge, centred vertically
    ModeTop = 2,    // against the top edge, centred horizontally
    ModeBottom = 3, // against the bottom edge, centred horizontally
    ModeCentre = 4, // centred on the screen
};

// How one coordinate is placed along its axis.
enum class Alignment {
    Unchanged, // not touched
    Start,     // against the low edge: 0
    End,       // against the high edge: screen - window
    Centre,    // centred: screen / 2 - window / 2
};

struct PlacementRule {
    Alignment left = Alignment::Unchanged;
    Alignment top = Alignment::Unchanged;

    bool placesNothing() const
    {
        return left == Alignment::Unchanged && top == Alignment::Unchanged;
    }
};

// The placement rule of a mode.
PlacementRule placementRule(qint32 mode);

// The pure arithmetic of the placement: one coordinate in twips from the
// screen's and the window's extent along the same axis; empty for
// Alignment::Unchanged. Nothing is rounded or clamped.
// Throws FloatingPointError when the result is not a finite single value.
std::optional<float> coordinate(Alignment alignment, float screenExtent, float formExtent);

} // namespace griffwandler::services
