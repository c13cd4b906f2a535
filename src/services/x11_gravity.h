#pragma once

// Which window gravity places a window by a placement rule under X11.

#include "placement_rule.h"
#include "x11_frame.h"

namespace griffwandler::services::x11 {

// The gravity that keeps the frame's point that `rule` names where the
// window asks for the same point of its client area: a window centred with
// the centre gravity has its frame centred whatever the frame's size, one put
// against the right edge with an east gravity keeps its frame's right edge
// there. A coordinate that the rule leaves alone counts as the low edge.
constexpr Gravity gravityOf(PlacementRule rule)
{
    auto column = [](Alignment alignment) {
        switch (alignment) {
        case Alignment::Centre:
            return 1u;
        case Alignment::End:
            return 2u;
        case Alignment::Start:
        case Alignment::Unchanged:
            break;
        }
        return 0u;
    };
    // North-west to south-east, row by row.
    return Gravity(1 + column(rule.left) + 3 * column(rule.top));
}

} // namespace griffwandler::services::x11
