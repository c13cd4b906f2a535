#include "placement_rule.h"

#include <cfloat>
#include <cmath>

namespace griffwandler::services {

PlacementRule placementRule(qint32 mode)
{
    switch (mode) {
    case ModeLeft:
        return {Alignment::Start, Alignment::Centre};
    case ModeRight:
        return {Alignment::End, Alignment::Centre};
    case ModeTop:
        return {Alignment::Centre, Alignment::Start};
    case ModeBottom:
        return {Alignment::Centre, Alignment::End};
    case ModeCentre:
        return {Alignment::Centre, Alignment::Centre};
    default:
        return {};
    }
}

std::optional<float> coordinate(Alignment alignment, float screenExtent, float formExtent)
{
    // Computed in double so that the halves and the difference are exact for
    // every pair of single values; only the stored result is single. The
    // range test must come before the narrowing, which is undefined for
    // values outside the single range.
    double value = 0.0;
    switch (alignment) {
    case Alignment::Unchanged:
        return std::nullopt;
    case Alignment::Start:
        return 0.0f;
    case Alignment::End:
        value = double(screenExtent) - double(formExtent);
        break;
    case Alignment::Centre:
        value = double(screenExtent) / 2.0 - double(formExtent) / 2.0;
        break;
    }
    if (!std::isfinite(value) || std::fabs(value) > double(FLT_MAX))
        throw FloatingPointError("Gleitkommafehler bei der Fensterplatzierung");
    return static_cast<float>(value);
}

} // namespace griffwandler::services
